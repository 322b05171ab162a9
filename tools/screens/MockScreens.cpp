// Pictures of the mock examination in the program's own windows: quotas
// stored for the first chapters of the first enabled bank, that bank checked
// in the picker, "本类模拟考试" clicked, the paper window with its answers and
// the main window with the running examination; then the paper of one quota
// row as the quota page's view shows it.
//   drillbay_screens --mock <examination.mdb> <output folder>
// The database is copied first.

#include "MockScreens.h"
#include "ScreenSupport.h"

#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "exam/ui/MockExamDesk.h"
#include "exam/ui/QuotaDesk.h"
#include "exam/ui/QuotaPage.h"
#include "practice/ui/PickerWindow.h"
#include "question/QuestionType.h"
#include "store/Database.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "store/Sql.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

void shoot(QWidget *widget, const QString &folder, const QString &name)
{
    screens::savePicture(widget, folder, QStringLiteral("mock-%1.png").arg(name), 150);
}

// Stores quotas for the bank's first three chapters: up to three questions
// of each type, the first ones of the chapter. Returns the bank's name.
QString storeQuotas(const QSqlDatabase &db)
{
    QSqlQuery bankQuery =
        sql::run(db, QStringLiteral("select id, database_name from database_name where status "
                                    "<> 0 order by id limit 1"));
    if (!bankQuery.next())
        return QString();
    const qint64 bank = bankQuery.value(0).toLongLong();
    const QString name = bankQuery.value(1).toString();
    bankQuery.finish();
    QSqlQuery chapterQuery = sql::run(
        db, QStringLiteral("select id from fenlei where database_id = ? order by id limit 3"),
        {bank});
    QList<qint64> chapters;
    while (chapterQuery.next())
        chapters << chapterQuery.value(0).toLongLong();
    chapterQuery.finish();
    const QuestionTable questions(db);
    int position = 0;
    for (const qint64 chapter : chapters) {
        ++position;
        QVariantList values{bank, chapter, position};
        QStringList lists;
        int total = 0;
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            const QList<qint64> ids =
                questions.ids(QuestionScope::chapter(chapter).ofType(type)).mid(0, 3);
            values << static_cast<int>(ids.size());
            total += static_cast<int>(ids.size());
            lists << (ids.isEmpty() ? QStringLiteral("") : quota::listOf(QVector<qint64>(ids)));
        }
        values << total;
        for (const QString &list : lists)
            values << list;
        sql::run(db,
                 QStringLiteral("insert into rand_num (db_db_id, sele_zhang_id, sele_zhang_xuhao, "
                                "s_num, d_num, t_num, p_num, lunshu_num, total_num, s_num_shiti, "
                                "d_num_shiti, t_num_shiti, p_num_shiti, lunshu_num_shiti) values "
                                "(?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                 values);
    }
    return name;
}

} // namespace

int mockScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --mock <examination.mdb> <output folder>\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("mock"));
    if (!db.isOpen())
        return 1;
    sql::run(db, QStringLiteral("delete from rand_num"));
    const QString bank = storeQuotas(db);

    // The program's own windows, the picker's first bank checked.
    Windows windows(db, db);
    MainWindow *main = windows.main();
    PickerWindow *picker = windows.picker();
    main->show();
    QTest::qWait(200);
    picker->picker().refresh();
    for (int i = 0; i < picker->bankButtons().size(); ++i) {
        if (picker->picker().listBank(i))
            break;
    }
    picker->hide();
    std::fprintf(stderr, "picker's bank: %s (quotas stored for %s)\n",
                 qPrintable(picker->currentBankName()), qPrintable(bank));
    shoot(main, out, QStringLiteral("command"));

    main->findChild<QPushButton *>(MockExamDeskNames::examCommand)->click();
    QTest::qWait(300);
    QWidget *paper = windows.chapterPaper();
    shoot(paper, out, QStringLiteral("paper"));
    shoot(main, out, QStringLiteral("running"));
    paper->close();

    QSqlQuery rowQuery = sql::run(
        db, QStringLiteral("select id from rand_num order by sele_zhang_xuhao desc limit 1"));
    const qint64 row = rowQuery.next() ? rowQuery.value(0).toLongLong() : 0;
    rowQuery.finish();
    Q_EMIT windows.quotaDesk()->page()->paperRequested(PaperScope::ofRow(row));
    shoot(paper, out, QStringLiteral("row"));
    paper->close();
    return 0;
}
