#pragma once

#include "widgets/MainFrame.h"

#include <QFrame>

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

// The main window's bottom bar: the question-number strip over a row of the
// progress bar, the percentage, the legend with the hand-in hint, the run's
// own items, and Prior and Next.
class RunBarPanel : public QFrame
{
    Q_OBJECT

public:
    explicit RunBarPanel(QWidget *parent = nullptr);

    void setQuestionStrip(QWidget *strip);
    void addItem(QWidget *item, int stretch);
    void render(const MainFrame::RunBar &bar);

signals:
    void priorRequested();
    void nextRequested();

private:
    QWidget *m_stripArea = nullptr;
    QLabel *m_bottomHint = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_percent = nullptr;
    QPushButton *m_next = nullptr;
    QHBoxLayout *m_items = nullptr;
};
