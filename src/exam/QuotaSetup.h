#pragma once

#include "exam/PaperScope.h"
#include "exam/QuotaDraw.h"
#include "question/QuestionType.h"
#include "store/BankTable.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

class Notifier;
class RandomSource;
struct MockExamForm;

// The quota page's state and rules: the banks, the chapters of the chosen
// bank, the chapter being edited with its counts and quota choices, the
// examination settings, the stored quota rows and their totals. The page
// shows this state and forwards what the user does; every notice and
// question goes through the notifier.
//
// Choosing a bank opens its first chapter for editing at once, so a quota is
// always stored under the bank whose chapter is shown.
class QuotaSetup
{
public:
    static constexpr int kTypes = question::kTypeCount;

    struct Chapter
    {
        qint64 id = 0;
        QString name;
        int count = 0; // questions of the chapter
        QString item;  // "【01】name(count道)"
    };
    struct TypeState
    {
        int count = 0;      // the chapter's questions of the type
        QList<int> choices; // count … 0; empty when there are none
        int chosen = -1;    // index into choices, -1 for no choice (read as 0)
        bool present() const { return !choices.isEmpty(); }
        int quota() const { return chosen >= 0 && chosen < choices.size() ? choices[chosen] : 0; }
    };
    // One line of the quota table.
    struct TableRow
    {
        qint64 id = 0;
        QString position; // the stored position, "已删除" for a chapter that is gone
        bool chapterGone = false;
        std::array<int, kTypes> quota{};
        int total = 0;
    };
    enum class Redraw
    {
        Cancelled,
        NoQuotas, // the notice was shown: the quota page should open
        Done,
        Failed,
    };

    QuotaSetup(QSqlDatabase db, Notifier &notifier, RandomSource &random, MockExamForm &form);

    // The page is opened with the picker's current bank: the banks are read
    // afresh and that bank is chosen unless it is the page's bank already.
    void open(qint64 pickerBankId);
    // The bank at the position of banks(): its chapters, its first chapter
    // opened for editing, its quota table.
    void chooseBank(int position);
    // The chapter at the 0-based position of chapters() opened for editing.
    void editChapter(int position);
    // The quota choice of a type (1 … 5): an index into its choices, -1 for none.
    void choose(int type, int index);
    // Texts typed into "考试时间(分钟)：" and "试题量(道)：", corrected by the
    // field rules; the examination settings follow them.
    void editMinutes(const QString &text);
    void editQuestionLimit(const QString &text);
    // "确定": checks, draws and stores the edited chapter's quotas. True when stored.
    bool save();
    // Reads the bank's quota rows and totals afresh.
    void refreshTable();
    // Asks, then deletes the quota row; false when nothing was deleted.
    bool removeRow(qint64 rowId);
    // The paper of one quota row (nothing for no row).
    static std::optional<PaperScope> rowPaper(qint64 rowId);
    // "重新抽题" for the bank: asks, re-draws every quota and reports.
    Redraw redraw(qint64 bankId, const QString &bankName);
    // The figure beside "模拟考试抽题设置": "已抽题数:" and the bank's total.
    QString bankTotalFigure(qint64 bankId) const;

    const QList<BankRow> &banks() const { return m_banks; }
    int bankPosition() const { return m_bankPosition; }
    // The bank the page shows (id 0 and no name before one is chosen).
    qint64 bankId() const { return m_bankId; }
    QString bankName() const;
    const QList<Chapter> &chapters() const { return m_chapters; }
    int editedPosition() const { return m_edited; }
    qint64 editedChapterId() const { return m_editedId; }
    QString editedName() const { return m_editedName; }
    // "本章题目数:" + the chapter's questions + "道"; empty before a chapter is opened.
    QString chapterCountLine() const { return m_countLine; }
    const TypeState &type(int typeCode) const { return m_types[static_cast<size_t>(typeCode - 1)]; }
    // "题量：" and "本章分数：": the sum of the five choices.
    int quotaSum() const;
    QString minutesText() const { return m_minutesText; }
    QString questionLimitText() const { return m_limitText; }
    const QVector<TableRow> &tableRows() const { return m_rows; }
    // The five per-type totals of the table and their sum.
    const std::array<int, kTypes + 1> &totals() const { return m_totals; }

private:
    void clearChapter();
    // The bank's chapters with their question counts; nothing when they cannot be read.
    std::optional<QList<Chapter>> readChapters(qint64 bankId);
    // The page opened again on its bank: chapters and table read afresh.
    void reopenBank();

    QSqlDatabase m_db;
    Notifier &m_notifier;
    QuotaDraw m_draw;
    MockExamForm &m_form;
    QList<BankRow> m_banks;
    int m_bankPosition = -1;
    qint64 m_bankId = 0;
    QList<Chapter> m_chapters;
    int m_edited = -1;
    qint64 m_editedId = 0;
    QString m_editedName;
    QString m_countLine;
    std::array<TypeState, kTypes> m_types;
    QString m_minutesText;
    QString m_limitText;
    QVector<TableRow> m_rows;
    std::array<int, kTypes + 1> m_totals{};
};
