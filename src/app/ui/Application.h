#pragma once

#include <QApplication>

// The program's application object. Every exception that escapes an event
// handler ends up here: the action in progress is dropped, nothing is shown,
// and the program goes on.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // How many actions were dropped since start (for diagnostics and tests).
    int droppedActions() const { return m_dropped; }

private:
    int m_dropped = 0;
};
