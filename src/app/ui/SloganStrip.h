#pragma once

#include <QFrame>

class QLabel;

// The slogan strip above the page area: its text is placed by position, so
// that it can move.
class SloganStrip : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kHeight = 49;

    // width: the strip's width, for the text's first position.
    SloganStrip(int width, QWidget *parent = nullptr);

    // The text with its left edge at x pixels from the strip's left edge, or
    // no text while the strip is stopped.
    void showSlogan(const QString &text, int x, bool shown);

signals:
    // A click on the strip or its text.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLabel *m_slogan = nullptr;
};
