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

    // The question editor.
    IdBox,            // the bank and chapter numbers beside the selectors
    EditorCount,      // the question counts beside the browse links
    EditorHint,       // hints, the list's info line, the pages' status and notices
    EditorTyped,      // what is typed into the new-chapter page
    HelpLink,         // "试题输入帮助"
    AnswerMarked,     // the captions of the answers marked correct
    AnswerUnmarked,   // the captions of single-choice and true/false answers not marked
    FillInKey,        // the correct answer typed on the fill-in pages
    CorrectionOption, // the options of the multiple-choice correction page
    ReviewNotice,     // the true/false entry page's notice to look the answer over

    // The search and composition windows.
    KeywordHint,     // the hint above the keyword
    FigureAvailable, // questions available and the score of each
    FigureChosen,    // the total, the questions drawn and the target
    FigureSelected,  // the score selected so far
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

// The roles of the window fonts: the Chinese families are those of
// widgets/CjkFonts, the sizes those the windows use (pixels unless points
// are named).
enum class FontRole
{
    Ui,            // 黑体 13: controls without a font of their own
    Caption,       // 黑体 15 bold: captions of bars and panels, command buttons, counts
    QuestionText,  // 宋体 15: question views, typed essays
    PageText,      // 宋体 14: text of the chapter, settings and editor pages and the picker
    AnswerCaption, // 宋体 16 bold: "选择：", "答：" and typed fill-in answers
    Note,          // 宋体 12: legend and notes

    // The question editor.
    EditorText,    // 宋体 12: selectors, links, hints and the question list
    PageHeading,   // 黑体 16 bold: headings of the editor's and the chapter page
    EditorCounter, // Arial 11: the question counts beside the browse links
    EditorFigure,  // Arial 12 bold: the figures of the list's paging strip
    DetailView,    // 宋体 10 points: detail boxes under lists, the practice log

    // Answer pages and the practice windows.
    ChosenAnswer,  // 宋体 24 bold italic: the answer chosen
    PlateLetter,   // 黑体 bold: letters on the button faces, sized to the face
    Instruction,   // 宋体 13: instructions above an answer field
    TypedHint,     // 宋体 13 bold: the hint beside a typed answer
    ChoiceLetter,  // 黑体 20 bold: the multiple-choice boxes and their verdict
    RevealFigure,  // 黑体 18 bold: the figure of the reveal panel
    StripNumber,   // Arial 8 points: the numbers of the question strip
    PickerCaption, // 黑体 13 bold: the picker's bank caption
    PickerCounts,  // 黑体 14: the picker's counts strip
    ListText,      // 宋体 15: the picker's chapter list, the score page's log
    ChosenGridRow, // 宋体 10 points: the chosen row of the known-questions grid

    // The chapter page and the score page.
    ChosenLine,   // 宋体 14 bold: the chosen set, the bank and chapter
    Level,        // 宋体 13 bold: the known-question level
    RestoreLink,  // 宋体 13: "restore known questions"
    ScoreTitle,   // 黑体 24 bold
    ScoreCaption, // 宋体 18 bold
    ScoreFigure,  // 宋体 20 bold: the raw score
    ScorePercent, // 黑体 36 bold
    ScoreNote,    // 宋体 15 bold

    // Papers, the review and the quota grid.
    PaperTitle,    // 黑体 12 points bold: titles of the paper windows and the review
    PaperText,     // 宋体 11 points: paper views, help text, the papers' close buttons
    ReviewText,    // 楷体 12 points: the review
    ReviewCaption, // 宋体 11 points bold
    ReviewFigure,  // Arial 36 points bold: the review's percentage
    ReviewUnit,    // 宋体 16 points bold: "分" after it
    ReviewNote,    // 宋体 10 points: the review's notes
    QuotaCell,     // 宋体 13: cells and heading of the quota grid

    // The search and composition windows, the reader and the about box.
    FigureField,  // 黑体 13 bold: the composition page's figures
    DocumentList, // 宋体 11 points: the reader's list of documents
    AboutText,    // 宋体 13
    AboutTitle,   // 黑体 24
    AboutOwner,   // Arial 13 bold: the owner line
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
// The widget fills its background with the colour: the white of pages
// (paintPaper), the black backdrop, the grey ground of the paper windows.
void fill(QWidget *widget, Colour colour);
void paintPaper(QWidget *widget);
// The widget's text, its typed text and its button captions in the colour,
// for controls whose colour changes with what they show.
void setTextColour(QWidget *widget, const QColor &colour);
void setTextColour(QWidget *widget, Colour colour);
// A plain widget filled with the paper colour: the white panels of the paper
// windows on their grey or coloured ground. An empty name leaves it unnamed.
QWidget *paperPanel(QWidget *parent, const QString &name = QString());

QFont font(FontRole role);
// The role's name, for tests and messages.
QString fontRoleName(FontRole role);
QList<FontRole> allFontRoles();
// The Latin face the windows' figures use: Arial, else what stands in for it.
QStringList latinFamilies();

// theme.qss as written, with its tokens.
QString styleSheetSource();
// The sheet with every known token replaced; unknown token names go to
// *unknown (the token stays in place, which the style sheet parser drops).
QString resolve(const QString &source, QStringList *unknown = nullptr);
QString styleSheet();

// The application's font and style sheet; called once at start-up.
void apply(QApplication &app);

} // namespace theme
