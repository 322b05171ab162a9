#include "exam/ResultsReport.h"

#include "base/Clock.h"
#include "base/FileDialogs.h"
#include "base/Notifier.h"
#include "base/StoreError.h"

bool ResultsReport::refresh()
{
    try {
        const WorkerResults::Source source = WorkerResults::read(m_db, m_clock.now().date());
        m_workers = WorkerResults::build(source);
        m_line =
            WorkerResults::summaryLine(m_workers, WorkerResults::withoutRecords(source, m_workers));
        return true;
    } catch (const StoreError &error) {
        m_workers.clear();
        m_line = WorkerResults::kNotRead + error.reason() + QStringLiteral("。");
        m_notifier.inform(m_line);
        return false;
    }
}

bool ResultsReport::exportSheet(FileDialogs &dialogs, const QList<int> &order)
{
    if (m_workers.isEmpty()) {
        m_notifier.inform(WorkerResults::kNothingToExport);
        return false;
    }
    QString path = dialogs.saveFileName(kDialogCaption,
                                        WorkerResults::kTitle + QStringLiteral(".xlsx"), kFilter);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        path += QStringLiteral(".xlsx");
    QList<WorkerResults::Worker> ordered;
    for (const int place : order) {
        if (place >= 0 && place < m_workers.size())
            ordered.append(m_workers.at(place));
    }
    if (ordered.size() != m_workers.size())
        ordered = m_workers;
    QString reason;
    if (!m_writer(path, WorkerResults::kTitle, WorkerResults::sheet(ordered),
                  WorkerResults::sheetWidths(), &reason)) {
        m_notifier.inform(WorkerResults::kNotWritten + reason + QStringLiteral("。"));
        return false;
    }
    m_notifier.inform(WorkerResults::kWritten.arg(ordered.size()).arg(path));
    return true;
}
