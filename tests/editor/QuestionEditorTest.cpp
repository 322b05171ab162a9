#include "RecordingNotifier.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/GbkText.h"
#include "editor/QuestionEditor.h"
#include "question/QuestionType.h"
#include "store/ChapterTable.h"
#include "store/QuestionCodec.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "store/Sql.h"

#include <QTest>

namespace {

const QString kNoChapter =
    QStringLiteral("[软件提示]：未选择章节试题,请选择;如果要建立新章节，则点击【新建一章试题】.");

// An editor on a fresh database with one bank "甲库" and its chapter "第一章"
// chosen.
struct Bench
{
    TestDatabase db;
    RecordingNotifier notifier;
    QuestionEditor editor{db.db(), notifier};
    qint64 bank = 0;
    qint64 chapter = 0;

    Bench()
    {
        bank = db.addBank(QStringLiteral("甲库"));
        chapter = db.addChapter(bank, QStringLiteral("第一章"));
    }
    void choose()
    {
        QCOMPARE(editor.reloadBanks(), QuestionEditor::Outcome::Done);
        QCOMPARE(editor.chooseBank(0), QuestionEditor::Outcome::Done);
        editor.chooseChapter(0);
    }
    qint64 add(int type, const QString &stem = QStringLiteral("题"))
    {
        return db.addQuestion(chapter, type, stem, {"a", "b", "c", "d"}, QStringLiteral("1"));
    }
    int questions() const { return QuestionTable(db.db()).count(QuestionScope::chapter(chapter)); }
    void failOn(const QString &operation, const QString &table)
    {
        db.refuseWrites(operation, table, QStringLiteral("attempt to write a readonly database"));
    }
};

QuestionDraft draftOf(int type, const QString &answer)
{
    QuestionDraft draft;
    draft.type = type;
    draft.stem = QStringLiteral(" 装设接地线应先接导体端。 ");
    if (type <= 2)
        draft.options = {QStringLiteral(" 甲 "), QStringLiteral("乙"), QStringLiteral("丙"),
                         QStringLiteral("丁")};
    draft.answer = answer;
    draft.points = QStringLiteral("3");
    return draft;
}

QList<qint64> idsOf(const BrowseList &list)
{
    QList<qint64> ids;
    for (const BrowseRow &row : list.rows())
        ids << row.id;
    return ids;
}

} // namespace

// The editor's state, its writes and their database effects.
class QuestionEditorTest : public QObject
{
    Q_OBJECT

private slots:
    // Every enabled bank in id order, however many there are.
    void banksOffered()
    {
        Bench b;
        for (int i = 2; i <= 8; ++i)
            b.db.addBank(QStringLiteral("库%1").arg(i), i != 4, 20 - i);
        QCOMPARE(b.editor.reloadBanks(), QuestionEditor::Outcome::Done);
        QCOMPARE(b.editor.bankNames(),
                 (QStringList{"甲库", "库8", "库7", "库6", "库5", "库3", "库2"}));
    }

    void chapterItemsNumbered()
    {
        Bench b;
        for (int i = 2; i <= 12; ++i)
            b.db.addChapter(b.bank, QStringLiteral("章%1").arg(i));
        b.add(1);
        b.add(4);
        b.editor.reloadBanks();
        b.editor.chooseBank(0);
        const QStringList items = b.editor.chapterItems();
        QCOMPARE(items.size(), 12);
        QCOMPARE(items.at(0), QStringLiteral("【01】第一章(2道)"));
        QCOMPARE(items.at(8), QStringLiteral("【09】章9(0道)"));
        QCOMPARE(items.at(11), QStringLiteral("【12】章12(0道)"));
        QCOMPARE(b.editor.bankIdText(), QString::number(b.bank));
        // No chapter is current until one is chosen.
        QCOMPARE(b.editor.currentChapter(), qint64(0));
        QCOMPARE(b.editor.counterText(1), QStringLiteral("[000]"));
    }

