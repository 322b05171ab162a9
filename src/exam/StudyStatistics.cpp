#include "exam/StudyStatistics.h"

#include "question/RunMode.h"
#include "store/AnswerTallyTable.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "store/RunHistoryTable.h"
#include "store/WrongBookTable.h"

#include <QHash>
#include <QMap>
#include <algorithm>
#include <optional>

QString StudyStatistics::kindName(int kind)
{
    switch (static_cast<RunMode>(kind)) {
    case RunMode::SequentialSet:
        return QStringLiteral("顺序练习");
    case RunMode::RandomPractice:
        return QStringLiteral("随机练习");
    case RunMode::MockExamination:
        return QStringLiteral("模拟考试");
    case RunMode::WrongBookPractice:
        return QStringLiteral("错题练习");
    default:
        return QStringLiteral("其他");
    }
}

QString StudyStatistics::emptyLine()
{
    return QStringLiteral("还没有交卷评阅过的练习记录，图表暂时为空。");
}

StudyStatistics::Data StudyStatistics::read(const QSqlDatabase &db, const QString &currentChapter,
                                            const QDate &today, int passMark)
{
    Data data;
    data.passMark = passMark;
    const std::optional<ChapterRow> current = ChapterTable(db).findByName(currentChapter);
    if (!current)
        return data;
    const qint64 bankId = current->bankId;
    const std::optional<BankRow> bank = BankTable(db).find(bankId);
    data.bank = bank ? bank->name : QString();

    // The days give the lines and, counted by their Monday, the weeks.
    QHash<int, int> seriesOf;
    QMap<QDate, int> weeks;
    for (const RunHistoryTable::DayMean &day : RunHistoryTable(db).daily(bankId)) {
        const QDate date = QDate::fromString(day.day, Qt::ISODate);
        if (!date.isValid())
            continue;
        data.runs += day.runs;
        weeks[date.addDays(1 - date.dayOfWeek())] += day.runs;
        if (day.scored == 0)
            continue;
        if (!seriesOf.contains(day.kind)) {
            seriesOf.insert(day.kind, static_cast<int>(data.series.size()));
            data.series.append({day.kind, kindName(day.kind), {}});
        }
        data.series[seriesOf.value(day.kind)].points.append({date, day.percentage});
    }
    for (auto week = weeks.cbegin(); week != weeks.cend(); ++week)
        data.weeks.append({week.key(), week.value()});

    // Per chapter: questions, known, recent answers per type, book entries.
    const QuestionTable questions(db);
    const QHash<qint64, int> counts = questions.countsPerChapter(bankId);
    const QHash<qint64, int> known = questions.knownPerChapter(bankId);
    const QString since = today.addDays(-(kRecentDays - 1)).toString(Qt::ISODate);
    QHash<qint64, QHash<int, AnswerTallyTable::Tally>> tallies;
    for (const AnswerTallyTable::Tally &tally : AnswerTallyTable(db).ofBankSince(bankId, since))
        tallies[tally.chapterId].insert(tally.type, tally);
    QHash<qint64, int> book;
    for (const auto &[chapterId, count] : WrongBookTable(db).countsPerChapter(bankId))
        book.insert(chapterId, count);

    for (const ChapterRow &chapter : ChapterTable(db).ofBank(bankId)) {
        ChapterBar bar;
        bar.id = chapter.id;
        bar.name = chapter.name;
        bar.questions = counts.value(chapter.id);
        bar.knownShare = bar.questions > 0 ? 100.0 * known.value(chapter.id) / bar.questions : 0;
        int right = 0;
        for (const AnswerTallyTable::Tally &tally : tallies.value(chapter.id)) {
            bar.answered += tally.answered;
            right += tally.right;
        }
        bar.rightShare = bar.answered > 0 ? 100.0 * right / bar.answered : 0;
        bar.bookCount = book.value(chapter.id);
        data.chapters.append(bar);
    }
    std::stable_sort(data.chapters.begin(), data.chapters.end(),
                     [](const ChapterBar &a, const ChapterBar &b) {
                         if (a.rightShare != b.rightShare)
                             return a.rightShare < b.rightShare;
                         if (a.knownShare != b.knownShare)
                             return a.knownShare < b.knownShare;
                         return a.bookCount > b.bookCount;
                     });

    // The forecast: the quotas of the objective types, with their chapter's recent answers.
    QList<PassForecast::Cell> cells;
    for (const QuotaRow &row : QuotaTable(db).ofBank(bankId)) {
        if (!counts.contains(row.chapterId) && !ChapterTable(db).find(row.chapterId))
            continue;
        for (const int type : {1, 2, 4}) {
            const AnswerTallyTable::Tally tally = tallies.value(row.chapterId).value(type);
            cells.append(
                {row.quota[static_cast<std::size_t>(type - 1)], tally.answered, tally.right});
        }
    }
    data.forecast = PassForecast::forecast(cells, passMark);
    return data;
}
