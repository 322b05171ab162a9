#include "widgets/Theme.h"

#include "base/Colours.h"
#include "widgets/CjkFonts.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStyle>
#include <QWidget>
#include <iterator>

namespace {

struct NamedColour
{
    theme::Colour colour;
    const char *name;
    QRgb value;
};

using C = theme::Colour;

// Every colour of the windows, in the order of the enum.
constexpr NamedColour kColours[] = {
    {C::Text, "text", rgb::kBlack},
    {C::Paper, "paper", rgb::kWhite},
    {C::CorrectAnswer, "correctAnswer", rgb::kRed},
    {C::UserAnswer, "userAnswer", rgb::kGreen},
    {C::Separator, "separator", rgb::kGrey},
    {C::TypedAnswer, "typedAnswer", rgb::kSilver},
    {C::Emphasis, "emphasis", rgb::kRed},
    {C::Saved, "saved", rgb::kGreen},
    {C::Slogan, "slogan", rgb::kGreen},
    {C::LinkRest, "linkRest", rgb::kGrey},
    {C::LinkHover, "linkHover", rgb::kRed},
    {C::ChapterLinkHover, "chapterLinkHover", rgb::kYellow},
    {C::RestoreLink, "restoreLink", rgb::kPurple},
    {C::PasswordLink, "passwordLink", 0x0000ff},
    {C::ChosenSet, "chosenSet", rgb::kMaroon},
    {C::Detail, "detail", rgb::kNavy},
    {C::KnownFigure, "knownFigure", rgb::kFuchsia},
    {C::ListMarked, "listMarked", rgb::kRed},
    {C::ListMarkedText, "listMarkedText", rgb::kWhite},
    {C::RightMark, "rightMark", 0x1a9a2a},
    {C::WrongMark, "wrongMark", 0xe01010},
    {C::ChoicePlate, "choicePlate", 0x2f6db5},
    {C::TruePlate, "truePlate", 0x2e8b3a},
    {C::FalsePlate, "falsePlate", 0xc0392b},
    {C::PlateText, "plateText", rgb::kWhite},
    {C::Backdrop, "backdrop", rgb::kBlack},

    {C::Heading, "heading", 0x1f4e79},
    {C::OnBar, "onBar", rgb::kWhite},
    {C::PickerCaption, "pickerCaption", 0x1b457e},
    {C::Note, "note", 0x555555},
    {C::SoftNote, "softNote", 0x666666},
    {C::HandInHint, "handInHint", 0x0000c0},
    {C::Alert, "alert", 0xd00000},
    {C::Count, "count", 0xc00000},
    {C::DisabledText, "disabledText", 0xa0a0a0},
    {C::StatusText, "statusText", 0x333333},
    {C::RevealCaption, "revealCaption", 0x7a4b00},
    {C::FinePrint, "finePrint", 0x404040},

    {C::BarTop, "barTop", 0x86a9d3},
    {C::BarBottom, "barBottom", 0x6a91c2},
    {C::BarEdge, "barEdge", 0x4d729f},
    {C::Panel, "panel", 0xeef2f7},
    {C::PanelEdge, "panelEdge", 0xc3cedb},
    {C::CardEdge, "cardEdge", 0xcfd8e3},
    {C::SloganTop, "sloganTop", 0xfdfefc},
    {C::SloganBottom, "sloganBottom", 0xeef6ea},
    {C::SloganEdge, "sloganEdge", 0xcfdcc9},
    {C::StatusBar, "statusBar", 0xe4e8ee},
    {C::StatusEdge, "statusEdge", 0xb9c3cf},
    {C::StatusShade, "statusShade", 0xa0abb8},
    {C::StatusPanel, "statusPanel", 0xedf0f4},
    {C::FrameFill, "frameFill", 0xfbfcfe},
    {C::FrameEdge, "frameEdge", 0xc9d3df},
    {C::PickerRule, "pickerRule", 0xd6dee8},
    {C::StripTop, "stripTop", 0xeef3f9},
    {C::StripBottom, "stripBottom", 0xdde6f1},
    {C::StripEdge, "stripEdge", 0xb9c6d6},
    {C::ListEdge, "listEdge", 0x9fb2c8},
    {C::ReviewEdge, "reviewEdge", 0xc8c8c8},
    {C::PictureEdge, "pictureEdge", 0xd0d0d0},
    {C::EssayPaper, "essayPaper", 0xfffef4},
    {C::RevealTop, "revealTop", 0xfff8dc},
    {C::RevealBottom, "revealBottom", 0xf3e2a6},
    {C::RevealEdge, "revealEdge", 0xc8a64a},
    {C::KnownRowFill, "knownRowFill", rgb::kYellow},
    {C::KnownRowText, "knownRowText", 0x008080},
    {C::KnownDetailPaper, "knownDetailPaper", 0xedf8ed},

    {C::IdBox, "idBox", rgb::kSilver},
    {C::EditorCount, "editorCount", rgb::kGrey},
    {C::EditorHint, "editorHint", rgb::kRed},
    {C::EditorTyped, "editorTyped", rgb::kRed},
    {C::HelpLink, "helpLink", rgb::kGreen},
    {C::AnswerMarked, "answerMarked", rgb::kRed},
    {C::AnswerUnmarked, "answerUnmarked", rgb::kGrey},
    {C::FillInKey, "fillInKey", rgb::kBlue},
    {C::CorrectionOption, "correctionOption", rgb::kNavy},
    {C::ReviewNotice, "reviewNotice", rgb::kBlue},

    {C::KeywordHint, "keywordHint", rgb::kGrey},
    {C::FigureAvailable, "figureAvailable", rgb::kGreen},
    {C::FigureChosen, "figureChosen", rgb::kRed},
    {C::FigureSelected, "figureSelected", rgb::kBlue},
};

constexpr bool inEnumOrder()
{
    for (std::size_t i = 0; i < std::size(kColours); ++i) {
        if (static_cast<std::size_t>(kColours[i].colour) != i)
            return false;
    }
    return true;
}
static_assert(std::size(kColours) == static_cast<std::size_t>(C::FigureSelected) + 1,
              "every colour has a name and a value");
static_assert(inEnumOrder(), "the colour table follows the enum");

const NamedColour &entry(theme::Colour colour)
{
    return kColours[static_cast<std::size_t>(colour)];
}

using T = theme::Tone;

struct NamedTone
{
    T tone;
    const char *name;
};

// The values of the "tone" property, in the order of the enum.
constexpr NamedTone kTones[] = {
    {T::Plain, "plain"},
    {T::Heading, "heading"},
    {T::OnBar, "onBar"},
    {T::PickerCaption, "pickerCaption"},
    {T::Note, "note"},
    {T::SoftNote, "softNote"},
    {T::HandInHint, "handInHint"},
    {T::Alert, "alert"},
    {T::Count, "count"},
    {T::Emphasis, "emphasis"},
    {T::Detail, "detail"},
    {T::ChosenSet, "chosenSet"},
    {T::Saved, "saved"},
    {T::KnownFigure, "knownFigure"},
    {T::RevealCaption, "revealCaption"},
    {T::FinePrint, "finePrint"},
};

constexpr bool tonesInEnumOrder()
{
    for (std::size_t i = 0; i < std::size(kTones); ++i) {
        if (static_cast<std::size_t>(kTones[i].tone) != i)
            return false;
    }
    return true;
}
static_assert(std::size(kTones) == static_cast<std::size_t>(T::FinePrint) + 1,
              "every tone has a name");
static_assert(tonesInEnumOrder(), "the tone table follows the enum");

using R = theme::FontRole;

enum class Face
{
    Song,
    Kai,
    Hei,
    Latin,
    // Arial, else a face of its widths, else a narrow one: wide faces run the
    // strip's neighbouring numbers together.
    LatinNarrow,
};

enum class Unit
{
    Pixels,
    Points,
};

struct RoleFont
{
    R role;
    const char *name;
    Face face;
    int size;
    Unit unit;
    bool bold;
    bool italic;
};

constexpr Unit px = Unit::Pixels;
constexpr Unit pt = Unit::Points;

// Every font role, in the order of the enum.
constexpr RoleFont kRoleFonts[] = {
    {R::Ui, "ui", Face::Hei, 13, px, false, false},
    {R::Caption, "caption", Face::Hei, 15, px, true, false},
    {R::QuestionText, "questionText", Face::Song, 15, px, false, false},
    {R::PageText, "pageText", Face::Song, 14, px, false, false},
    {R::AnswerCaption, "answerCaption", Face::Song, 16, px, true, false},
    {R::Note, "note", Face::Song, 12, px, false, false},

    {R::EditorText, "editorText", Face::Song, 12, px, false, false},
    {R::PageHeading, "pageHeading", Face::Hei, 16, px, true, false},
    {R::EditorCounter, "editorCounter", Face::Latin, 11, px, false, false},
    {R::EditorFigure, "editorFigure", Face::Latin, 12, px, true, false},
    {R::DetailView, "detailView", Face::Song, 10, pt, false, false},

    {R::ChosenAnswer, "chosenAnswer", Face::Song, 24, px, true, true},
    {R::PlateLetter, "plateLetter", Face::Hei, 24, px, true, false},
    {R::Instruction, "instruction", Face::Song, 13, px, false, false},
    {R::TypedHint, "typedHint", Face::Song, 13, px, true, false},
    {R::ChoiceLetter, "choiceLetter", Face::Hei, 20, px, true, false},
    {R::RevealFigure, "revealFigure", Face::Hei, 18, px, true, false},
    {R::StripNumber, "stripNumber", Face::LatinNarrow, 8, pt, false, false},
    {R::PickerCaption, "pickerCaption", Face::Hei, 13, px, true, false},
    {R::PickerCounts, "pickerCounts", Face::Hei, 14, px, false, false},
    {R::ListText, "listText", Face::Song, 15, px, false, false},
    {R::ChosenGridRow, "chosenGridRow", Face::Song, 10, pt, false, false},

    {R::ChosenLine, "chosenLine", Face::Song, 14, px, true, false},
    {R::Level, "level", Face::Song, 13, px, true, false},
    {R::RestoreLink, "restoreLink", Face::Song, 13, px, false, false},
    {R::ScoreTitle, "scoreTitle", Face::Hei, 24, px, true, false},
    {R::ScoreCaption, "scoreCaption", Face::Song, 18, px, true, false},
    {R::ScoreFigure, "scoreFigure", Face::Song, 20, px, true, false},
    {R::ScorePercent, "scorePercent", Face::Hei, 36, px, true, false},
    {R::ScoreNote, "scoreNote", Face::Song, 15, px, true, false},

    {R::PaperTitle, "paperTitle", Face::Hei, 12, pt, true, false},
    {R::PaperText, "paperText", Face::Song, 11, pt, false, false},
    {R::ReviewText, "reviewText", Face::Kai, 12, pt, false, false},
    {R::ReviewCaption, "reviewCaption", Face::Song, 11, pt, true, false},
    {R::ReviewFigure, "reviewFigure", Face::Latin, 36, pt, true, false},
    {R::ReviewUnit, "reviewUnit", Face::Song, 16, pt, true, false},
    {R::ReviewNote, "reviewNote", Face::Song, 10, pt, false, false},
    {R::QuotaCell, "quotaCell", Face::Song, 13, px, false, false},

    {R::FigureField, "figureField", Face::Hei, 13, px, true, false},
    {R::DocumentList, "documentList", Face::Song, 11, pt, false, false},
    {R::AboutText, "aboutText", Face::Song, 13, px, false, false},
    {R::AboutTitle, "aboutTitle", Face::Hei, 24, px, false, false},
    {R::AboutOwner, "aboutOwner", Face::Latin, 13, px, true, false},
};

constexpr bool rolesInEnumOrder()
{
    for (std::size_t i = 0; i < std::size(kRoleFonts); ++i) {
        if (static_cast<std::size_t>(kRoleFonts[i].role) != i)
            return false;
    }
    return true;
}
static_assert(std::size(kRoleFonts) == static_cast<std::size_t>(R::AboutOwner) + 1,
              "every font role has a face and a size");
static_assert(rolesInEnumOrder(), "the font role table follows the enum");

const RoleFont &roleFont(R role)
{
    return kRoleFonts[static_cast<std::size_t>(role)];
}

QStringList families(Face face)
{
    switch (face) {
    case Face::Song:
        return cjk::songFamilies();
    case Face::Kai:
        return cjk::kaiFamilies();
    case Face::Hei:
        return cjk::heiFamilies();
    case Face::Latin:
        return theme::latinFamilies();
    case Face::LatinNarrow:
        return {QStringLiteral("Arial"),
                QStringLiteral("Liberation Sans"),
                QStringLiteral("Arimo"),
                QStringLiteral("Nimbus Sans"),
                QStringLiteral("DejaVu Sans Condensed"),
                QStringLiteral("DejaVu Sans")};
    }
    return {};
}

// Font family lists as the style sheet writes them: "A","B".
QString quoted(const QStringList &families)
{
    QStringList parts;
    for (const QString &family : families)
        parts << QLatin1Char('"') + family + QLatin1Char('"');
    return parts.join(QLatin1Char(','));
}

QHash<QString, QString> tokenValues()
{
    QHash<QString, QString> values;
    for (const NamedColour &named : kColours)
        values.insert(QString::fromLatin1(named.name), QColor(named.value).name());
    values.insert(QStringLiteral("songFamilies"), quoted(cjk::songFamilies()));
    values.insert(QStringLiteral("kaiFamilies"), quoted(cjk::kaiFamilies()));
    values.insert(QStringLiteral("heiFamilies"), quoted(cjk::heiFamilies()));
    return values;
}

} // namespace

