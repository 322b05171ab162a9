#pragma once

#include <QObject>
#include <QString>

class Beeper;

// The examination countdown that times every run. It owns no timer: the
// window's one-second timer calls tick() while isRunning() is true (follow
// runningChanged()). Reaching zero stops the countdown, sets "00:00" and emits
// expired(); the owner then grades the run.
//
// One grading at a time: the countdown stops itself before it reports zero,
// and grading stops it when it begins, so while a review is open no tick can
// reach zero again. Ticks while stopped change nothing.
class Countdown : public QObject
{
    Q_OBJECT

public:
    static constexpr int kToneHz = 2000;
    static constexpr int kToneMs = 100;

    explicit Countdown(Beeper *beeper = nullptr, QObject *parent = nullptr);

    // Runs with the given minutes left; a start while running sets the time anew.
    void start(int minutes);
    // Stops; the seconds left and the label keep their values.
    void stop();

    bool isRunning() const { return m_running; }
    int remaining() const { return m_remaining; }
    QString label() const { return m_label; }

    // One second has passed. Returns true when this tick reached zero.
    bool tick();

    // The label text for the seconds left: "59:59", "01:00", "0:59" ... "0:1".
    static QString labelFor(int remaining);

signals:
    void labelChanged(const QString &text);
    void runningChanged(bool running);
    void expired();

private:
    void setRunning(bool running);
    void setLabel(const QString &text);

    Beeper *m_beeper = nullptr;
    bool m_running = false;
    int m_remaining = 0;
    QString m_label;
};
