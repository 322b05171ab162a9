#include "TestRegistry.h"

#include "exam/QuotaRules.h"

#include <QTest>

// The quota lists, the two examination fields, the check before a chapter's
// quota is stored and the texts around it.
class QuotaRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void choicesRunFromTheCountToZero_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("choices");
        QTest::newRow("none") << 0 << QList<int>{};
        QTest::newRow("negative") << -2 << QList<int>{};
        QTest::newRow("one: the last question can be drawn") << 1 << QList<int>{1, 0};
        QTest::newRow("five single choice") << 5 << QList<int>{5, 4, 3, 2, 1, 0};
    }

    void choicesRunFromTheCountToZero()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, choices);
        QCOMPARE(quotarules::choicesFor(count), choices);
    }

    void fieldCorrections_data()
    {
        QTest::addColumn<bool>("minutes");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text"); // empty: the field keeps what was typed
        QTest::addColumn<QString>("notice");
        QTest::newRow("time cleared") << true << ""
                                      << "60"
                                      << "[软件提示]:考试时间默认设置为 60 分钟.";
        QTest::newRow("time at the maximum") << true << "180"
                                             << ""
                                             << "";
        QTest::newRow("time above") << true << "181"
                                    << "180"
                                    << "[软件提示]:考试时间最大设置为 180 分钟.";
        QTest::newRow("time of too many digits") << true << "99999999999999999999"
                                                 << "180"
                                                 << "[软件提示]:考试时间最大设置为 180 分钟.";
        // 0 minutes would end the examination at once: it runs 60, the field says so.
        QTest::newRow("time zero") << true << "0"
                                   << "60"
                                   << "[软件提示]:考试时间默认设置为 60 分钟.";
        QTest::newRow("time of zeros") << true << "000"
                                       << "60"
                                       << "[软件提示]:考试时间默认设置为 60 分钟.";
        QTest::newRow("count cleared") << false << ""
                                       << "120"
                                       << "[软件提示]:试题量默认设置为 120 道.";
        QTest::newRow("count at the maximum") << false << "150"
                                              << ""
                                              << "";
        QTest::newRow("count 200") << false << "200"
                                   << "150"
                                   << "[软件提示]:试题量最大设置为 150 道.";
        QTest::newRow("count with leading zeros") << false << "0150"
                                                  << ""
                                                  << "";
        // No quota fits under a limit of 0: refused, the count before comes back.
        QTest::newRow("count zero") << false << "0"
                                    << "45" << quotarules::zeroQuestionLimitNotice();
        QTest::newRow("count of zeros") << false << "00"
                                        << "45" << quotarules::zeroQuestionLimitNotice();
    }

    void fieldCorrections()
    {
        QFETCH(bool, minutes);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, notice);
        const auto fix = minutes ? quotarules::checkMinutes(typed)
                                 : quotarules::checkQuestionLimit(typed, QStringLiteral("45"));
        QCOMPARE(fix.has_value(), !text.isEmpty());
        if (fix) {
            QCOMPARE(fix->text, text);
            QCOMPARE(fix->notice, notice);
        }
    }

    void fieldNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("digits") << "120" << 120;
        QTest::newRow("letters") << "12a" << 0;
        QTest::newRow("sign") << "-5" << 0;
        QTest::newRow("full-width digits") << "１２" << 0;
        QTest::newRow("too long") << "123456789012345678901" << 151;
        QTest::newRow("above the overflow") << "1000" << 151;
    }

    void fieldNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(quotarules::fieldNumber(text, 151), number);
    }

    void saveCheck_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("bankTotal");
        QTest::addColumn<int>("chapterSaved");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("notice"); // empty: accepted

        QTest::newRow("reaches the limit exactly") << "60"
                                                   << "120" << 100 << 10 << 30 << "";
        QTest::newRow("one over the limit")
            << "60"
            << "120" << 100 << 10 << 31
            << "[软件提示]： 数据库中原有试题量:[90]道. \r\n"
               "你本次抽取了 [31]道..共[121]道 \r\n"
               "超过系统设定的试题量: [120]道 \r\n"
               "提示：本次最大抽取试题数: [30]道 \r\n"
               "请重新选取本章试题，或者右键删除已经抽取的试题数量 .";
        QTest::newRow("a first chapter under the limit") << "60"
                                                         << "150" << 0 << 0 << 150 << "";
        QTest::newRow("time empty")
            << ""
            << "120" << 0 << 0 << 1 << "[软件提示]:请输入考试时间，默认模拟考试时间 60分钟 ";
        QTest::newRow("count empty")
            << "60"
            << "" << 0 << 0 << 1 << "[软件提示]:请输入试题量，默认随机抽取 120 道";
        QTest::newRow("count above 150")
            << "60"
            << "151" << 0 << 0 << 1 << "[软件提示]:设定的试题量超过最大 150 道，请重新输入.";
    }

    void saveCheck()
    {
        QFETCH(QString, minutes);
        QFETCH(QString, limit);
        QFETCH(int, bankTotal);
        QFETCH(int, chapterSaved);
        QFETCH(int, chosen);
        QFETCH(QString, notice);
        quotarules::SaveFigures figures;
        figures.limit = quotarules::fieldNumber(limit);
        figures.bankTotal = bankTotal;
        figures.chapterSaved = chapterSaved;
        figures.chosen = chosen;
        QCOMPARE(quotarules::refusal(minutes, limit, figures).value_or(QString()), notice);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first item")
            << quotarules::chapterItem(1, QStringLiteral("第一章"), 12) << "【01】第一章(12道)";
        QTest::newRow("tenth item")
            << quotarules::chapterItem(10, QStringLiteral("十"), 0) << "【10】十(0道)";
        QTest::newRow("limit reached")
            << quotarules::limitReachedNotice(120)
            << "[软件提示]:您抽取的试题量 已经等于 设定的试题量.[120]道 可以点击各章修改.\r\n"
               "软件已经按设定的抽题数量随机抽题,如果要重新抽题，请点击左侧的 "
               "[重新按抽题数量随机抽题] 链接. \r\n"
               "否则，请点击左侧的【抽题模拟考试】按钮进入考试状态.";
        QTest::newRow("no quotas")
            << quotarules::noQuotasNotice(QStringLiteral("安规"))
            << "[软件提示]：当前数据库【安规】没有设定抽题数量，现在自动打开按章抽题选择.";
        QTest::newRow("redrawn") << quotarules::redrawnNotice(QStringLiteral("安规"), 45)
                                 << "[软件提示]：已按设定的按章按题型抽取方法，随机抽取数据库: "
                                    "[安规] 中试题:[45]道完毕! 请点击【抽题模拟考试】按钮.";
        QTest::newRow("short chapter")
            << quotarules::shortChapterLine(QStringLiteral("第二章"), 4, 2, 3)
            << "[软件提示]：【第二章】现有判断题2道，少于设定的3道，已全部抽取.";
    }

    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

DRILLBAY_TEST(QuotaRulesTest)
#include "QuotaRulesTest.moc"
