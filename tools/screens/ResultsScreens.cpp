// The trainer's view "学员成绩" over four workers of a centre who practised a
// bank of three chapters, with mock examinations and quotas for the forecast,
// the fourth having only a practice log; a fifth worker never practised.
//   drillbay_screens --results <postgresql://… of an empty database> <output folder>
// The centre's tables are created in the database first.

#include "ResultsScreens.h"
#include "ScreenSupport.h"

#include "base/Clock.h"
#include "base/FileDialogs.h"
#include "editor/XlsxWriter.h"
#include "exam/ui/ResultsDesk.h"
#include "exam/ui/ResultsWindow.h"
#include "settings/PasswordCodec.h"
#include "settings/PasswordGate.h"
#include "store/AnswerTallyTable.h"
#include "store/ChapterTable.h"
#include "store/PracticeLogTable.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "store/RunHistoryTable.h"
#include "store/ServerSchema.h"
#include "store/ServerUrl.h"
#include "store/Sql.h"
#include "store/WorkerTable.h"
#include "store/WrongBookTable.h"

#include <QPushButton>
#include <QSqlError>
#include <cstdio>

namespace {

class NoDialogs : public FileDialogs
{
public:
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
};

class Noon : public Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 10), QTime(12, 0)); }
};

struct Practice
{
    QString name;
    QList<int> percentages; // runs over the chapters in turn
    QList<int> mocks;
    int wrong = 0;
    int rightOfTen = 0; // recent answers of every chapter
};

} // namespace

int resultsScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --results <server url> <output folder>\n");
        return 2;
    }
    QString error;
    const std::optional<ServerUrl> url = ServerUrl::parse(args.at(0), &error);
    if (!url) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("results"));
    db.setHostName(url->host);
    db.setPort(url->port);
    db.setUserName(url->user);
    db.setDatabaseName(url->database);
    db.setConnectOptions(url->options);
    if (!db.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
        return 1;
    }
    ServerSchema::create(db);
    sql::run(db, QStringLiteral("insert into reg(flag, pass) values('999', ?)"),
             {encodePassword(QStringLiteral("drillbay"))});
    const qint64 bank = sql::insert(
        db, QStringLiteral("insert into database_name(database_name, status) values(?, 1)"),
        {QStringLiteral("变电运行")});
    QList<qint64> chapters;
    QList<QList<qint64>> questions;
    const QStringList names{QStringLiteral("安全工作规程"), QStringLiteral("倒闸操作"),
                            QStringLiteral("事故处理")};
    for (const QString &name : names) {
        ChapterRow chapter;
        chapter.name = name;
        chapter.bankId = bank;
        chapter.examMinutes = 60;
        chapter.created = QStringLiteral("2026-11-01");
        chapter.creator = QStringLiteral("培训中心");
        chapters << ChapterTable(db).insert(chapter);
        QList<qint64> ids;
        for (int k = 0; k < 10; ++k)
            ids << sql::insert(db,
                               QStringLiteral("insert into question(试卷分类, 题目类型, 题目,"
                                              " 正确答案) values(?, 1, ?, '1')"),
                               {chapters.last(), QStringLiteral("%1 %2").arg(name).arg(k)});
        questions << ids;
        QuotaRow quota;
        quota.bankId = bank;
        quota.chapterId = chapters.last();
        quota.position = static_cast<int>(chapters.size());
        quota.quota = {10, 0, 0, 0, 0};
        QuotaTable(db).saveChapter(quota);
    }

    const QList<Practice> practices{
        {QStringLiteral("王建国"), {62, 71, 58, 80, 85, 77, 90}, {72, 81}, 6, 8},
        {QStringLiteral("李晓红"), {45, 52, 60}, {55}, 11, 5},
        {QStringLiteral("张伟"), {88, 93, 95, 91, 97, 99, 100, 96}, {92, 95, 98}, 2, 10},
        {QStringLiteral("陈静"), {}, {}, 0, 0},
    };
    int day = 0;
    for (const Practice &practice : practices) {
        const qint64 worker =
            WorkerTable(db).add(practice.name, QString(), QStringLiteral("2026-11-01T08:00:00"));
        WorkerTable::signIn(db, worker);
        for (int r = 0; r < practice.percentages.size(); ++r) {
            RunHistoryRow row;
            row.date = QDateTime(QDate(2026, 12, 1 + r), QTime(8 + day % 3, 10 * r % 60))
                           .toString(Qt::ISODate);
            row.kind = 1;
            row.bankId = bank;
            row.chapterId = chapters.at(r % chapters.size());
            row.objectiveTotal = 20;
            row.percentage = practice.percentages.at(r);
            RunHistoryTable(db).append(row);
        }
        for (int m = 0; m < practice.mocks.size(); ++m) {
            RunHistoryRow row;
            row.date = QDateTime(QDate(2026, 12, 3 + 2 * m), QTime(14, 30)).toString(Qt::ISODate);
            row.kind = 3;
            row.bankId = bank;
            row.chapterId = chapters.first();
            row.objectiveTotal = 30;
            row.points = practice.mocks.at(m) * 60 / 100;
            row.percentage = practice.mocks.at(m);
            RunHistoryTable(db).append(row);
        }
        for (int q = 0; q < practice.wrong; ++q)
            WrongBookTable(db).recordWrong(questions.at(q % 3).at(q / 3),
                                           QStringLiteral("2026-12-08T09:00:00"));
        for (int c = 0; c < chapters.size() && !practice.percentages.isEmpty(); ++c) {
            for (int k = 0; k < 10; ++k)
                AnswerTallyTable(db).add(QStringLiteral("2026-12-08"), questions.at(c).at(k), 1,
                                         k < practice.rightOfTen - c);
        }
        PracticeLogTable(db).append(QDateTime(QDate(2026, 12, 9), QTime(7 + day, 45)), 70,
                                    QStringLiteral("变电运行"));
        ++day;
    }
    WorkerTable(db).add(QStringLiteral("赵磊"), QString(), QStringLiteral("2026-12-09T08:00:00"));

    screens::PrintingNotifier notifier;
    PasswordGate gate(db, notifier);
    gate.check(QStringLiteral("drillbay"));
    Noon clock;
    NoDialogs dialogs;
    ResultsDesk desk(db, gate, notifier, clock, dialogs, &XlsxWriter::write);
    desk.command()->click();
    screens::savePicture(desk.window(), args.at(1), QStringLiteral("results.png"), 200);
    return 0;
}
