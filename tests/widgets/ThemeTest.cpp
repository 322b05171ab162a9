#include "widgets/Theme.h"

#include "FontFamilies.h"
#include "SourceTree.h"
#include "TestRegistry.h"
#include "base/Colours.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QDirIterator>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

Q_DECLARE_METATYPE(theme::Tone)
Q_DECLARE_METATYPE(theme::Colour)
Q_DECLARE_METATYPE(theme::FontRole)

namespace {

// The colour at the middle of a widget as it is drawn.
QColor middleColour(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

class ThemeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The test runner may have applied the theme already; it is put back
        // as it was afterwards.
        m_font = QApplication::font();
        m_sheet = qApp->styleSheet();
        theme::apply(*qApp);
        QVERIFY(!qApp->styleSheet().isEmpty());
    }

    void cleanupTestCase()
    {
        qApp->setStyleSheet(m_sheet);
        QApplication::setFont(m_font);
    }

    // The sheet writes every colour as a token; a literal would be a second
    // definition of a theme colour or a colour without a name.
    void sheetNamesEveryColour()
    {
        const QString source = theme::styleSheetSource();
        QVERIFY(source.contains(QLatin1String("#TopBar")));
        static const QRegularExpression literal(
            QStringLiteral("#[0-9a-fA-F]{3}(?:[0-9a-fA-F]{3})?(?![\\w-])|rgba?\\(|"
                           "\\b(?:white|black|red|green|grey|gray|silver)\\b"));
        const QRegularExpressionMatch match = literal.match(source);
        QVERIFY2(!match.hasMatch(), qPrintable(match.captured(0)));

        QStringList unknown;
        const QString sheet = theme::resolve(source, &unknown);
        QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(QLatin1Char(' '))));
        QVERIFY(!sheet.contains(QLatin1Char('@')));
        QCOMPARE(theme::styleSheet(), sheet);
    }

    // Windows carry no style sheets of their own: their look is the theme's.
    void noInlineStyleSheets()
    {
        QStringList found;
        QDirIterator files(sourceTreePath(QStringLiteral("src")), {QStringLiteral("*.cpp")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            if (text.contains(QLatin1String("setStyleSheet(")) &&
                !file.fileName().endsWith(QLatin1String("/widgets/Theme.cpp")))
                found << file.fileName();
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char(' '))));
    }

    void resolve_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QStringList>("unknown");
        QTest::newRow("colour") << QStringLiteral("a{color:@paper;}")
                                << QStringLiteral("a{color:#ffffff;}") << QStringList();
        QTest::newRow("two in one rule")
            << QStringLiteral("x{stop:0 @barTop,stop:1 @barBottom}")
            << QStringLiteral("x{stop:0 #86a9d3,stop:1 #6a91c2}") << QStringList();
        // A longer name that starts like a known one is not the known one.
        QTest::newRow("longer name")
            << QStringLiteral("color:@paperWhite;") << QStringLiteral("color:@paperWhite;")
            << QStringList{QStringLiteral("paperWhite")};
        QTest::newRow("shorter name")
            << QStringLiteral("color:@bar;") << QStringLiteral("color:@bar;")
            << QStringList{QStringLiteral("bar")};
        QTest::newRow("unknown then known")
            << QStringLiteral("@nothing @text") << QStringLiteral("@nothing #000000")
            << QStringList{QStringLiteral("nothing")};
        QTest::newRow("lone at sign")
            << QStringLiteral("a @ b @1") << QStringLiteral("a @ b @1") << QStringList();
        QTest::newRow("at the end")
            << QStringLiteral("color:@alert") << QStringLiteral("color:#d00000") << QStringList();
        QTest::newRow("families") << QStringLiteral("font-family:@heiFamilies;")
                                  << QStringLiteral("font-family:\"SimHei\",\"Noto Sans CJK SC\";")
                                  << QStringList();
        QTest::newRow("empty") << QString() << QString() << QStringList();
    }
    void resolve()
    {
        QFETCH(QString, source);
        QFETCH(QString, sheet);
        QFETCH(QStringList, unknown);
        QStringList found;
        QCOMPARE(theme::resolve(source, &found), sheet);
        QCOMPARE(found, unknown);
    }

    void names()
    {
        QSet<QString> colours;
        for (const theme::Colour colour : theme::allColours()) {
            const QString name = theme::colourName(colour);
            QVERIFY2(!colours.contains(name), qPrintable(name));
            colours.insert(name);
        }
        QSet<QString> tones;
        for (const theme::Tone tone : theme::allTones()) {
            const QString name = theme::toneName(tone);
            QVERIFY2(!tones.contains(name), qPrintable(name));
            tones.insert(name);
            // A tone without a rule would leave its labels in the default colour.
            QVERIFY2(theme::styleSheetSource().contains(QStringLiteral("[tone=\"%1\"]").arg(name)),
                     qPrintable(name));
        }
    }

    // The colours of meaning are the values core code hands over as data.
    void coreColours_data()
    {
        QTest::addColumn<theme::Colour>("colour");
        QTest::addColumn<unsigned>("rgb");
        QTest::newRow("correct answer") << theme::Colour::CorrectAnswer << rgb::kRed;
        QTest::newRow("user answer") << theme::Colour::UserAnswer << rgb::kGreen;
        QTest::newRow("separator") << theme::Colour::Separator << rgb::kGrey;
        QTest::newRow("typed answer") << theme::Colour::TypedAnswer << rgb::kSilver;
        QTest::newRow("link rest") << theme::Colour::LinkRest << rgb::kGrey;
        QTest::newRow("link hover") << theme::Colour::LinkHover << rgb::kRed;
        QTest::newRow("text") << theme::Colour::Text << rgb::kBlack;
        QTest::newRow("slogan") << theme::Colour::Slogan << rgb::kGreen;
    }
    void coreColours()
    {
        QFETCH(theme::Colour, colour);
        QFETCH(unsigned, rgb);
        QCOMPARE(theme::colour(colour), QColor::fromRgb(rgb));
    }

    void toneColour_data()
    {
        QTest::addColumn<theme::Tone>("tone");
        QTest::addColumn<theme::Colour>("colour");
        QTest::newRow("plain") << theme::Tone::Plain << theme::Colour::Text;
        QTest::newRow("heading") << theme::Tone::Heading << theme::Colour::Heading;
        QTest::newRow("on bar") << theme::Tone::OnBar << theme::Colour::OnBar;
        QTest::newRow("alert") << theme::Tone::Alert << theme::Colour::Alert;
        QTest::newRow("count") << theme::Tone::Count << theme::Colour::Count;
        QTest::newRow("emphasis") << theme::Tone::Emphasis << theme::Colour::Emphasis;
        QTest::newRow("saved") << theme::Tone::Saved << theme::Colour::Saved;
        QTest::newRow("known figure") << theme::Tone::KnownFigure << theme::Colour::KnownFigure;
        QTest::newRow("note") << theme::Tone::Note << theme::Colour::Note;
        QTest::newRow("soft note") << theme::Tone::SoftNote << theme::Colour::SoftNote;
    }
    void toneColour()
    {
        QFETCH(theme::Tone, tone);
        QFETCH(theme::Colour, colour);
        QLabel label(QStringLiteral("文字"));
        theme::setTone(&label, tone);
        label.ensurePolished();
        QCOMPARE(label.palette().color(QPalette::WindowText), theme::colour(colour));
    }

    // A label that changes its tone after it was polished takes the new colour.
    void toneChangedAfterPolish()
    {
        QLabel label(QStringLiteral("00:00"));
        theme::setTone(&label, theme::Tone::Heading);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QCOMPARE(label.palette().color(QPalette::WindowText),
                 theme::colour(theme::Colour::Heading));
        theme::setTone(&label, theme::Tone::Alert);
        QCOMPARE(label.palette().color(QPalette::WindowText), theme::colour(theme::Colour::Alert));
        QCOMPARE(label.property("tone").toString(), QStringLiteral("alert"));
    }

    // Boxes take their fill from the sheet by their object names or by the
    // part they play.
    void boxFill_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("part");
        QTest::addColumn<theme::Colour>("colour");
        QTest::newRow("command group")
            << QStringLiteral("CommandGroup") << QString() << theme::Colour::Paper;
        QTest::newRow("left panel")
            << QStringLiteral("LeftPanel") << QString() << theme::Colour::Panel;
        QTest::newRow("bottom bar")
            << QStringLiteral("BottomBar") << QString() << theme::Colour::Panel;
        QTest::newRow("score frame")
            << QString() << QStringLiteral("scoreFrame") << theme::Colour::FrameFill;
        QTest::newRow("settings frame")
            << QStringLiteral("SettingsFrame") << QString() << theme::Colour::FrameFill;
        QTest::newRow("status bar")
            << QStringLiteral("StatusBar") << QString() << theme::Colour::StatusBar;
    }
    void boxFill()
    {
        QFETCH(QString, name);
        QFETCH(QString, part);
        QFETCH(theme::Colour, colour);
        QFrame box;
        box.setObjectName(name);
        if (!part.isEmpty())
            theme::setPart(&box, part);
        box.resize(60, 30);
        QCOMPARE(middleColour(&box), theme::colour(colour));
    }

    void unnamedBoxKeepsStyleColour()
    {
        QFrame box;
        box.setAutoFillBackground(true);
        box.resize(60, 30);
        QCOMPARE(middleColour(&box), box.palette().color(QPalette::Window));
    }

    // Colours that windows set from data (the question strip, the multiple-choice
    // feedback) stay theirs: the sheet colours no label that has no tone.
    void paletteOfLabelWithoutTone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("strip number") << QStringLiteral("label07");
        QTest::newRow("feedback") << QStringLiteral("LabelFeedback");
        QTest::newRow("unnamed") << QString();
    }
    void paletteOfLabelWithoutTone()
    {
        QFETCH(QString, name);
        QFrame parent;
        parent.setObjectName(QStringLiteral("BottomBar"));
        auto *label = new QLabel(QStringLiteral("07"), &parent);
        label->setObjectName(name);
        QPalette green = label->palette();
        green.setColor(QPalette::WindowText, QColor::fromRgb(rgb::kGreen));
        label->setPalette(green);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor::fromRgb(rgb::kGreen));
    }

    // Links are grey at rest and red, bold and underlined under the pointer;
    // a link with its own look keeps it.
    void linkLook_data()
    {
        QTest::addColumn<bool>("ownLook");
        QTest::addColumn<QColor>("rest");
        QTest::addColumn<QColor>("hover");
        QTest::addColumn<bool>("hoverBold");
        QTest::newRow("command link") << false << theme::colour(theme::Colour::LinkRest)
                                      << theme::colour(theme::Colour::LinkHover) << true;
        QTest::newRow("restore link") << true << theme::colour(theme::Colour::RestoreLink)
                                      << theme::colour(theme::Colour::RestoreLink) << false;
    }
    void linkLook()
    {
        QFETCH(bool, ownLook);
        QFETCH(QColor, rest);
        QFETCH(QColor, hover);
        QFETCH(bool, hoverBold);
        LinkLabel link(QStringLiteral("查看我的做题记录"));
        if (ownLook)
            link.setLook(rest, false, hover, hoverBold);
        // Not shown: a shown window may find the pointer over it.
        link.ensurePolished();
        QVERIFY(!link.hovered());
        QCOMPARE(link.palette().color(QPalette::WindowText), rest);
        QVERIFY(!link.font().bold());
        QVERIFY(!link.font().underline());

        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(&link, &enter);
        QCOMPARE(link.palette().color(QPalette::WindowText), hover);
        QCOMPARE(link.font().bold(), hoverBold);
        QVERIFY(link.font().underline());

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&link, &leave);
        QCOMPARE(link.palette().color(QPalette::WindowText), rest);
        QVERIFY(!link.font().bold());
        QVERIFY(!link.font().underline());
    }

    // A link whose text was taken away is blank space: a click there must not
    // run what the link once offered, and the pointer shows no hand.
    void emptiedLinkTakesNoClick_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<Qt::CursorShape>("cursor");
        QTest::newRow("with text")
            << QStringLiteral("将试题全部恢复到学习状态") << 1 << Qt::PointingHandCursor;
        QTest::newRow("emptied") << QString() << 0 << Qt::ArrowCursor;
    }
    void emptiedLinkTakesNoClick()
    {
        QFETCH(QString, text);
        QFETCH(int, clicks);
        QFETCH(Qt::CursorShape, cursor);
        LinkLabel link(QStringLiteral("将试题全部恢复到学习状态"));
        link.resize(300, 20);
        link.setText(text);
        int clicked = 0;
        connect(&link, &LinkLabel::clicked, &link, [&clicked] { ++clicked; });
        QEnterEvent enter(QPointF(150, 10), QPointF(150, 10), QPointF(150, 10));
        QApplication::sendEvent(&link, &enter);
        QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(150, 10));
        QCOMPARE(clicked, clicks);
        QCOMPARE(link.cursor().shape(), cursor);
    }

    // The sheet styles named boxes and toned labels only: message boxes, menus
    // and plain controls look as without it.
    void plainControlsKeepTheirLook_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("message box") << QStringLiteral("message box");
        QTest::newRow("menu") << QStringLiteral("menu");
        QTest::newRow("button") << QStringLiteral("button");
        QTest::newRow("line edit") << QStringLiteral("line edit");
        QTest::newRow("label") << QStringLiteral("label");
    }
    void plainControlsKeepTheirLook()
    {
        QFETCH(QString, kind);
        const auto picture = [&kind] {
            std::unique_ptr<QWidget> widget;
            if (kind == QLatin1String("message box")) {
                widget = std::make_unique<QMessageBox>(
                    QMessageBox::Information, QStringLiteral("提示"),
                    QStringLiteral("数据文件无法写入。"), QMessageBox::Ok);
            } else if (kind == QLatin1String("menu")) {
                auto menu = std::make_unique<QMenu>();
                menu->addAction(QStringLiteral("复制到..."));
                menu->addAction(QStringLiteral("试题另存为..."));
                widget = std::move(menu);
            } else if (kind == QLatin1String("button")) {
                widget = std::make_unique<QPushButton>(QStringLiteral("确定"));
            } else if (kind == QLatin1String("line edit")) {
                widget = std::make_unique<QLineEdit>(QStringLiteral("答案"));
            } else {
                widget = std::make_unique<QLabel>(QStringLiteral("电力安全"));
            }
            widget->ensurePolished();
            widget->adjustSize();
            return widget->grab().toImage();
        };
        const QImage themed = picture();
        qApp->setStyleSheet(QString());
        const QImage plain = picture();
        qApp->setStyleSheet(theme::styleSheet());
        QCOMPARE(themed.size(), plain.size());
        QVERIFY(themed == plain);
    }

    void essayPaper()
    {
        QPlainTextEdit essay;
        theme::setPart(&essay, QStringLiteral("essayField"));
        essay.resize(200, 100);
        essay.ensurePolished();
        QCOMPARE(middleColour(&essay), theme::colour(theme::Colour::EssayPaper));
    }

    // The picker's bank buttons are bold 黑体 of 13 pixels; a disabled one is grey.
    void bankButtons()
    {
        QFrame panel;
        theme::setPart(&panel, QStringLiteral("bankPanel"));
        auto *column = new QVBoxLayout(&panel);
        auto *on = new QRadioButton(QStringLiteral("线路"), &panel);
        auto *off = new QRadioButton(QStringLiteral("热力"), &panel);
        off->setEnabled(false);
        column->addWidget(on);
        column->addWidget(off);
        QRadioButton outside(QStringLiteral("别处"));
        panel.ensurePolished();
        on->ensurePolished();
        off->ensurePolished();
        outside.ensurePolished();

        QCOMPARE(on->font().families(), cjk::heiFamilies());
        QCOMPARE(on->font().pixelSize(), 13);
        QVERIFY(on->font().bold());
        QCOMPARE(off->palette().color(QPalette::Disabled, QPalette::WindowText),
                 theme::colour(theme::Colour::DisabledText));
        // The rule is the picker's own: other radio buttons keep the program font.
        QVERIFY(!outside.font().bold());
        QCOMPARE(outside.font().families(), cjk::heiFamilies());
        QCOMPARE(outside.font().pixelSize(), 13);
    }

    void fontRoles_data()
    {
        QTest::addColumn<theme::FontRole>("role");
        QTest::addColumn<QString>("windowsFamily");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::newRow("ui") << theme::FontRole::Ui << QStringLiteral("SimHei") << 13 << false;
        QTest::newRow("caption") << theme::FontRole::Caption << QStringLiteral("SimHei") << 15
                                 << true;
        QTest::newRow("question text")
            << theme::FontRole::QuestionText << QStringLiteral("SimSun") << 15 << false;
        QTest::newRow("answer caption")
            << theme::FontRole::AnswerCaption << QStringLiteral("SimSun") << 16 << true;
        QTest::newRow("page text")
            << theme::FontRole::PageText << QStringLiteral("SimSun") << 14 << false;
        QTest::newRow("note") << theme::FontRole::Note << QStringLiteral("SimSun") << 12 << false;
    }
    void fontRoles()
    {
        QFETCH(theme::FontRole, role);
        QFETCH(QString, windowsFamily);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        const QFont font = theme::font(role);
        QCOMPARE(font.families().value(0), windowsFamily);
        QCOMPARE(font.pixelSize(), pixels);
        QCOMPARE(font.bold(), bold);
        // What is drawn is one of the listed families, and it writes Chinese.
        const QString drawn = QFontInfo(font).family();
        QVERIFY2(font.families().contains(drawn), qPrintable(drawn));
        QVERIFY2(QFontDatabase::writingSystems(drawn).contains(QFontDatabase::SimplifiedChinese),
                 qPrintable(drawn));
    }

    // Every role draws with one of its own families, installed here; the
    // Chinese roles with a face that writes Chinese, at a size of their own.
    void everyRoleResolves_data()
    {
        QTest::addColumn<theme::FontRole>("role");
        for (const theme::FontRole role : theme::allFontRoles())
            QTest::newRow(qPrintable(theme::fontRoleName(role))) << role;
    }
    void everyRoleResolves()
    {
        QFETCH(theme::FontRole, role);
        const QFont font = theme::font(role);
        QVERIFY(font.pixelSize() > 0 || font.pointSize() > 0);
        const QString drawn = QFontInfo(font).family();
        QVERIFY2(font.families().contains(drawn), qPrintable(drawn));
        if (!theme::latinFamilies().contains(font.families().value(0)))
            QVERIFY2(
                QFontDatabase::writingSystems(drawn).contains(QFontDatabase::SimplifiedChinese),
                qPrintable(drawn));
    }

    // The windows and the reader of documents ask for the same families for
    // the same Chinese face: one table serves both.
    void windowsAndDocumentsAgree_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QStringList>("families");
        QTest::newRow("宋体") << QStringLiteral("宋体") << cjk::songFamilies();
        QTest::newRow("楷体") << QStringLiteral("楷体") << cjk::kaiFamilies();
        QTest::newRow("黑体") << QStringLiteral("黑体") << cjk::heiFamilies();
        QTest::newRow("幼圆") << QStringLiteral("幼圆") << cjk::youyuanFamilies();
    }
    void windowsAndDocumentsAgree()
    {
        QFETCH(QString, face);
        QFETCH(QStringList, families);
        QCOMPARE(rtf::familiesFor(face).mid(1), families);
    }

    // Controls without a font of their own get the program font.
    void programFont()
    {
        QCOMPARE(QApplication::font().families(), theme::font(theme::FontRole::Ui).families());
        QCOMPARE(QApplication::font().pixelSize(), 13);
    }

    // Each CJK family list asks for the Windows name first and ends in a
    // family that is installed here and writes Chinese.
    void cjkFamilies_data()
    {
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<QString>("windowsFamily");
        QTest::newRow("宋体") << cjk::songFamilies() << QStringLiteral("SimSun");
        QTest::newRow("楷体") << cjk::kaiFamilies() << QStringLiteral("KaiTi_GB2312");
        QTest::newRow("黑体") << cjk::heiFamilies() << QStringLiteral("SimHei");
        QTest::newRow("幼圆") << cjk::youyuanFamilies() << QStringLiteral("YouYuan");
    }
    void cjkFamilies()
    {
        QFETCH(QStringList, families);
        QFETCH(QString, windowsFamily);
        QCOMPARE(families.value(0), windowsFamily);
        bool installed = false;
        for (const QString &family : families) {
            if (QFontDatabase::families().contains(family) &&
                QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
                installed = true;
        }
        QVERIFY(installed);
    }

private:
    QFont m_font;
    QString m_sheet;
};

#include "ThemeTest.moc"
DRILLBAY_TEST(ThemeTest)
