#include "exam/QuotaSetup.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "exam/MockExamForm.h"
#include "exam/QuotaRules.h"
#include "question/QuestionType.h"
#include "store/BackupGuard.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"
#include "store/QuotaTable.h"
#include "store/TrainerLock.h"

#include <QSet>
#include <numeric>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kConfirmCaption = QStringLiteral("提示信息");

} // namespace

QuotaSetup::QuotaSetup(QSqlDatabase db, Notifier &notifier, RandomSource &random,
                       MockExamForm &form)
    : m_db(db), m_notifier(notifier), m_draw(db, random), m_form(form),
      m_minutesText(QString::number(form.examMinutes)),
      m_limitText(QString::number(form.questionLimit))
{
}

QString QuotaSetup::bankName() const
{
    if (m_bankId == 0 || m_bankPosition < 0 || m_bankPosition >= m_banks.size())
        return QString();
    return m_banks[m_bankPosition].name;
}

void QuotaSetup::open(qint64 pickerBankId)
{
    QList<BankRow> enabled;
    try {
        for (const BankRow &bank : BankTable(m_db).all()) {
            if (bank.enabled)
                enabled << bank;
        }
    } catch (const StoreError &error) {
        m_notifier.inform(quotarules::readFailedNotice(error.reason()));
        return;
    }
    m_banks = enabled;
    int wanted = -1;
    int kept = -1;
    for (int i = 0; i < m_banks.size(); ++i) {
        if (m_banks[i].id == pickerBankId)
            wanted = i;
        if (m_banks[i].id == m_bankId)
            kept = i;
    }
    if (wanted < 0)
        wanted = kept >= 0 ? kept : (m_banks.isEmpty() ? -1 : 0);
    if (wanted >= 0 && wanted == kept && m_bankId != 0) {
        m_bankPosition = kept;
        reopenBank();
        return;
    }
    if (wanted < 0) {
        m_bankPosition = -1;
        m_bankId = 0;
        m_chapters.clear();
        clearChapter();
        m_rows.clear();
        m_totals = {};
        return;
    }
    chooseBank(wanted);
}

std::optional<QList<QuotaSetup::Chapter>> QuotaSetup::readChapters(qint64 bankId)
{
    QList<Chapter> chapters;
    try {
        const QHash<qint64, int> counts = QuestionTable(m_db).countsPerChapter(bankId);
        int k = 0;
        for (const ChapterRow &row : ChapterTable(m_db).ofBank(bankId)) {
            const int count = counts.value(row.id, 0);
            chapters << Chapter{row.id, row.name, count,
                                quotarules::chapterItem(++k, row.name, count)};
        }
    } catch (const StoreError &error) {
        m_notifier.inform(quotarules::readFailedNotice(error.reason()));
        return std::nullopt;
    }
    return chapters;
}

void QuotaSetup::chooseBank(int position)
{
    if (position < 0 || position >= m_banks.size())
        return;
    const qint64 bankId = m_banks[position].id;
    const auto chapters = readChapters(bankId);
    if (!chapters)
        return;
    m_bankPosition = position;
    m_bankId = bankId;
    m_chapters = *chapters;
    clearChapter();
    if (!m_chapters.isEmpty())
        editChapter(0);
    refreshTable();
}

void QuotaSetup::reopenBank()
{
    const auto chapters = readChapters(m_bankId);
    if (chapters) {
        m_chapters = *chapters;
        // The chapter being edited stays, with the choices made, while it
        // exists; its place in the list may have moved.
        int found = -1;
        for (int i = 0; i < m_chapters.size(); ++i) {
            if (m_chapters[i].id == m_editedId)
                found = i;
        }
        if (found >= 0) {
            m_edited = found;
        } else {
            clearChapter();
            if (!m_chapters.isEmpty())
                editChapter(0);
        }
    }
    refreshTable();
}

void QuotaSetup::clearChapter()
{
    m_edited = -1;
    m_editedId = 0;
    m_editedName.clear();
    m_countLine.clear();
    m_types = {};
}

