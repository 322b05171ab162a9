#pragma once

#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class Notifier;
class Selection;

// The bank and chapter picker's state and rules over the database: the banks
// as radio buttons, the chapters of the checked bank with their question
// counts, the remembered item and the choice of a chapter. Nothing is cached
// between readings: every showing and every listing reads afresh.
//
// Every bank is offered, in ascending id, however many there are (the window
// lets its radio column scroll). Any enabled bank lists its chapters when it
// is checked. The checked bank is the current bank of the whole system.
class BankPicker
{
public:
    using Bank = BankRow;

    enum class CloseDecision
    {
        Hide,    // a chapter was chosen before: the window just hides
        Refuse,  // no choice yet, but there is a chapter to choose
        AskQuit, // no choice yet and nothing can be chosen (or nothing could be
                 // read): offer to end the program
    };

    explicit BankPicker(QSqlDatabase db);

    // The selection whose bank is the bank checked here; it follows every
    // change of the checked bank from now on.
    void setSelection(Selection *selection);

    // Every showing of the picker: reads the banks afresh. When no bank has been
    // listed yet, the first enabled bank is checked and listed so that the list
    // is never blank at the first start. The chapter list is otherwise kept.
    void refresh();
    // refresh() and listBank() for the window: a file that cannot be read gives
    // one notice saying why (never an empty window without a word), and the
    // picker can then be left (closeDecision()). False when the reading failed.
    bool showBanks(Notifier &notifier);
    bool chooseBank(int bankPosition, Notifier &notifier);
    // The last reading failed; the next successful one clears it.
    bool readFailed() const { return m_readFailed; }

    const QList<Bank> &banks() const { return m_banks; }
    bool hasBanks() const { return !m_banks.isEmpty(); }

    // Checks the bank at the 0-based position of banks() and lists its chapters.
    // A disabled bank or a position outside the list changes nothing (false).
    bool listBank(int bankPosition);
    // The checked bank: its position in banks() (-1 for none), id and name
    // (empty when none is checked).
    int checkedPosition() const;
    qint64 checkedBankId() const { return m_checkedBankId; }
    QString checkedBankName() const { return m_checkedBankName; }

    // The listed chapters (listing order = storage order) and their question
    // counts, known questions included.
    const QStringList &chapterNames() const { return m_names; }
    const QList<int> &chapterCounts() const { return m_counts; }
    // "【01】name(12道)" ...
    QStringList itemTexts() const;
    static QString itemText(int position, const QString &name, int count);
    // "当前试题库:" + bank total + "道/  全库:" + total + "道", or a clear line
    // when there is no bank to choose from.
    QString countsText() const;
    int bankTotal() const { return m_bankTotal; }
    int wholeTotal() const { return m_wholeTotal; }

    // Grows with every listing, so that a view knows when to fill itself anew.
    int listingCount() const { return m_listings; }

    // The 0-based item drawn as chosen.
    int rememberedItem() const { return m_remembered; }
    bool chosenOnce() const { return m_chosenOnce; }

    // Double-click at a 0-based position of the list. Returns the chapter name
    // when it can be practised; otherwise shows the notice and returns an empty
    // text (positions outside the list give the same notice).
    QString doubleClick(int position, Notifier &notifier);

    // What the close box does. When the database cannot be read the picker
    // offers to end the program instead of refusing to close.
    CloseDecision closeDecision() const;
    // The question asked for CloseDecision::AskQuit.
    QString closeQuestion() const;
    // True when some chapter of an enabled bank has a question.
    bool anyChoosableChapter() const;

    static QString emptyChapterNotice();
    static QString quitQuestion();
    static QString readFailedNotice(const QString &reason);
    static QString readFailedQuestion();

private:
    void publishCheckedBank();

    Selection *m_selection = nullptr;
    BankTable m_bankTable;
    ChapterTable m_chapterTable;
    QuestionTable m_questionTable;
    QList<Bank> m_banks;
    bool m_checked = false;
    qint64 m_checkedBankId = 0;
    QString m_checkedBankName;
    bool m_listedOnce = false;
    QStringList m_names;
    QList<int> m_counts;
    int m_bankTotal = 0;
    int m_wholeTotal = 0;
    int m_remembered = 0;
    int m_listings = 0;
    bool m_chosenOnce = false;
    mutable bool m_readFailed = false; // also found out by closeDecision()
};
