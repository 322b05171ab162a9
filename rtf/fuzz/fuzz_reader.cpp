// libFuzzer target for the RTF reader, built and run by scripts/fuzz (never by
// the normal build). Every input must come back without a crash, within the
// sanitizer's limits and within the budget of a document: its counts and what
// the document holds (as the corpus test checks them), the time it takes and
// the memory it needs.
#include "RtfReader.h"
#include "fuzz/BudgetCheck.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace {

// A document of 50 MB reads within 5 s; the inputs here are a few MB, but the
// sanitizer makes everything slower, so 5 s of processor time is the bound.
constexpr double kMostSeconds = 5.0;
// A document of 50 MB reads within 300 MB; with the sanitizer's own memory on
// top, a few-MB input that needs more than this has broken its budget.
constexpr qint64 kMostGrowthKb = 512 * 1024;

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The process's resident memory and its peak since the peak was last reset, in kB.
qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

[[noreturn]] void overBudget(const char *what, const QString &detail)
{
    std::fprintf(stderr, "over the budget of a document: %s %s\n", what, qPrintable(detail));
    __builtin_trap();
}

} // namespace

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
    resetPeak();
    const qint64 before = statusKb("VmRSS:");
    const double started = threadSeconds();
    {
        QTextDocument document;
        rtf::Tally tally;
        rtf::ReadOptions options;
        options.tally = &tally;
        rtf::readInto(bytes, document, options);
        const QString text = rtf::plainText(document);
        const double seconds = threadSeconds() - started;
        if (seconds > kMostSeconds)
            overBudget("time", QStringLiteral("%1 s").arg(seconds));
        const QString over = rtf::overBudget(document, text, tally, options.limits, bytes.size());
        if (!over.isEmpty())
            overBudget("counts", over);
    }
    const qint64 growth = statusKb("VmHWM:") - before;
    if (before > 0 && growth > kMostGrowthKb)
        overBudget("memory", QStringLiteral("%1 MB").arg(growth / 1024));
    return 0;
}
