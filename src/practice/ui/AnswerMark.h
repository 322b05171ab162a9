#pragma once

#include <QLabel>
#include <QPixmap>

// The right mark (a green tick) or the wrong mark (a red cross) of the
// single-choice and true/false pages. Drawn in code; hidden until shown.
class AnswerMark : public QLabel
{
    Q_OBJECT

public:
    enum class Kind
    {
        Right,
        Wrong
    };

    static constexpr int kSize = 40;

    explicit AnswerMark(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }

    static QPixmap pixmap(Kind kind, int size);

private:
    Kind m_kind;
};