    // Choosing a chapter counts its types and lists the first type it holds.
    void chooseChapterBrowses()
    {
        Bench b;
        b.add(3);
        b.add(5);
        b.add(3);
        b.choose();
        QCOMPARE(b.editor.currentChapter(), b.chapter);
        QCOMPARE(b.editor.counterText(1), QStringLiteral("[0]"));
        QCOMPARE(b.editor.counterText(3), QStringLiteral("[2]"));
        QCOMPARE(b.editor.counterText(5), QStringLiteral("[1]"));
        QCOMPARE(b.editor.browse().type(), 3);
        QCOMPARE(b.editor.browse().rowCount(), 2);
        QVERIFY(b.notifier.notices.isEmpty());
    }

    void noChapterChosen()
    {
        Bench b;
        QCOMPARE(b.editor.refreshCounters(), QuestionEditor::Outcome::NoChapter);
        QCOMPARE(b.editor.save(draftOf(3, QStringLiteral("x"))),
                 QuestionEditor::Outcome::NoChapter);
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::Next), QuestionEditor::Outcome::NoChapter);
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::First), QuestionEditor::Outcome::NoChapter);
        QCOMPARE(
            b.notifier.notices,
            (QStringList{kNoChapter, kNoChapter, kNoChapter,
                         QStringLiteral("[软件提示]：未选择章节试题,请选择;如果要建立新试题章节，"
                                        "则点击【新建一章试题】.")}));
        QCOMPARE(b.questions(), 0);
    }

    void saveStoresRow_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("stored");
        QTest::newRow("single C") << 1 << "3"
                                  << "3";
        QTest::newRow("multiple B and D") << 2 << "24"
                                          << "24";
        QTest::newRow("multiple all") << 2 << "1234"
                                      << "1234";
        QTest::newRow("fill-in, blanks trimmed when stored") << 3 << " 停电 "
                                                             << "停电";
        QTest::newRow("true/false wrong") << 4 << "0"
                                          << "0";
        QTest::newRow("essay") << 5 << "  答案文字  "
                               << "答案文字";
    }
    void saveStoresRow()
    {
        QFETCH(int, type);
        QFETCH(QString, answer);
        QFETCH(QString, stored);
        Bench b;
        b.choose();
        QCOMPARE(b.editor.save(draftOf(type, answer)), QuestionEditor::Outcome::Done);
        QVERIFY(b.notifier.notices.isEmpty());
        const QList<QuestionRow> rows =
            QuestionTable(b.db.db()).read(QuestionScope::chapter(b.chapter), 10);
        QCOMPARE(rows.size(), 1);
        const QuestionRow &row = rows.first();
        QCOMPARE(row.type, type);
        QCOMPARE(row.stem, QStringLiteral("装设接地线应先接导体端。"));
        QCOMPARE(row.answer, stored);
        QCOMPARE(row.points, 3);
        QVERIFY(row.toPractise);
        QCOMPARE(row.options[0], type <= 2 ? QStringLiteral("甲") : QString());
        // Texts are stored in their encoded form.
        const QString raw = QString::fromLatin1(
            QByteArray::number(sql::scalar(b.db.db(),
                                           QStringLiteral("select count(*) from "
                                                          "考试训练题库 where 题目 = ?"),
                                           {encodeQuestionText(row.stem)})));
        QCOMPARE(raw, QStringLiteral("1"));
        QCOMPARE(b.editor.counterText(type), QStringLiteral("[1]"));
    }

    void refusedSaveStoresNothing()
    {
        Bench b;
        b.choose();
        QuestionDraft draft = draftOf(1, QString());
        QCOMPARE(b.editor.save(draft), QuestionEditor::Outcome::Refused);
        draft.answer = QStringLiteral("1");
        draft.points.clear();
        QCOMPARE(b.editor.save(draft), QuestionEditor::Outcome::ResetPoints);
        draft.points = QStringLiteral("2a");
        QCOMPARE(b.editor.save(draft), QuestionEditor::Outcome::Refused);
        QCOMPARE(b.notifier.notices,
                 (QStringList{QStringLiteral("[软件提示]：请选择正确答案."),
                              QStringLiteral("[软件提示]：分值不能为空,自动填写默认分值 2 分."),
                              QStringLiteral("[软件提示]：分值必须是整数，请重新填写.")}));
        QCOMPARE(b.questions(), 0);
    }

    // A failed write says why, claims no success and does not wedge the next save.
    void failedSaveIsTold()
    {
        Bench b;
        b.choose();
        b.failOn(QStringLiteral("insert"), QStringLiteral("考试训练题库"));
        QCOMPARE(b.editor.save(draftOf(3, QStringLiteral("x"))), QuestionEditor::Outcome::Failed);
        QCOMPARE(b.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：试题没有保存，原因：数据文件拒绝了这次操作"
                                            "（详细信息：attempt to write a readonly "
                                            "database）。")});
        QCOMPARE(b.questions(), 0);
        b.db.acceptWrites();
        QCOMPARE(b.editor.save(draftOf(3, QStringLiteral("x"))), QuestionEditor::Outcome::Done);
        QCOMPARE(b.questions(), 1);
    }

    // A question is never saved into a chapter that is gone: deleting the
    // current chapter in the editor leaves no chapter chosen, and a chapter
    // deleted elsewhere is found missing by the save itself.
    void saveIntoDeletedChapter_data()
    {
        QTest::addColumn<bool>("inEditor");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("notice");
        QTest::newRow("deleted with 删除章节")
            << true << int(QuestionEditor::Outcome::NoChapter) << kNoChapter;
        QTest::newRow("deleted elsewhere")
            << false << int(QuestionEditor::Outcome::Refused)
            << QStringLiteral("[软件提示]：该章节已经被删除，试题没有保存，请重新选择章节.");
    }
    void saveIntoDeletedChapter()
    {
        QFETCH(bool, inEditor);
        QFETCH(int, outcome);
        QFETCH(QString, notice);
        Bench b;
        b.choose();
        if (inEditor) {
            QCOMPARE(b.editor.removeChapter(0), QuestionEditor::Outcome::Done);
            QCOMPARE(b.editor.currentChapter(), qint64(0));
            QCOMPARE(b.editor.chapterIdText(), QStringLiteral("0"));
        } else {
            b.db.exec(QStringLiteral("delete from fenlei where id = %1").arg(b.chapter));
        }
        b.notifier.notices.clear();
        QCOMPARE(int(b.editor.save(draftOf(3, QStringLiteral("答")))), outcome);
        QCOMPARE(b.notifier.notices, QStringList{notice});
        QSqlQuery all(b.db.db());
        QVERIFY(all.exec(QStringLiteral("select count(*) from 考试训练题库")) && all.next());
        QCOMPARE(all.value(0).toInt(), 0);
        // The failed check leaves no transaction open: the next save in a
        // chapter that exists goes through.
        const qint64 other = b.db.addChapter(b.bank, QStringLiteral("新的一章"));
        QCOMPARE(b.editor.chooseBank(0), QuestionEditor::Outcome::Done);
        QCOMPARE(b.editor.chooseChapter(0), QuestionEditor::Outcome::Nothing);
        QCOMPARE(b.editor.currentChapter(), other);
        QCOMPARE(b.editor.save(draftOf(3, QStringLiteral("答"))), QuestionEditor::Outcome::Done);
    }

    // 25 questions of one type: pages of 12, 12 and 1, newest first.
    void paging()
    {
        Bench b;
        QList<qint64> ids;
        for (int i = 0; i < 25; ++i)
            ids.prepend(b.add(2));
        b.add(1);
        b.choose();
        QCOMPARE(b.editor.browseType(2), QuestionEditor::Outcome::Done);
        const BrowseList &list = b.editor.browse();
        QCOMPARE(list.rowCount(), 25);
        QCOMPARE(list.pageCount(), 3);
        QCOMPARE(idsOf(list), ids.mid(0, 12));
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::Prior), QuestionEditor::Outcome::Nothing);
        QCOMPARE(list.pageIndex(), 0);
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::Next), QuestionEditor::Outcome::Done);
        QCOMPARE(idsOf(list), ids.mid(12, 12));
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::Last), QuestionEditor::Outcome::Done);
        QCOMPARE(idsOf(list), QList<qint64>{ids.last()});
        QCOMPARE(list.pageText(), QStringLiteral("3"));
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::Next), QuestionEditor::Outcome::Nothing);
        QCOMPARE(list.pageIndex(), 2);
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::Prior), QuestionEditor::Outcome::Done);
        QCOMPARE(idsOf(list), ids.mid(12, 12));
    }

    // Before a type is chosen every type is listed together, newest first; an
    // empty list is page 0 of 0.
    void allTypesAndEmpty()
    {
        Bench b;
        b.choose();
        QCOMPARE(b.editor.browse().type(), 0);
        QCOMPARE(b.editor.counterText(1), QStringLiteral("[0]"));
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::Last), QuestionEditor::Outcome::Done);
        QCOMPARE(b.editor.browse().pageText(), QStringLiteral("0"));
        QCOMPARE(b.editor.browse().pageCount(), 0);
        QVERIFY(b.editor.browse().rows().isEmpty());
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::Prior), QuestionEditor::Outcome::Nothing);

        const qint64 single = b.add(1);
        const qint64 essay = b.add(5);
        QCOMPARE(b.editor.turn(QuestionEditor::Turn::First), QuestionEditor::Outcome::Done);
        QCOMPARE(idsOf(b.editor.browse()), (QList<qint64>{essay, single}));
        QCOMPARE(b.editor.browse().rows().at(0).typeName, QStringLiteral("论述题"));
    }

    void listedStem_data()
    {
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("listed");
        QTest::newRow("80 bytes kept") << QString(40, QChar(u'电')) << QString(40, QChar(u'电'));
        QTest::newRow("100 bytes cut to 80")
            << QString(50, QChar(u'电')) << QString(40, QChar(u'电')) + QStringLiteral("...");
        // Never inside a double-byte character: 79 bytes then "...".
        QTest::newRow("odd cut") << QStringLiteral("a") + QString(50, QChar(u'电'))
                                 << QStringLiteral("a") + QString(39, QChar(u'电')) +
                                        QStringLiteral("...");
        QTest::newRow("breaks removed")
            << QStringLiteral(" 第一行<BR>第二行 ") << QStringLiteral("第一行第二行");
    }
    void listedStem()
    {
        QFETCH(QString, stem);
        QFETCH(QString, listed);
        QCOMPARE(BrowseList::listedStem(stem), listed);
    }

    void detailLines_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<unsigned>>("colours");
        const unsigned K = rgb::kBlack, R = rgb::kRed;
        QTest::newRow("single B") << 1 << "2" << QStringList{"",       "[单选题][7]  题<干",
                                                             "[A].甲", "[B].乙",
                                                             "[C].丙", "[D].丁",
                                                             "答案:B"}
                                  << QList<unsigned>{K, K, K, R, K, K, R};
        QTest::newRow("single out of range")
            << 1 << "9"
            << QStringList{"",      "[单选题][7]  题<干", "[A].甲", "[B].乙", "[C].丙", "[D].丁",
                           "答案:9"}
            << QList<unsigned>{K, K, K, K, K, K, R};
        QTest::newRow("multiple A and D")
            << 2 << "41"
            << QStringList{"",       "[多选题][7]  题<干", "[A].甲", "[B].乙", "[C].丙", "[D].丁",
                           "答案:AD"}
            << QList<unsigned>{K, K, R, K, K, R, R};
        QTest::newRow("fill-in") << 3 << "停电"
                                 << QStringList{"", "[填空题][7]  题<干", "答案:停电"}
                                 << QList<unsigned>{K, K, R};
        QTest::newRow("true") << 4 << "1" << QStringList{"", "[判断题][7]  题<干", "答案:正确."}
                              << QList<unsigned>{K, K, R};
        QTest::newRow("false") << 4 << "0" << QStringList{"", "[判断题][7]  题<干", "答案:错误."}
                               << QList<unsigned>{K, K, R};
        QTest::newRow("true/false other")
            << 4 << "x" << QStringList{"", "[判断题][7]  题<干"} << QList<unsigned>{K, K};
        QTest::newRow("essay") << 5 << "答<BR>案"
                               << QStringList{"", "[论述题][7]  题<干", "", "答案:答案"}
                               << QList<unsigned>{K, K, K, K};
    }
    void detailLines()
    {
        QFETCH(int, type);
        QFETCH(QString, answer);
        QFETCH(QStringList, texts);
        QFETCH(QList<unsigned>, colours);
        QuestionRow row;
        row.id = 7;
        row.type = type;
        row.stem = QStringLiteral(" 题<<BR>干 ");
        row.options = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                       QStringLiteral("丁")};
        row.answer = answer;
        const StyledText lines = BrowseList::detailLines(row);
        QStringList got;
        QList<unsigned> gotColours;
        for (const StyledLine &line : lines) {
            got << line.text();
            gotColours << (line.spans.isEmpty() ? rgb::kBlack : line.spans.first().color);
            // Right options are underlined as well as red.
            if (!line.spans.isEmpty() && line.text().startsWith(QLatin1Char('[')) &&
                line.text().at(2) == u']')
                QCOMPARE(line.spans.first().underline, line.spans.first().color == rgb::kRed);
        }
        QCOMPARE(got, texts);
        QCOMPARE(gotColours, colours);
    }

    // Deleting from the first page of 30 leaves the list on its second page.
    void removeQuestion()
    {
        Bench b;
        QList<qint64> ids;
        for (int i = 0; i < 30; ++i)
            ids.prepend(b.add(1));
        b.choose();
        QCOMPARE(b.editor.removeQuestion(ids.first()), QuestionEditor::Outcome::Done);
        QCOMPARE(b.questions(), 29);
        QCOMPARE(b.editor.browse().pageIndex(), 1);
        QCOMPARE(idsOf(b.editor.browse()), ids.mid(13, 12));
        QCOMPARE(b.editor.counterText(1), QStringLiteral("[29]"));
    }

    void correction()
    {
        Bench b;
        const qint64 id = b.db.addQuestion(b.chapter, 2, QStringLiteral("旧题"),
                                           {"a", "b", "c", "d"}, QStringLiteral("23"), 5, false);
        b.choose();
        const std::optional<QuestionRow> row = b.editor.loadCorrection(id);
        QVERIFY(row);
        QCOMPARE(row->answer, QStringLiteral("23"));
        QCOMPARE(b.editor.correctionId(), id);
        QuestionDraft draft = draftOf(2, QStringLiteral("14"));
        draft.points.clear(); // the correction pages have no score
        QCOMPARE(b.editor.confirmCorrection(draft), QuestionEditor::Outcome::Done);
        const QuestionRow after = *QuestionTable(b.db.db()).find(id);
        QCOMPARE(after.stem, QStringLiteral("装设接地线应先接导体端。"));
        QCOMPARE(after.options[0], QStringLiteral("甲"));
        QCOMPARE(after.answer, QStringLiteral("14"));
        // Chapter, type, score and the known mark stay.
        QCOMPARE(after.points, 5);
        QVERIFY(!after.toPractise);
        QCOMPARE(after.type, 2);

        // A question deleted meanwhile is not reported as corrected.
        b.db.exec(QStringLiteral("delete from 考试训练题库"));
        QCOMPARE(b.editor.confirmCorrection(draft), QuestionEditor::Outcome::Gone);
        QCOMPARE(b.notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：该试题已经被删除，修改没有保存.")});
        QVERIFY(!b.editor.loadCorrection(id));
    }

    void createChapter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("notice");
        using O = QuestionEditor::Outcome;
        QTest::newRow("blank name: nothing") << "  "
                                             << "60" << int(O::Nothing) << QString();
        QTest::newRow("25 hanzi") << QString(25, QChar(u'章')) << "60" << int(O::Done)
                                  << QStringLiteral("[软件提示]:已经成功地创建了【") +
                                         QString(25, QChar(u'章')) +
                                         QStringLiteral("】请重新点击【试题库】进行刷新.");
        QTest::newRow("50 ascii") << QString(50, QLatin1Char('c')) << "45" << int(O::Done)
                                  << QStringLiteral("[软件提示]:已经成功地创建了【") +
                                         QString(50, QLatin1Char('c')) +
                                         QStringLiteral("】请重新点击【试题库】进行刷新.");
        QTest::newRow("26 hanzi") << QString(26, QChar(u'章')) << "60" << int(O::Refused)
                                  << QStringLiteral("[软件提示]：名称长度应当在 50 个字符内.");
        QTest::newRow("51 mixed") << QString(25, QChar(u'章')) + QLatin1Char('x') << "60"
                                  << int(O::Refused)
                                  << QStringLiteral("[软件提示]：名称长度应当在 50 个字符内.");
        QTest::newRow("empty time")
            << "新章"
            << " " << int(O::ResetTime) << QStringLiteral("[软件提示]：考试时间不能为空.");
        QTest::newRow("time 6a") << "新章"
                                 << "6a" << int(O::Refused)
                                 << QStringLiteral(
                                        "[软件提示]：考试时间必须是整数分钟，请重新填写.");
        QTest::newRow("name of another bank") << " 他库的章 "
                                              << "60" << int(O::Refused)
                                              << QStringLiteral("[软件提示]：名称已经存在，请换一个"
                                                                "名称试试.");
        QTest::newRow("unstorable") << QStringLiteral("章\U0001F600") << "60" << int(O::Refused)
                                    << QStringLiteral("[软件提示]：名称中有无法保存的字符，请修改后"
                                                      "再保存.");
    }
    void createChapter()
    {
        QFETCH(QString, name);
        QFETCH(QString, minutes);
        QFETCH(int, outcome);
        QFETCH(QString, notice);
        Bench b;
        const qint64 other = b.db.addBank(QStringLiteral("乙库"));
        b.db.addChapter(other, QStringLiteral("他库的章"));
        b.editor.reloadBanks();
        b.editor.chooseBank(0);
        const int before = ChapterTable(b.db.db()).ofBank(b.bank).size();
        QCOMPARE(int(b.editor.createChapter(name, minutes, QDate(2026, 3, 9))), outcome);
        QCOMPARE(b.notifier.notices, notice.isEmpty() ? QStringList{} : QStringList{notice});
        const QList<ChapterRow> chapters = ChapterTable(b.db.db()).ofBank(b.bank);
        QCOMPARE(chapters.size(), before + (outcome == int(QuestionEditor::Outcome::Done)));
        if (outcome == int(QuestionEditor::Outcome::Done)) {
            const ChapterRow &row = chapters.last();
            QCOMPARE(row.name, text::trimmed(name));
            QCOMPARE(row.examMinutes, minutes.toInt());
            QCOMPARE(row.created, QStringLiteral("2026-03-09"));
            QCOMPARE(row.creator, QStringLiteral("net_user"));
        }
    }

    void createChapterWithoutBank()
    {
        Bench b;
        QCOMPARE(b.editor.createChapter(QStringLiteral("新章"), QStringLiteral("60"), {}),
                 QuestionEditor::Outcome::Refused);
        QCOMPARE(b.notifier.notices, QStringList{QStringLiteral("[软件提示]：请先选择试题库.")});
    }

    void removeChapterQuestions()
    {
        Bench b;
        for (int i = 0; i < 7; ++i)
            b.add(1 + i % 5);
        const qint64 other = b.db.addChapter(b.bank, QStringLiteral("第二章"));
        b.db.addQuestion(other, 1, QStringLiteral("留"), {"a", "b", "c", "d"}, "1");
        b.choose();
        b.notifier.answers = {false};
        QCOMPARE(b.editor.removeChapterQuestions(0, QStringLiteral("甲库"), QStringLiteral("x")),
                 QuestionEditor::Outcome::Nothing);
        QCOMPARE(b.questions(), 7);
        QCOMPARE(b.editor.removeChapterQuestions(0, QStringLiteral("甲库"),
                                                 QStringLiteral("【01】第一章(7道)")),
                 QuestionEditor::Outcome::Done);
        QCOMPARE(b.questions(), 0);
        QCOMPARE(QuestionTable(b.db.db()).count(QuestionScope::chapter(other)), 1);
        QCOMPARE(b.notifier.questions.size(), 2);
        QCOMPARE(b.notifier.questions.at(0).caption, QStringLiteral("确定"));
        QCOMPARE(b.notifier.questions.at(0).text,
                 QStringLiteral("提示：删除数据库数据是一种不可恢复的危险操作，是否继续？"));
        QCOMPARE(b.notifier.notices,
                 QStringList{QStringLiteral(
                     "提示：当前数据库：【甲库】 章节名:【01】第一章(7道) 下数据已经全部删除，"
                     "总共删除有:【7】道.\r\n  "
                     "但该章节名没有删除,如果不需要该章，请点击【删除章节】.")});
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            QCOMPARE(b.editor.counterText(type), QStringLiteral("[0]"));
        }
        // The selector keeps its old count until the bank is chosen again.
        QCOMPARE(b.editor.chapterItems().at(0), QStringLiteral("【01】第一章(7道)"));
    }

    // A chapter goes only when it is empty, and its draw quotas go with it.
    void removeChapter()
    {
        Bench b;
        const qint64 other = b.db.addChapter(b.bank, QStringLiteral("第二章"));
        for (qint64 chapter : {b.chapter, other})
            b.db.exec(QStringLiteral("insert into rand_num(db_db_id, sele_zhang_id, s_num) "
                                     "values(%1, %2, 3)")
                          .arg(b.bank)
                          .arg(chapter));
        b.add(1);
        b.add(2);
        b.choose();
        b.notifier.answers = {false};
        QCOMPARE(b.editor.removeChapter(0), QuestionEditor::Outcome::Nothing);
        QCOMPARE(b.editor.removeChapter(0), QuestionEditor::Outcome::Refused);
        QCOMPARE(b.notifier.notices.last(),
                 QStringLiteral("[软件提示]：该章节下还有：【2】道试题，章节名称不能删除,请先删除该"
                                "章节下的所有试题."));
        QCOMPARE(b.notifier.questions.at(0).text,
                 QStringLiteral("[软件提示]：删除  数据库是一种不可恢复的危险操作，请确认该试题下"
                                "试题已经为0 道，是否继续？"));
        b.db.exec(QStringLiteral("delete from 考试训练题库"));

        // A failing quota delete keeps the chapter too: one transaction.
        b.failOn(QStringLiteral("delete"), QStringLiteral("rand_num"));
        QCOMPARE(b.editor.removeChapter(0), QuestionEditor::Outcome::Failed);
        QVERIFY(ChapterTable(b.db.db()).findByName(QStringLiteral("第一章")));
        QCOMPARE(QuotaTable(b.db.db()).countOfChapter(b.chapter), 1);
        b.db.acceptWrites();

        QCOMPARE(b.editor.removeChapter(0), QuestionEditor::Outcome::Done);
        QCOMPARE(b.notifier.notices.last(),
                 QStringLiteral("[软件提示]：该章节已经被成功地删除.请重新启动本软件后刷新."));
        QVERIFY(!ChapterTable(b.db.db()).findByName(QStringLiteral("第一章")));
        QCOMPARE(QuotaTable(b.db.db()).countOfChapter(b.chapter), 0);
        QCOMPARE(QuotaTable(b.db.db()).countOfChapter(other), 1);

        QCOMPARE(b.editor.removeChapter(-1), QuestionEditor::Outcome::Refused);
        QCOMPARE(b.notifier.notices.last(), QStringLiteral("[软件提示]：没有选择章节."));
    }
};

DRILLBAY_TEST(QuestionEditorTest)
#include "QuestionEditorTest.moc"
