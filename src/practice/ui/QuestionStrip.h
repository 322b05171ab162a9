#pragma once

#include "practice/RunDisplay.h"

#include <QLatin1StringView>
#include <QList>
#include <QPoint>
#include <QWidget>

class QLabel;

// The object names by which tests and stored layouts find the controls.
struct QuestionStripNames
{
    // The strip's numbers, named after this prefix by the question's number.
    static constexpr QLatin1StringView numberPrefix{"labelxx"};
};

// The question-number strip of the bottom bar: one small clickable number per
// question of the run (named by its number), placed in rows by how many the
// run has, coloured by its answer. The labels are made anew only when the numbers
// change; otherwise they are only recoloured. The strip is as high as its
// lowest row needs. The numbers are Arial 8 points, smaller where that would
// run neighbours together.
class QuestionStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMinimumHeight = 24;
    static constexpr int kBarWidth = 1130; // the bottom bar the strip stands in, pixels

    explicit QuestionStrip(QWidget *parent = nullptr);

    void render(const QList<RunDisplay::StripNumber> &numbers);

    // Where number n of a run of `count` numbers stands on the strip: one row
    // up to 50, two rows of 50 up to 100, the numbers from 101 below them.
    static QPoint place(int number, int count);

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
