#pragma once

#include "base/StyledText.h"

#include <QSqlDatabase>
#include <QString>
#include <array>

class Notifier;
class RandomSource;

// The composition page and its paper: per question type how many questions
// the scope offers, how many to draw and what each is worth, against a target
// total of at most 200; "改分" writes the score fields into every question of
// the picker's bank; the paper draws the questions at random, one section per
// type, each listed in storage order.
class PaperComposer
{
public:
    enum class Scope
    {
        Chapter, // the current chapter
        Bank,    // the bank chosen in the picker
    };

    static constexpr int kMaxTarget = 200;

    struct TypeRow
    {
        bool present = false; // false: no question of the type in scope, its row hidden
        int available = 0;    // the slider's maximum
        QString score;        // the score field
        int drawn = 0;        // the slider
    };

    struct Page
    {
        std::array<TypeRow, 5> types;           // single choice … essay
        QString total = QStringLiteral("0");    // "题目总数"
        QString selected = QStringLiteral("0"); // "当前选择分"
        QString target = QStringLiteral("100"); // "该试卷总分"
        QString successLine;
        QString scoreLine;
        QString bankLine;
        bool scoresEnabled = true;  // the five score fields
        bool rewriteEnabled = true; // "改分"
    };

    enum class Confirmation
    {
        Refused,
        RefusedAtTarget, // the focus goes to the target total
        Open,            // "组卷结果" opens with an empty view
    };

    PaperComposer(QSqlDatabase db, Notifier &notifier, RandomSource &random);

    const Page &page() const { return m_page; }
    Scope scope() const { return m_scope; }

    // Opens the page for the scope: counts per type, every field reset.
    void open(Scope scope, const QString &chapterName, const QString &bankName);

    // The type labels "单项选择题：" … of the page, for types 1 … 5.
    static QString typeLabel(int type);

    void setScore(int type, const QString &text);
    void setTarget(const QString &text);
    // A slider moved: the selected total and the success line anew.
    void moveSlider(int type, int drawn);
    // "重新设定各题型得分".
    void unlockScores();
    // "改分": every question of the picker's bank gets the score of its type.
    bool rewriteScores(const QString &bankName);
    // "确定".
    Confirmation confirm();
    // "显示组卷": a new random paper of the scope.
    StyledText compose();

    static QString copyNotice();
    static QString scoresRewrittenLine();

private:
    TypeRow &row(int type) { return m_page.types[static_cast<size_t>(type - 1)]; }
    qint64 bankIdOf(const QString &bankName) const;

    QSqlDatabase m_db;
    Notifier &m_notifier;
    RandomSource &m_random;
    Scope m_scope = Scope::Chapter;
    qint64 m_scopeId = 0;
    Page m_page;
};
