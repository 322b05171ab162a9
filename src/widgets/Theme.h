#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QApplication;
class QWidget;

// The look of every window in one place: the colours named by what they mean,
// the font roles, and the one style sheet (theme.qss) that the application
// applies at start-up. Windows carry no style sheets of their own: boxes are
// styled through their object names, label texts through their tone.
//
// theme.qss names its colours and font families as "@name" tokens; the sheet
// is filled in from the tables here, so a colour has one value in the whole
// program. The colours that core code produces as data come from rgb::.
namespace theme {

enum class Colour
{
    // Text that carries meaning (the review, the strip, the feedback).
    Text,          // plain text, black
    Paper,         // the white of pages, views and lists
    CorrectAnswer, // correct answers and verdicts, red
    UserAnswer,    // the user's answers, green
    Separator,     // separator lines and questions not yet judged, grey
    TypedAnswer,   // fill-in and essay questions in the strip, silver
    Emphasis,      // the chosen answer, the typed fill-in answer, the percentage
    Saved,         // "saved" hint of the typed answers
    Slogan,        // the slogan strip's text
    LinkRest,      // command links at rest
    LinkHover,     // command links under the pointer
    ChapterLinkHover,
    RestoreLink,  // the chapter page's "restore known questions" link
    PasswordLink, // the password page's "change password" link
    ChosenSet,    // the chapter page's line about the chosen set
    Detail,       // bank and chapter line, raw score
    KnownFigure,  // known questions / all questions of the bottom bar
    ListMarked,   // focused and remembered items of the owner-drawn lists
    ListMarkedText,
    RightMark,   // the tick of a right answer
    WrongMark,   // the cross of a wrong answer
    ChoicePlate, // face of the single-choice buttons
    TruePlate,   // face of the "对" button
    FalsePlate,  // face of the "错" button
    PlateText,   // letters on the button faces
    Backdrop,    // the screen behind the windows while practising

    // Captions and figures of the windows.
    Heading,       // page titles, group titles, captions
    OnBar,         // captions on the blue top bar
    PickerCaption, // captions of the picker
    Note,          // legend and notes under a page
    SoftNote,      // the settings page's hint
    HandInHint,    // "hand in to compare answers" hint
    Alert,         // countdown, percentage of the run, reveal figure
    Count,         // counts and levels
    DisabledText,  // disabled bank buttons
    StatusText,
    RevealCaption,
    FinePrint, // the review's notes

    // Surfaces and edges.
    BarTop,
    BarBottom,
    BarEdge,
    Panel, // left panel and bottom bar
    PanelEdge,
    CardEdge, // command groups, countdown box
    SloganTop,
    SloganBottom,
    SloganEdge,
    StatusBar,
    StatusEdge,
    StatusShade,
    StatusPanel,
    FrameFill,  // the score and settings frames
    FrameEdge,  // frames, question views, the picker's panel edge
    PickerRule, // the line under the picker's bank caption
    StripTop,   // the picker's counts strip
    StripBottom,
    StripEdge,
    ListEdge, // the chapter page's set list and log
    ReviewEdge,
    PictureEdge,
    EssayPaper,
    RevealTop,
    RevealBottom,
    RevealEdge,

    // The viewer of known questions: its chosen grid row and its detail view.
    KnownRowFill,
    KnownRowText,
    KnownDetailPaper,
};

// Text colours of labels, set with setTone() and coloured by theme.qss.
enum class Tone
{
    Plain,
    Heading,
    OnBar,
    PickerCaption,
    Note,
    SoftNote,
    HandInHint,
    Alert,
    Count,
    Emphasis,
    Detail,
    ChosenSet,
    Saved,
    KnownFigure,
    RevealCaption,
    FinePrint,
};

// The roles of the window fonts: the families are those of widgets/CjkFonts,
// the pixel sizes those the windows use.
enum class FontRole
{
    Ui,            // 黑体 13: controls without a font of their own
    Caption,       // 黑体 15 bold: captions of bars and panels, command buttons
    QuestionText,  // 宋体 15: question views, typed essays
    PageText,      // 宋体 14: text of the chapter page, the settings page and the picker
    AnswerCaption, // 宋体 16 bold: "选择：", "答：" and typed fill-in answers
    Note,          // 宋体 12: legend and notes
};

QColor colour(Colour colour);
// The colour's token name in theme.qss (without the "@").
QString colourName(Colour colour);
QList<Colour> allColours();

QString toneName(Tone tone);
QList<Tone> allTones();
// Sets the label's tone; takes effect when the widget is polished (before it
// is first shown), or at once on a widget already polished.
void setTone(QWidget *widget, Tone tone);
// Names a box by what it is for ("sloganStrip"): theme.qss selects it as
// *[part="sloganStrip"]. Object names stay what tests and stored layouts
// find controls by; the style sheet never selects by them.
void setPart(QWidget *widget, const QString &part);
// A plain widget filled with the paper colour: the white panels of the paper
// windows on their grey or coloured ground. An empty name leaves it unnamed.
QWidget *paperPanel(QWidget *parent, const QString &name = QString());

QFont font(FontRole role);
QList<FontRole> allFontRoles();

// theme.qss as written, with its tokens.
QString styleSheetSource();
// The sheet with every known token replaced; unknown token names go to
// *unknown (the token stays in place, which the style sheet parser drops).
QString resolve(const QString &source, QStringList *unknown = nullptr);
QString styleSheet();

// The application's font and style sheet; called once at start-up.
void apply(QApplication &app);

} // namespace theme
