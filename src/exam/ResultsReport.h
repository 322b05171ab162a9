#pragma once

#include "exam/WorkerResults.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

class Clock;
class FileDialogs;
class Notifier;

// What the window "学员成绩" shows and does: reads everyone's results anew
// when opened or refreshed, and exports them to a workbook. A failed read or
// write is told in one notice; the view then shows what it had, or nothing.
class ResultsReport
{
public:
    // Writes one sheet to a workbook at the path; false with the reason.
    using SheetWriter = std::function<bool(const QString &path, const QString &sheetName,
                                           const QList<QVariantList> &rows,
                                           const QList<double> &columnWidths, QString *reason)>;

    ResultsReport(QSqlDatabase db, Notifier &notifier, const Clock &clock, SheetWriter writer)
        : m_db(std::move(db)), m_notifier(notifier), m_clock(clock), m_writer(std::move(writer))
    {
    }

    // Reads the results; false (told to the user, the list emptied) when the
    // store could not be read.
    bool refresh();
    const QList<WorkerResults::Worker> &workers() const { return m_workers; }
    // The line above the tables.
    QString line() const { return m_line; }

    // "导出...": asks for a file and writes the workers in the given order
    // (places in workers(); every worker when empty). Returns whether it was written.
    bool exportSheet(FileDialogs &dialogs, const QList<int> &order = {});

    inline static const QString kDialogCaption = QStringLiteral("导出学员成绩");
    inline static const QString kFilter = QStringLiteral("Excel 工作簿 (*.xlsx)");

private:
    QSqlDatabase m_db;
    Notifier &m_notifier;
    const Clock &m_clock;
    SheetWriter m_writer;
    QList<WorkerResults::Worker> m_workers;
    QString m_line;
};