void QuotaSetup::editChapter(int position)
{
    if (position < 0 || position >= m_chapters.size())
        return;
    const Chapter &chapter = m_chapters[position];
    std::array<int, 6> counts{};
    std::optional<QuotaRow> stored;
    try {
        counts = QuestionTable(m_db).countsPerType(chapter.id);
        stored = QuotaTable(m_db).ofChapter(m_bankId, chapter.id);
    } catch (const StoreError &error) {
        m_notifier.inform(quotarules::readFailedNotice(error.reason()));
        return;
    }
    m_edited = position;
    m_editedId = chapter.id;
    m_editedName = chapter.name;
    const int total = std::accumulate(counts.begin() + 1, counts.end(), 0);
    m_countLine = QStringLiteral("本章题目数:") + QString::number(total) + QStringLiteral("道");
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        TypeState &state = m_types[static_cast<size_t>(type - 1)];
        state.count = counts[static_cast<size_t>(type)];
        state.choices = quotarules::choicesFor(state.count);
        // The list opens on "0"; a stored quota replaces it when offered.
        state.chosen = state.present() ? static_cast<int>(state.choices.size()) - 1 : -1;
        if (stored && state.present())
            state.chosen = static_cast<int>(
                state.choices.indexOf(stored->quota[static_cast<size_t>(type - 1)]));
    }
}

void QuotaSetup::choose(int type, int index)
{
    if (!question::isTypeCode(type))
        return;
    TypeState &state = m_types[static_cast<size_t>(type - 1)];
    state.chosen = index >= 0 && index < state.choices.size() ? index : -1;
}

int QuotaSetup::quotaSum() const
{
    int sum = 0;
    for (const TypeState &state : m_types)
        sum += state.quota();
    return sum;
}

void QuotaSetup::editMinutes(const QString &text)
{
    m_minutesText = text;
    if (const auto fix = quotarules::checkMinutes(text)) {
        m_minutesText = fix->text;
        m_notifier.inform(fix->notice);
    }
    m_form.examMinutes = quotarules::fieldNumber(m_minutesText);
}

void QuotaSetup::editQuestionLimit(const QString &text)
{
    const QString previous = m_limitText;
    m_limitText = text;
    if (const auto fix = quotarules::checkQuestionLimit(text, previous)) {
        m_limitText = fix->text;
        m_notifier.inform(fix->notice);
    }
    m_form.questionLimit = quotarules::fieldNumber(m_limitText);
}

bool QuotaSetup::save()
{
    if (m_edited < 0 || m_bankId == 0) {
        m_notifier.inform(quotarules::noChapterNotice());
        return false;
    }
    quotarules::SaveFigures figures;
    figures.limit = quotarules::fieldNumber(m_limitText);
    figures.chosen = quotaSum();
    QuotaRow row;
    bool chapterExists = false;
    try {
        for (const ChapterRow &chapter : ChapterTable(m_db).ofBank(m_bankId))
            chapterExists = chapterExists || chapter.id == m_editedId;
        QuotaTable table(m_db);
        figures.bankTotal = table.bankTotal(m_bankId);
        if (const auto stored = table.ofChapter(m_bankId, m_editedId))
            figures.chapterSaved = stored->quotaSum();
    } catch (const StoreError &error) {
        m_notifier.inform(quotarules::readFailedNotice(error.reason()));
        return false;
    }
    if (!chapterExists) {
        m_notifier.inform(quotarules::chapterGoneNotice(m_editedName));
        reopenBank();
        return false;
    }
    if (const auto refused = quotarules::refusal(m_minutesText, m_limitText, figures)) {
        m_notifier.inform(*refused);
        return false;
    }

    row.bankId = m_bankId;
    row.chapterId = m_editedId;
    row.position = m_edited + 1;
    try {
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            const auto t = static_cast<size_t>(type - 1);
            row.quota[t] = m_types[t].quota();
            row.drawn[t] = quota::listOf(m_draw.draw(m_editedId, type, row.quota[t]).ids);
        }
        QuotaTable(m_db).saveChapter(row);
    } catch (const StoreError &error) {
        m_notifier.inform(quotarules::notSavedNotice(QStringLiteral("抽题数据"), error.reason()));
        refreshTable();
        return false;
    }
    m_notifier.inform(quotarules::savedNotice());
    if (figures.after() == figures.limit)
        m_notifier.inform(quotarules::limitReachedNotice(figures.limit));
    refreshTable();
    return true;
}

