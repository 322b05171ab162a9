#pragma once

#include <QString>
#include <QStringList>

class RandomSource;

// The slogan strip across the top of the work area: a text that moves one
// pixel to the left a tick and, once gone past the left edge, comes back from
// the right, mostly with another slogan. A click on the strip stops it (the
// text is hidden) and starts it again.
class SloganMarquee
{
public:
    static constexpr int kTickMs = 50;
    static constexpr int kStartX = 709;
    static constexpr int kLeftEdge = -150;
    static constexpr int kReentryX = 950;
    // A draw takes one of this many numbers; the first kFirstSlogan of them keep the text.
    static constexpr int kDrawRange = 20;
    static constexpr int kFirstSlogan = 2;

    static inline const QString kInitialText =
        QStringLiteral("电力工作人员必备环节  电力安全高于一切");

    // The slogans in the order of their draw numbers 2, 3, … 19, each with its
    // trailing blanks.
    static const QStringList &slogans();

    explicit SloganMarquee(RandomSource &random) : m_random(random) {}

    // One step: one pixel to the left; past the left edge, a draw and the text
    // back at the right. True when the text changed.
    bool tick();
    // Stops a running strip and starts a stopped one.
    void toggle() { m_running = !m_running; }

    int x() const { return m_x; }
    const QString &text() const { return m_text; }
    // Running: ticking and shown. Stopped: still and hidden.
    bool running() const { return m_running; }

private:
    RandomSource &m_random;
    int m_x = kStartX;
    QString m_text = kInitialText;
    bool m_running = true;
};