// The resource lives in the static GUI library; this pulls it into the program.
static void initThemeResource()
{
    Q_INIT_RESOURCE(theme);
}

namespace theme {

QColor colour(Colour colour)
{
    return QColor(entry(colour).value);
}

QString colourName(Colour colour)
{
    return QString::fromLatin1(entry(colour).name);
}

QList<Colour> allColours()
{
    QList<Colour> all;
    for (const NamedColour &named : kColours)
        all << named.colour;
    return all;
}

QString toneName(Tone tone)
{
    return QString::fromLatin1(kTones[static_cast<std::size_t>(tone)].name);
}

QList<Tone> allTones()
{
    QList<Tone> all;
    for (const NamedTone &named : kTones)
        all << named.tone;
    return all;
}

void fill(QWidget *widget, Colour colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, theme::colour(colour));
    widget->setPalette(palette);
}

void paintPaper(QWidget *widget)
{
    fill(widget, Colour::Paper);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void setTextColour(QWidget *widget, Colour colour)
{
    setTextColour(widget, theme::colour(colour));
}

QWidget *paperPanel(QWidget *parent, const QString &name)
{
    auto *panel = new QWidget(parent);
    if (!name.isEmpty())
        panel->setObjectName(name);
    paintPaper(panel);
    return panel;
}

void setTone(QWidget *widget, Tone tone)
{
    const QString name = toneName(tone);
    if (widget->property("tone").toString() == name)
        return;
    widget->setProperty("tone", name);
    // A property selector is matched when the widget is polished: repolish
    // a widget that already was.
    if (widget->testAttribute(Qt::WA_WState_Polished)) {
        widget->style()->unpolish(widget);
        widget->style()->polish(widget);
    }
}

void setPart(QWidget *widget, const QString &part)
{
    widget->setProperty("part", part);
}

QStringList latinFamilies()
{
    return {QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
}

QFont font(FontRole role)
{
    const RoleFont &named = roleFont(role);
    QFont font;
    font.setFamilies(families(named.face));
    if (named.unit == Unit::Points)
        font.setPointSize(named.size);
    else
        font.setPixelSize(named.size);
    font.setBold(named.bold);
    if (named.italic)
        font.setItalic(true);
    return font;
}

QString fontRoleName(FontRole role)
{
    return QString::fromLatin1(roleFont(role).name);
}

QList<FontRole> allFontRoles()
{
    QList<FontRole> all;
    for (const RoleFont &named : kRoleFonts)
        all << named.role;
    return all;
}

QString styleSheetSource()
{
    initThemeResource();
    QFile file(QStringLiteral(":/theme/theme.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString resolve(const QString &source, QStringList *unknown)
{
    static const QRegularExpression token(QStringLiteral("@([A-Za-z][A-Za-z0-9]*)"));
    static const QHash<QString, QString> values = tokenValues();
    QString out;
    out.reserve(source.size());
    qsizetype from = 0;
    for (auto it = token.globalMatch(source); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(source).mid(from, match.capturedStart() - from);
        const QString name = match.captured(1);
        const auto value = values.constFind(name);
        if (value != values.cend()) {
            out += *value;
        } else {
            out += match.captured(0);
            if (unknown)
                *unknown << name;
        }
        from = match.capturedEnd();
    }
    out += QStringView(source).mid(from);
    return out;
}

QString styleSheet()
{
    QStringList unknown;
    const QString sheet = resolve(styleSheetSource(), &unknown);
    if (!unknown.isEmpty())
        qWarning("drillbay: theme.qss names unknown values: %s",
                 qPrintable(unknown.join(QStringLiteral(", "))));
    return sheet;
}

void apply(QApplication &app)
{
    app.setFont(font(FontRole::Ui));
    app.setStyleSheet(styleSheet());
}

} // namespace theme
