#include "widgets/ToneBeeper.h"
#include "TestRegistry.h"

#include <QAudioFormat>
#include <QTest>
#include <QtEndian>

class ToneBeeperTest : public QObject
{
    Q_OBJECT

private slots:
    void tone_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("sampleFormat");
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("bytes");
        QTest::newRow("16 bit mono") << 44100 << 1 << int(QAudioFormat::Int16) << 100 << 8820;
        QTest::newRow("float stereo") << 48000 << 2 << int(QAudioFormat::Float) << 100 << 38400;
        QTest::newRow("8 bit mono") << 8000 << 1 << int(QAudioFormat::UInt8) << 100 << 800;
        QTest::newRow("no length") << 44100 << 1 << int(QAudioFormat::Int16) << 0 << 0;
        QTest::newRow("no format") << 0 << 0 << int(QAudioFormat::Unknown) << 100 << 0;
    }
    void tone()
    {
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, sampleFormat);
        QFETCH(int, ms);
        QFETCH(int, bytes);
        QAudioFormat format;
        format.setSampleRate(rate);
        format.setChannelCount(channels);
        format.setSampleFormat(QAudioFormat::SampleFormat(sampleFormat));
        const QByteArray samples = ToneBeeper::tone(format, 2000, ms);
        QCOMPARE(samples.size(), bytes);
        if (bytes == 0)
            return;
        // Not silence: some sample in the middle differs from the zero level.
        const char zero = sampleFormat == QAudioFormat::UInt8 ? char(128) : char(0);
        const QByteArray middle = samples.mid(samples.size() / 2, 64);
        QVERIFY(middle.count(zero) < middle.size());
    }

    // Without a sound device (as here) the beep is silent and returns at once.
    void beepWithoutDeviceReturns()
    {
        ToneBeeper beeper;
        beeper.beep(2000, 100);
        QTest::qWait(10);
    }
};

DRILLBAY_TEST(ToneBeeperTest)
#include "ToneBeeperTest.moc"
