#include "exam/WorkerResults.h"

#include "exam/StudyStatistics.h"
#include "question/RunMode.h"
#include "settings/StudySettings.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/WorkerResultsTable.h"

#include <QSet>
#include <algorithm>

namespace {

constexpr int kNamedWithout = 20; // workers without records named in the line
const QString kNone = QStringLiteral("—");

// "2026-12-01T08:30:15" as "2026-12-01 08:30".
QString shownDate(const QString &iso)
{
    QString text = iso.left(16);
    if (text.size() > 10 && text.at(10) == QLatin1Char('T'))
        text[10] = QLatin1Char(' ');
    return text;
}

WorkerResults::Cell percentCell(const std::optional<int> &percentage)
{
    if (!percentage)
        return {kNone, -1};
    return {QString::number(*percentage) + QLatin1Char('%'), *percentage};
}

WorkerResults::Cell numberCell(int value)
{
    return {QString::number(value), value};
}

WorkerResults::Cell textCell(const QString &text)
{
    return {text, text};
}

WorkerResults::Cell dateCell(const QString &iso)
{
    return {shownDate(iso), iso};
}

// A cell as the workbook takes it: whole numbers as numbers, the rest as text.
QVariant sheetValue(const WorkerResults::Cell &cell)
{
    if (cell.key.typeId() == QMetaType::Int && cell.key.toInt() >= 0)
        return cell.key.toInt();
    return cell.text == kNone ? QString() : cell.text;
}

QVariantList sheetRow(const QString &first, const QList<WorkerResults::Cell> &cells)
{
    QVariantList row;
    if (!first.isNull())
        row << first;
    for (const WorkerResults::Cell &cell : cells)
        row << sheetValue(cell);
    return row;
}

QVariantList headerRow(const QString &first, const QStringList &columns)
{
    QVariantList row;
    if (!first.isNull())
        row << first;
    for (const QString &column : columns)
        row << column;
    return row;
}

} // namespace

QList<WorkerResults::Worker> WorkerResults::build(const Source &source)
{
    QHash<qint64, WorkerRunSummary> summaries;
    for (const WorkerRunSummary &summary : source.summaries)
        summaries.insert(summary.workerId, summary);
    QHash<qint64, QList<Chapter>> chapters;
    for (const WorkerChapterFigures &row : source.chapters) {
        chapters[row.workerId].append(
            {row.chapterName.isEmpty() ? QString() : row.bankName,
             row.chapterName.isEmpty() ? kDeletedChapter : row.chapterName, row.runs, row.last,
             row.best, row.latest});
    }
    QHash<qint64, QList<MockExam>> mocks;
    for (const WorkerRun &run : source.mocks)
        mocks[run.workerId].append({run.date, run.bankName.isEmpty() ? kDeletedBank : run.bankName,
                                    run.points, run.percentage});
    QHash<qint64, QHash<QPair<qint64, int>, WorkerTally>> tallies;
    for (const WorkerTally &tally : source.tallies)
        tallies[tally.workerId].insert({tally.chapterId, tally.type}, tally);

    QList<Worker> workers;
    for (const ResultWorker &person : source.workers) {
        const WorkerRunSummary summary = summaries.value(person.id);
        const WorkerLogSummary log = source.logs.value(person.id);
        const int bookSize = source.bookSizes.value(person.id);
        if (summary.runs == 0 && log.records == 0 && bookSize == 0)
            continue;
        Worker worker;
        worker.id = person.id;
        worker.name = person.name;
        worker.runs = summary.runs;
        worker.latest = std::max(summary.latest, log.latest);
        worker.bookSize = bookSize;
        worker.chapters = chapters.value(person.id);
        std::stable_sort(worker.chapters.begin(), worker.chapters.end(),
                         [](const Chapter &a, const Chapter &b) { return a.bank < b.bank; });
        worker.mocks = mocks.value(person.id);
        worker.passMark =
            std::clamp(source.passMarks.value(person.id, StudySettings::kPassMarkDefault),
                       StudySettings::kPassMarkMin, StudySettings::kPassMarkMax);
        if (summary.latestBankId != 0 && source.bankNames.contains(summary.latestBankId)) {
            worker.forecastBank = source.bankNames.value(summary.latestBankId);
            // As the statistics window forecasts: the bank's quotas of the
            // objective types, each with the chapter's recent answers.
            QList<PassForecast::Cell> cells;
            const auto mine = tallies.value(person.id);
            for (const QuotaRow &row : source.quotas.value(summary.latestBankId)) {
                for (const int type : {1, 2, 4}) {
                    const WorkerTally tally = mine.value({row.chapterId, type});
                    cells.append({row.quota[static_cast<std::size_t>(type - 1)], tally.answered,
                                  tally.right});
                }
            }
            worker.forecast = PassForecast::forecast(cells, worker.passMark);
        }
        workers.append(worker);
    }
    // By name as the characters run, the same on either store.
    std::stable_sort(workers.begin(), workers.end(),
                     [](const Worker &a, const Worker &b) { return a.name < b.name; });
    return workers;
}

QStringList WorkerResults::withoutRecords(const Source &source, const QList<Worker> &workers)
{
    QSet<qint64> shown;
    for (const Worker &worker : workers)
        shown.insert(worker.id);
    QStringList names;
    // The data file's implicit worker is no person of a centre.
    if (source.workers.size() == 1 && source.workers.first().id == WorkerResultsTable::kLocalWorker)
        return names;
    for (const ResultWorker &person : source.workers) {
        if (!shown.contains(person.id))
            names.append(person.name);
    }
    return names;
}

