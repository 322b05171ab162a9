#include "RtfReader.h"
#include "SourceTree.h"
#include "TestRegistry.h"

#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>

namespace {

// Files written by real word processors, kept beside the project.
const QString kUnicodeWriter =
    sourceTreePath(QStringLiteral("../shared/fixtures/rtf/libreoffice_zh.rtf"));
const QString kUc0Writer = sourceTreePath(QStringLiteral("../shared/fixtures/rtf/abiword_zh.rtf"));

QList<QTextImageFormat> pictures(const QTextDocument &document)
{
    QList<QTextImageFormat> found;
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    for (int position = 0; position + 1 < document.characterCount(); ++position) {
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        if (cursor.selectedText() == QString(QChar::ObjectReplacementCharacter) &&
            cursor.charFormat().isImageFormat())
            found << cursor.charFormat().toImageFormat();
    }
    return found;
}

} // namespace

class RtfFixturesTest : public QObject
{
    Q_OBJECT

private:
    bool load(const QString &path, QTextDocument &document)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        return rtf::readInto(file.readAll(), document);
    }

private Q_SLOTS:
    void text_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstArticleEnd");
        QTest::newRow("\\uc1 with \\loch/\\hich/\\dbch")
            << kUnicodeWriter << u"电力安全工作规程（变电部分）"_qs
            << u"制定本规程。Mixed English text, 10kV."_qs;
        QTest::newRow("\\uc0 with negative \\u") << kUc0Writer << u"电力安全工作规程（线路部分）"_qs
                                                 << u"制定本规程。Mixed English, 10kV."_qs;
    }
    void text()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(QString, firstArticleEnd);
        QTextDocument document;
        if (!QFile::exists(path))
            QSKIP("the real-writer fixtures are not beside the project");
        QVERIFY(load(path, document));
        const QStringList lines = rtf::plainText(document).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), title);
        QVERIFY(lines.value(1).startsWith(u"第一条 为了加强电力生产现场管理，"_qs));
        QVERIFY2(lines.value(1).endsWith(firstArticleEnd), qPrintable(lines.value(1)));
        QCOMPARE(lines.value(2), u"第二条 作业人员的基本条件："_qs);
        QCOMPARE(lines.value(3), u"（一）经医师鉴定，无妨碍工作的病症；"_qs);
        QVERIFY(lines.contains(u"第三条 任何人发现有违反本规程的情况，应立即制止。"_qs));
        // No fallback character of a \u escape leaks into the text.
        QVERIFY(!rtf::plainText(document).contains(QLatin1Char('?')));
    }

    void formatting_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("titlePoints");
        QTest::addColumn<QColor>("warningColor");
        QTest::newRow("\\uc1 with \\loch/\\hich/\\dbch")
            << kUnicodeWriter << 16.0 << QColor(192, 0, 0);
        QTest::newRow("\\uc0 with negative \\u") << kUc0Writer << 14.0 << QColor(192, 0, 0);
    }
    void formatting()
    {
        QFETCH(QString, path);
        QFETCH(double, titlePoints);
        QFETCH(QColor, warningColor);
        QTextDocument document;
        if (!QFile::exists(path))
            QSKIP("the real-writer fixtures are not beside the project");
        QVERIFY(load(path, document));
        const QTextCharFormat title = document.find(u"电力安全工作规程"_qs).charFormat();
        QCOMPARE(title.fontWeight(), int(QFont::Bold));
        QCOMPARE(title.fontPointSize(), titlePoints);
        const QTextCharFormat body = document.find(u"为了加强"_qs).charFormat();
        QCOMPARE(body.fontWeight(), int(QFont::Normal));
        QCOMPARE(body.fontPointSize(), 12.0);
        QCOMPARE(document.find(u"各类工作人员的行为"_qs).charFormat().fontWeight(),
                 int(QFont::Bold));
        QCOMPARE(document.find(u"电网和设备安全"_qs).charFormat().foreground().color(),
                 warningColor);
        QVERIFY(document.find(u"依据国家有关法律"_qs).charFormat().fontUnderline());
        QVERIFY(document.find(u"Mixed English"_qs).charFormat().fontItalic());
        QVERIFY(!document.find(u"制定本规程"_qs).charFormat().fontUnderline());
    }

    void table_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("lastCell");
        QTest::newRow("\\uc1 with \\loch/\\hich/\\dbch") << kUnicodeWriter << 3 << 3 << u"—"_qs;
        QTest::newRow("\\uc0 with negative \\u") << kUc0Writer << 3 << 2 << u"3.00"_qs;
    }
    void table()
    {
        QFETCH(QString, path);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QString, lastCell);
        QTextDocument document;
        if (!QFile::exists(path))
            QSKIP("the real-writer fixtures are not beside the project");
        QVERIFY(load(path, document));
        QTextTable *table = document.find(u"电压等级"_qs).currentTable();
        QVERIFY(table);
        QCOMPARE(table->rows(), rows);
        QCOMPARE(table->columns(), columns);
        QCOMPARE(table->cellAt(0, 0).firstCursorPosition().block().text(), u"电压等级（kV）"_qs);
        QCOMPARE(table->cellAt(rows - 1, columns - 1).firstCursorPosition().block().text(),
                 lastCell);
        QVERIFY(!document.find(u"警示标志"_qs).currentTable());
    }

    void picture_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        // The PNG of \shppict at its goal size and scale; the metafile fallback stays out.
        QTest::newRow("\\shppict over \\nonshppict") << kUnicodeWriter << u"[图片 113×56]"_qs;
        QTest::newRow("PNG with scale") << kUc0Writer << u"[图片 160×79]"_qs;
    }
    void picture()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QTextDocument document;
        if (!QFile::exists(path))
            QSKIP("the real-writer fixtures are not beside the project");
        QVERIFY(load(path, document));
        const QString text = rtf::plainText(document);
        QCOMPARE(text.count(u"[图片"_qs), 1);
        QVERIFY(text.contains(u"警示标志："_qs + shown));
        const QList<QTextImageFormat> found = pictures(document);
        QCOMPARE(found.size(), 1);
        QVERIFY(!found.first().property(QTextFormat::UserProperty).toBool());
        const QImage image =
            document.resource(QTextDocument::ImageResource, QUrl(found.first().name()))
                .value<QImage>();
        QCOMPARE(image.size(), QSize(120, 60));
    }
};

DRILLBAY_TEST(RtfFixturesTest)
#include "RtfFixturesTest.moc"
