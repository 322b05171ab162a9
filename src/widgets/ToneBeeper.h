#pragma once

#include "base/Beeper.h"

#include <QByteArray>
#include <QObject>

class QAudioFormat;

// Plays a sine tone on the default sound output. The samples are made in
// memory and played in the background; without an output device the beep is
// silent. Never waits for the sound system.
class ToneBeeper : public QObject, public Beeper
{
    Q_OBJECT

public:
    explicit ToneBeeper(QObject *parent = nullptr);

    void beep(int hz, int ms) override;

    // The samples of a tone in the given format (interleaved channels).
    static QByteArray tone(const QAudioFormat &format, int hz, int ms);
};
