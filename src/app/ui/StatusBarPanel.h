#pragma once

#include "app/ElapsedClock.h"

#include <QFrame>
#include <QList>

class QLabel;

// The main window's status bar: the idle time, the program's motto and the
// elapsed-time clock in three fields of 300, 600 and 300 pixels; the last
// runs past the window's right edge, its centred clock stays visible.
class StatusBarPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kHeight = 22;

    explicit StatusBarPanel(QWidget *parent = nullptr);

    // The first field (empty clears it).
    void showIdleTime(const QString &text);
    // One second of the elapsed clock.
    void tickClock();

private:
    ElapsedClock m_clock;
    QList<QLabel *> m_fields;
};
