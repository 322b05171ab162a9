// libFuzzer target for the RTF reader, built and run by scripts/fuzz (never by
// the normal build). Every input must come back without a crash, within the
// sanitizer's limits, and with text in proportion to its bytes.
#include "RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Damaged pictures make Qt's image readers complain on every run; the
    // fuzzer's own output is what counts.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    rtf::readInto(bytes, document);
    const QString text = rtf::plainText(document);
    // A table row of the widest table (64 cells) costs a few bytes of input;
    // nothing else the reader makes grows faster than that.
    if (text.size() > 80 * qsizetype(size) + 1024)
        __builtin_trap();
    return 0;
}