void QuotaSetup::refreshTable()
{
    m_rows.clear();
    m_totals = {};
    if (m_bankId == 0)
        return;
    QVector<QuotaRow> stored;
    QSet<qint64> chapters;
    try {
        stored = QuotaTable(m_db).ofBank(m_bankId);
        for (const ChapterRow &chapter : ChapterTable(m_db).ofBank(m_bankId))
            chapters.insert(chapter.id);
    } catch (const StoreError &error) {
        m_notifier.inform(quotarules::readFailedNotice(error.reason()));
        return;
    }
    m_rows.reserve(stored.size());
    for (const QuotaRow &row : stored) {
        TableRow line;
        line.id = row.id;
        line.chapterGone = !chapters.contains(row.chapterId);
        line.position = line.chapterGone ? QStringLiteral("已删除") : QString::number(row.position);
        line.quota = row.quota;
        line.total = row.total;
        for (const QuestionType questionType : question::allTypes()) {
            const auto t = question::indexOf(questionType);
            m_totals[static_cast<size_t>(t)] += row.quota[static_cast<size_t>(t)];
            m_totals[kTypes] += row.quota[static_cast<size_t>(t)];
        }
        m_rows << line;
    }
}

bool QuotaSetup::removeRow(qint64 rowId)
{
    if (rowId <= 0)
        return false;
    if (!m_notifier.askYesNo(kConfirmCaption, quotarules::deleteQuestion(),
                             Notifier::Icon::Warning))
        return false;
    bool removed = false;
    try {
        removed = QuotaTable(m_db).remove(rowId);
    } catch (const StoreError &error) {
        m_notifier.inform(quotarules::notDeletedNotice(error.reason()));
    }
    refreshTable();
    return removed;
}

std::optional<PaperScope> QuotaSetup::rowPaper(qint64 rowId)
{
    if (rowId <= 0)
        return std::nullopt;
    return PaperScope::ofRow(rowId);
}

QuotaSetup::Redraw QuotaSetup::redraw(qint64 bankId, const QString &bankName)
{
    if (!m_notifier.askYesNo(kConfirmCaption, quotarules::redrawQuestion(),
                             Notifier::Icon::Warning))
        return Redraw::Cancelled;
    QuotaDraw::Redrawn drawn;
    try {
        if (bankId == 0 || QuotaTable(m_db).bankTotal(bankId) == 0) {
            m_notifier.inform(quotarules::noQuotasNotice(bankName));
            return Redraw::NoQuotas;
        }
        // Two trainers of a centre never re-draw at once.
        const TrainerLock lock(m_db, BackupGuard::redrawQuotas());
        if (!lock.held()) {
            m_notifier.inform(lock.refusal());
            return Redraw::Cancelled;
        }
        if (!BackupGuard::beforeStep(m_db, m_notifier, BackupGuard::redrawQuotas()))
            return Redraw::Cancelled;
        drawn = m_draw.redrawBank(bankId);
    } catch (const StoreError &error) {
        m_notifier.inform(
            quotarules::notSavedNotice(QStringLiteral("重新抽取的试题"), error.reason()));
        return Redraw::Failed;
    }
    QString notice = quotarules::redrawnNotice(bankName, drawn.drawn);
    for (const QString &line : drawn.shortLines)
        notice += kCrLf + line;
    if (drawn.goneRows > 0)
        notice += kCrLf + quotarules::goneChaptersLine(drawn.goneRows);
    m_notifier.inform(notice);
    if (bankId == m_bankId)
        refreshTable();
    return Redraw::Done;
}

QString QuotaSetup::bankTotalFigure(qint64 bankId) const
{
    int total = 0;
    try {
        total = bankId == 0 ? 0 : QuotaTable(m_db).bankTotal(bankId);
    } catch (const StoreError &) {
        // A figure on hover: without a reading it shows no number.
        return QStringLiteral("已抽题数:");
    }
    return QStringLiteral("已抽题数:") + QString::number(total);
}
