#pragma once

#include "base/Colours.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// Everything the main window shows of the practice run. The window renders it
// after every changed() of the run and never decides anything itself.
// Colours are 0xRRGGBB.
struct RunDisplay
{
    // The page of the main window's page area that the run wants on screen.
    enum class Page
    {
        Chapter, // the chapter page (set list)
        SingleChoice,
        MultipleChoice,
        FillIn,
        TrueFalse,
        Essay,
        Score, // "即时得分信息"
    };

    // One number of the question-number strip.
    struct StripNumber
    {
        int number = 0;
        QString caption;              // two digits at least: 01 … 99, 100 …
        unsigned colour = rgb::kGrey; // grey, red, green or silver
        bool bold = false;
    };

    static constexpr unsigned kGrey = rgb::kGrey;
    static constexpr unsigned kRed = rgb::kRed;
    static constexpr unsigned kGreen = rgb::kGreen;
    static constexpr unsigned kSilver = rgb::kSilver;
    static constexpr unsigned kBlack = rgb::kBlack;

    // The page to show. pageSerial grows each time the run switches pages, so
    // a window switches only then (and leaves e.g. the settings page alone on
    // a change that does not switch).
    Page page = Page::Chapter;
    int pageSerial = 0;

    // The question view of the page on screen: its lines and line spacing in
    // percent (150, or 200 for single choice after an automatic move). The
    // window scrolls the view to its top whenever the lines are replaced.
    QStringList questionLines;
    int lineSpacing = 150;

    // "选择：" of the single-choice, multiple-choice and true/false pages.
    QString singleChosen;
    QString multiChosen;
    QString trueFalseChosen; // "对", "错" or empty

    // Right and wrong marks of the single-choice and true/false pages.
    bool rightMarkVisible = false;
    bool wrongMarkVisible = false;

    // Feedback label of the multiple-choice page and its four check boxes A … D.
    QString multiFeedback;
    unsigned multiFeedbackColour = kBlack;
    bool multiFeedbackVisible = true;
    std::array<bool, answer::kOptionCount> multiChecks{};

    // Answer field of the fill-in page; answer view of the essay page (lines
    // separated by "\n").
    QString fillInText;
    QString essayText;

    // Save hint of the fill-in and essay pages.
    QString saveHint;
    bool saveHintVisible = false;

    // Reveal panels "查看答案", index = type code − 1, and the countdown figure.
    std::array<bool, question::kTypeCount> revealPanelVisible{{true, true, true, true, true}};
    QString revealFigure;
    bool revealFigureVisible = false;

    // Picture box of the page on screen: "images/" + name, empty = hidden.
    QString picture;

    // Progress bar and percentage label of the bottom bar.
    int progressMinimum = 0;
    int progressMaximum = 100;
    int progressValue = 0;
    QString percentText = QStringLiteral("100%");

    // "请点击[交卷评阅]按钮交卷后进行答案对照" on the bottom bar.
    bool bottomHintVisible = false;

    // The question-number strip, numbers 1 … N in order; empty when freed.
    QList<StripNumber> strip;

    // Live result of the top bar: correct (green bold) "/" objective (grey).
    QString liveCorrect = QStringLiteral("00");
    QString liveTotal = QStringLiteral("00");

    // "下一题[Next]".
    bool nextEnabled = true;
    QString nextCaption = QStringLiteral("下一题[Next]");

    // Score page: "客观题正确：" correct " /客观总数:" objective, and the
    // percentage + "分".
    // Without objective questions: "0/0", "--" and the line saying why.
    QString scoreLine;
    QString scorePercent;
    QString scoreNote;

    // Whether the two 100 ms timers of the window should run.
    bool advanceTimerOn = false;
    bool revealTimerOn = false;
};
