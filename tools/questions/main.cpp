// drillbay_questions: imports a question list into a chapter, or exports a
// chapter's questions as a list.
//   import DATABASE CHAPTER FILE [--dry-run]
//     prints a line per question, "<line>\t<status>\t<type>\t<stem, 30 characters>",
//     then a summary line; stores every importable question in one
//     transaction unless --dry-run is given.
//   export DATABASE CHAPTER FILE.xlsx|FILE.txt [--utf8]
//     a text file is written in GBK unless --utf8 is given.
// CHAPTER is the chapter's full name. Exit status: 0 done, 1 a file that
// cannot be read or written, a chapter that does not exist or a failed store,
// 2 wrong arguments.
#include "editor/ImportPlan.h"
#include "editor/QuestionListExport.h"
#include "editor/QuestionListReader.h"
#include "question/QuestionType.h"
#include "store/ChapterTable.h"
#include "store/Database.h"
#include "store/QuestionTable.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <limits>

namespace {

void out(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

int fail(const QString &message)
{
    std::fputs(QString(QStringLiteral("drillbay_questions: ") + message).toUtf8().constData(),
               stderr);
    std::fputc('\n', stderr);
    return 1;
}

int usage()
{
    std::fputs("usage: drillbay_questions import DATABASE CHAPTER FILE [--dry-run]\n"
               "       drillbay_questions export DATABASE CHAPTER FILE.xlsx|FILE.txt [--utf8]\n",
               stderr);
    return 2;
}

int importList(const QSqlDatabase &db, const ChapterRow &chapter, const QString &file, bool dryRun)
{
    const ListReading reading = QuestionListReader::readFile(file);
    if (!reading.ok())
        return fail(reading.error);
    const ImportPlan plan = ImportPlan::forChapter(reading.drafts, db, chapter.id);
    for (const ImportPlan::Item &item : plan.items()) {
        QString stem = item.source.draft.stem.simplified();
        if (stem.size() > 30)
            stem = stem.left(30);
        out(QString::number(item.source.line) + QLatin1Char('\t') + item.status +
            QLatin1Char('\t') + question::typeName(item.source.draft.type) + QLatin1Char('\t') +
            stem);
    }
    const QStringList summary = plan.summary();
    if (dryRun) {
        out(summary.last() + QStringLiteral("（未导入）"));
        return 0;
    }
    const ImportPlan::Outcome outcome = plan.store(db, chapter.id);
    if (!outcome.stored)
        return fail(outcome.message);
    out(summary.last() + QStringLiteral("；已导入 %1 道").arg(outcome.total));
    return 0;
}

int exportList(const QSqlDatabase &db, const ChapterRow &chapter, const QString &file, bool utf8)
{
    const QList<QuestionRow> questions =
        QuestionTable(db).read(QuestionScope::chapter(chapter.id), std::numeric_limits<int>::max());
    QString reason;
    if (!QuestionListExport::write(
            file, questions,
            utf8 ? QuestionListExport::Encoding::Utf8 : QuestionListExport::Encoding::Gbk, &reason))
        return fail(QuestionListExport::kNotWritten + reason);
    out(QuestionListExport::kWritten.arg(questions.size()).arg(file));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool dryRun = args.removeAll(QStringLiteral("--dry-run")) > 0;
    const bool utf8 = args.removeAll(QStringLiteral("--utf8")) > 0;
    if (args.size() != 4)
        return usage();
    const QString command = args[0];
    if (command != u"import" && command != u"export")
        return usage();
    if ((dryRun && command != u"import") || (utf8 && command != u"export"))
        return usage();

    QString error;
    const QSqlDatabase db = Database::open(
        args[1], QStringLiteral("drillbay_questions"), &error,
        dryRun || command == u"export" ? Database::Access::ReadOnly : Database::Access::ReadWrite);
    if (!db.isOpen())
        return fail(error);
    const std::optional<ChapterRow> chapter = ChapterTable(db).findByName(args[2]);
    if (!chapter)
        return fail(QStringLiteral("没有名为“%1”的章节").arg(args[2]));
    return command == u"import" ? importList(db, *chapter, args[3], dryRun)
                                : exportList(db, *chapter, args[3], utf8);
}