WorkerResults::Source WorkerResults::read(const QSqlDatabase &db, const QDate &today)
{
    const WorkerResultsTable table(db);
    Source source;
    source.workers = table.workers();
    source.summaries = table.runSummaries();
    const int mock = static_cast<int>(RunMode::MockExamination);
    source.chapters = table.chapterFigures(mock);
    source.mocks = table.runsOfKind(mock);
    source.bookSizes = table.bookSizes();
    source.logs = table.logSummaries();
    source.tallies = table.talliesSince(
        today.addDays(-(StudyStatistics::kRecentDays - 1)).toString(Qt::ISODate));
    source.passMarks = table.studySetting(StudySettings::passMarkName());
    for (const BankRow &bank : BankTable(db).all())
        source.bankNames.insert(bank.id, bank.name);
    for (const WorkerRunSummary &summary : source.summaries) {
        const qint64 bank = summary.latestBankId;
        if (bank == 0 || source.quotas.contains(bank) || !source.bankNames.contains(bank))
            continue;
        QSet<qint64> existing;
        for (const ChapterRow &chapter : ChapterTable(db).ofBank(bank))
            existing.insert(chapter.id);
        QList<QuotaRow> rows;
        for (const QuotaRow &row : QuotaTable(db).ofBank(bank)) {
            if (existing.contains(row.chapterId))
                rows.append(row);
        }
        source.quotas.insert(bank, rows);
    }
    return source;
}

QStringList WorkerResults::workerColumns()
{
    return {QStringLiteral("学员"),     QStringLiteral("练习次数"), QStringLiteral("最近练习"),
            QStringLiteral("模拟考试"), QStringLiteral("最近模拟"), QStringLiteral("最好模拟"),
            QStringLiteral("错题本"),   QStringLiteral("预测题库"), QStringLiteral("及格概率")};
}

QList<WorkerResults::Cell> WorkerResults::workerCells(const Worker &worker)
{
    std::optional<int> best;
    for (const MockExam &mock : worker.mocks) {
        if (mock.percentage && (!best || *mock.percentage > *best))
            best = mock.percentage;
    }
    const std::optional<int> last =
        worker.mocks.isEmpty() ? std::nullopt : worker.mocks.first().percentage;
    Cell chance{kNone, -1.0};
    if (worker.forecast.questions > 0)
        chance = {QString::number(worker.forecast.passChance * 100.0, 'f', 1) + QLatin1Char('%'),
                  worker.forecast.passChance};
    return {textCell(worker.name),
            numberCell(worker.runs),
            dateCell(worker.latest),
            numberCell(static_cast<int>(worker.mocks.size())),
            percentCell(last),
            percentCell(best),
            numberCell(worker.bookSize),
            textCell(worker.forecastBank),
            chance};
}

QStringList WorkerResults::chapterColumns()
{
    return {QStringLiteral("题库"),       QStringLiteral("章节"),       QStringLiteral("练习次数"),
            QStringLiteral("最近得分率"), QStringLiteral("最好得分率"), QStringLiteral("最近练习")};
}

QList<WorkerResults::Cell> WorkerResults::chapterCells(const Chapter &chapter)
{
    return {textCell(chapter.bank),    textCell(chapter.name),    numberCell(chapter.runs),
            percentCell(chapter.last), percentCell(chapter.best), dateCell(chapter.latest)};
}

QStringList WorkerResults::mockColumns()
{
    return {QStringLiteral("考试日期"), QStringLiteral("题库"), QStringLiteral("得分"),
            QStringLiteral("得分率")};
}

QList<WorkerResults::Cell> WorkerResults::mockCells(const MockExam &mock)
{
    return {dateCell(mock.date), textCell(mock.bank), numberCell(mock.points),
            percentCell(mock.percentage)};
}

QString WorkerResults::summaryLine(const QList<Worker> &workers, const QStringList &without)
{
    QString line = workers.isEmpty()
                       ? QStringLiteral("还没有学员交卷评阅过练习，成绩表暂时为空。")
                       : QStringLiteral("共 %1 名学员有练习记录；点击列标题排序，点击一名学员"
                                        "查看其各章成绩和模拟考试。")
                             .arg(workers.size());
    if (!without.isEmpty()) {
        line += QStringLiteral("尚无练习记录的学员 %1 名：").arg(without.size()) +
                without.mid(0, kNamedWithout).join(QStringLiteral("、"));
        if (without.size() > kNamedWithout)
            line += QStringLiteral(" 等");
        line += QStringLiteral("。");
    }
    return line;
}

QList<QVariantList> WorkerResults::sheet(const QList<Worker> &workers)
{
    QList<QVariantList> rows;
    rows << headerRow(QString(), workerColumns());
    for (const Worker &worker : workers)
        rows << sheetRow(QString(), workerCells(worker));
    rows << QVariantList{};
    rows << QVariantList{QStringLiteral("各章成绩")};
    rows << headerRow(QStringLiteral("学员"), chapterColumns());
    for (const Worker &worker : workers) {
        for (const Chapter &chapter : worker.chapters)
            rows << sheetRow(worker.name, chapterCells(chapter));
    }
    rows << QVariantList{};
    rows << QVariantList{QStringLiteral("模拟考试")};
    rows << headerRow(QStringLiteral("学员"), mockColumns());
    for (const Worker &worker : workers) {
        for (const MockExam &mock : worker.mocks)
            rows << sheetRow(worker.name, mockCells(mock));
    }
    return rows;
}

QList<double> WorkerResults::sheetWidths()
{
    return {16, 16, 24, 12, 12, 12, 18, 18, 12};
}
