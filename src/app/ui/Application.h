#pragma once

#include <QApplication>

class Notifier;

// The program's application object. Every exception that escapes an event
// handler ends up here: the action in progress is dropped and the program goes
// on. A failed read or write of the data file is told in one notice (a window
// left empty without a word could not be told from an empty bank); any other
// error is only logged.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Where data file failures are told; without one they are only logged.
    void setNotifier(Notifier *notifier) { m_notifier = notifier; }
    static QString storeFailureNotice(const QString &reason);

private:
    void tellStoreFailure(const QString &reason);

    Notifier *m_notifier = nullptr;
    bool m_telling = false;
};
