#pragma once

#include "practice/RunDisplay.h"

#include <QList>
#include <QWidget>

class QLabel;

// The question-number strip of the bottom bar: one small clickable number per
// question of the run ("labelxx" + number), placed where the run says,
// coloured by its answer. The labels are made anew only when the numbers
// change; otherwise they are only recoloured. The strip is as high as its
// lowest row needs. The numbers are Arial 8 points, smaller where that would
// run neighbours together.
class QuestionStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMinimumHeight = 24;

    explicit QuestionStrip(QWidget *parent = nullptr);

    void render(const QList<RunDisplay::StripNumber> &numbers);

    // The label of number n (nullptr when there is none).
    QLabel *numberLabel(int number) const;
    int count() const { return m_labels.size(); }

signals:
    // A mouse button went down on number n.
    void numberPressed(int number);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuild(const QList<RunDisplay::StripNumber> &numbers);
    void style(QLabel *label, const RunDisplay::StripNumber &number, bool hovered) const;

    QList<QLabel *> m_labels;
    QList<RunDisplay::StripNumber> m_shown;
    double m_pointSize = 8; // the size at which the numbers of this run stand apart
};
