#pragma once

#include "editor/BrowseList.h"
#include "editor/DraftRules.h"
#include "store/BankTable.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class Notifier;

// The trainer's question editor: which bank and chapter it works on, the
// per-type counters, saving, correcting and deleting questions, and creating
// and deleting chapters. The window shows its state and forwards the user's
// actions; every notice comes from here. The state lasts as long as the
// program: opening the editor again finds the chapter left last time.
class QuestionEditor
{
public:
    // What the window shows after an action.
    enum class Outcome
    {
        Nothing,     // the action changed nothing visible
        Refused,     // a rule refused the action; its notice was shown
        Done,        // written (or read) as asked
        Failed,      // the store failed; the notice says what was not saved
        NoChapter,   // no chapter chosen: the notice was shown, show the empty page
        ResetPoints, // the score field goes back to "2"; nothing written
        ResetTime,   // the time field goes back to "60"; nothing written
        Gone         // the question no longer exists
    };

    inline static const QString kNoChapter = QStringLiteral(
        "[软件提示]：未选择章节试题,请选择;如果要建立新章节，则点击【新建一章试题】.");
    inline static const QString kNoChapterFirstPage = QStringLiteral(
        "[软件提示]：未选择章节试题,请选择;如果要建立新试题章节，则点击【新建一章试题】.");
    inline static const QString kSaved = QStringLiteral("数据已经成功写入数据库");
    inline static const QString kCorrected = QStringLiteral("已经成功写入数据库");
    inline static const QString kChapterGone =
        QStringLiteral("[软件提示]：该章节已经被删除，试题没有保存，请重新选择章节.");
    inline static const QString kChapterMissing =
        QStringLiteral("[软件提示]：该章节已经不存在，请重新选择试题库.");
    inline static const QString kCreator = QStringLiteral("net_user");
    inline static const QString kDefaultMinutes = QStringLiteral("60");
    static constexpr int kChapterNameBytes = 50;

    QuestionEditor(QSqlDatabase db, Notifier &notifier);

    // --- Bank and chapter --------------------------------------------------------

    // Reads the bank selector's items anew: every enabled bank in id order.
    // The chapter list and the current chapter stay as they were, unless
    // their bank is no longer offered.
    Outcome reloadBanks();
    QStringList bankNames() const;
    // The bank selector's index of the bank whose chapters are listed; the
    // first bank when none are (-1 without banks).
    int listedBankIndex() const;
    // Builds the chapter selector of the bank at the index. The chapter chosen
    // before belongs to the bank left: no chapter is current any more, and
    // nothing is listed or counted until one is chosen.
    Outcome chooseBank(int index);
    QStringList chapterItems() const { return m_chapterItems; }
    QString bankIdText() const { return m_bankId > 0 ? QString::number(m_bankId) : QString(); }
    qint64 bankId() const { return m_bankId; }
    // Makes the chapter at the selector's index current, then browses it.
    Outcome chooseChapter(int index);
    qint64 currentChapter() const { return m_chapter; }
    // The chapter selector's index of the current chapter; the first chapter
    // when none is current (-1 without chapters).
    int currentChapterIndex() const;
    QString chapterIdText() const { return QString::number(m_chapter); }
    QString chapterNameAt(int index) const;

    // --- Counters and browsing ---------------------------------------------------

    // Counts the current chapter's questions by type.
    Outcome refreshCounters();
    // "[n]" for type 1 … 5; "[000]" until first counted.
    QString counterText(int type) const;
    // "试题浏览": counters, then the first type that has questions.
    Outcome browseAll();
    // A browse-type link: that type, first page.
    Outcome browseType(int type);
    enum class Turn
    {
        First,
        Next,
        Prior,
        Last
    };
    Outcome turn(Turn turn);
    const BrowseList &browse() const { return m_browse; }
    // The detail box of a listed question; empty when it no longer exists in
    // the current chapter.
    StyledText detail(qint64 id);

    // --- Questions ---------------------------------------------------------------

    // "保存" on an entry page: checks the draft and adds it to the chapter.
    Outcome save(const QuestionDraft &draft);
    // "修改本小题": the question to show on its correction page.
    std::optional<QuestionRow> loadCorrection(qint64 id);
    qint64 correctionId() const { return m_correctionId; }
    // "确定" on a correction page: checks and writes the corrected texts.
    Outcome confirmCorrection(const QuestionDraft &draft);
    // "删除本小题": deletes at once, then lists the first page and turns to the next.
    Outcome removeQuestion(qint64 id);

    // --- Chapters ----------------------------------------------------------------

    // "确定" on the new-chapter page, in the bank shown in the bank id label.
    Outcome createChapter(const QString &name, const QString &minutes, const QDate &today);
    // "将该章节下试题全部删除": asks, then deletes the questions of the chapter
    // at the selector's index, the chapter the selector shows. bankText and
    // chapterText are the selectors' texts for the notice.
    Outcome removeChapterQuestions(int index, const QString &bankText, const QString &chapterText);
    // "删除章节": asks, then deletes the chapter at the selector's index if it
    // holds no question, with its draw quotas. Deleting the current chapter
    // leaves no chapter chosen.
    Outcome removeChapter(int index);

    // Done when a chapter is current; otherwise tells the user to choose one
    // and gives NoChapter.
    Outcome requireChapter(const QString &notice = kNoChapter);

private:
    Outcome storeFailed(const QString &what, const QString &reason);
    // No chapter is current: nothing listed, the counters not counted.
    void forgetChapter();

    QSqlDatabase m_db;
    Notifier &m_notifier;
    QList<BankRow> m_banks;
    qint64 m_bankId = 0;
    QStringList m_chapterNames; // by selector index
    QList<qint64> m_chapterIds;
    QStringList m_chapterItems;
    qint64 m_chapter = 0;
    std::array<int, 6> m_counts{};
    bool m_counted = false;
    BrowseList m_browse;
    qint64 m_correctionId = 0;
};
