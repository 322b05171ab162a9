// Program start to the picker on screen, on a given database (e.g. a synthetic
// bank of 100,000 questions). Times from the moment the process was created,
// so loading the libraries counts too. Baseline: a bare count(*) over the
// question table on the same file.
// Usage: bench_startup DATABASE   (with a display, or QT_QPA_PLATFORM=offscreen)
#include "BenchUtil.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "practice/ui/PickerWindow.h"
#include "store/Database.h"
#include "store/Sql.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <unistd.h>

namespace {

// Milliseconds since this process was created, from /proc.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray statText = stat.readAll();
    // Field 22 (start time in clock ticks) counts from after the command name.
    const QList<QByteArray> fields = statText.mid(statText.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    const double up = uptime.readAll().split(' ').value(0).toDouble();
    return (up - startTicks / sysconf(_SC_CLK_TCK)) * 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QString error;
    QSqlDatabase mainDb = Database::open(path, QStringLiteral("main"), &error);
    QSqlDatabase pickerDb = Database::open(path, QStringLiteral("picker"), &error);
    if (!mainDb.isOpen() || !pickerDb.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Windows windows(mainDb, pickerDb);
    windows.main()->show();
    while (!windows.picker()->isVisible())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    const double shown = msSinceProcessStart();

    QElapsedTimer timer;
    timer.start();
    const qint64 all = sql::scalar(mainDb, QStringLiteral("select count(*) from 考试训练题库"));
    const double count = timer.nsecsElapsed() / 1e6;
    std::printf("%lld questions\n", static_cast<long long>(all));
    std::printf("process start to picker shown: %.2f ms (baseline: select count(*) %.2f ms)\n",
                shown, count);
    return exitCode(bench("start_to_picker", shown, 1000, count));
}
