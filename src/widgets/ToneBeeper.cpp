#include "widgets/ToneBeeper.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>
#include <cmath>
#include <numbers>

namespace {

// How long a finished sink is kept before it is released, and how long past
// the tone's own length a sink is kept at most (should Idle never come).
constexpr int kLingerMs = 200;
constexpr int kSafetyMs = 2000;

void release(QAudioSink *sink, int afterMs)
{
    QTimer::singleShot(afterMs, sink, [sink] {
        sink->stop();
        sink->deleteLater();
    });
}

} // namespace

ToneBeeper::ToneBeeper(QObject *parent) : QObject(parent) {}

QByteArray ToneBeeper::tone(const QAudioFormat &format, int hz, int ms)
{
    const int rate = format.sampleRate();
    const int channels = format.channelCount();
    const int bytes = format.bytesPerSample();
    if (rate <= 0 || channels <= 0 || bytes <= 0 || ms <= 0 || hz <= 0)
        return {};
    const qsizetype frames = qsizetype(rate) * ms / 1000;
    QByteArray data(frames * channels * bytes, '\0');
    char *out = data.data();
    // A short fade at both ends keeps the tone free of clicks.
    const qsizetype fade = std::min<qsizetype>(frames / 10, rate / 200);
    for (qsizetype i = 0; i < frames; ++i) {
        double gain = 0.5;
        if (fade > 0 && i < fade)
            gain *= double(i) / fade;
        else if (fade > 0 && frames - i < fade)
            gain *= double(frames - i) / fade;
        const double v = gain * std::sin(2.0 * std::numbers::pi * hz * double(i) / rate);
        for (int c = 0; c < channels; ++c) {
            switch (format.sampleFormat()) {
            case QAudioFormat::UInt8:
                *reinterpret_cast<quint8 *>(out) = quint8(128 + v * 127);
                break;
            case QAudioFormat::Int16:
                qToLittleEndian<qint16>(qint16(v * 32767), out);
                break;
            case QAudioFormat::Int32:
                qToLittleEndian<qint32>(qint32(v * 2147483647.0), out);
                break;
            case QAudioFormat::Float:
                qToLittleEndian<float>(float(v), out);
                break;
            default:
                break;
            }
            out += bytes;
        }
    }
    return data;
}

void ToneBeeper::beep(int hz, int ms)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        format = device.preferredFormat();
    const QByteArray samples = tone(format, hz, ms);
    if (samples.isEmpty())
        return;

    auto *sink = new QAudioSink(device, format, this);
    auto *buffer = new QBuffer(sink);
    buffer->setData(samples);
    buffer->open(QIODevice::ReadOnly);
    connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState)
            release(sink, kLingerMs);
    });
    release(sink, ms + kSafetyMs);
    sink->start(buffer);
}
