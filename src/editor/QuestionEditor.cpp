#include "editor/QuestionEditor.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/StoreError.h"
#include "question/QuestionType.h"
#include "store/BackupGuard.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"
#include "store/TrainerLock.h"

namespace {

const QString kReadFailed = QStringLiteral("[软件提示]：数据没有读出，原因：");

} // namespace

QuestionEditor::QuestionEditor(QSqlDatabase db, Notifier &notifier)
    : m_db(db), m_notifier(notifier), m_browse(db)
{
}

QuestionEditor::Outcome QuestionEditor::storeFailed(const QString &what, const QString &reason)
{
    m_notifier.inform(what + reason + QStringLiteral("。"));
    return Outcome::Failed;
}

void QuestionEditor::forgetChapter()
{
    m_chapter = 0;
    m_counted = false;
    m_browse.clear();
}

QuestionEditor::Outcome QuestionEditor::requireChapter(const QString &notice)
{
    if (m_chapter != 0)
        return Outcome::Done;
    m_notifier.inform(notice);
    return Outcome::NoChapter;
}

// --- Bank and chapter ------------------------------------------------------------

QuestionEditor::Outcome QuestionEditor::reloadBanks()
{
    // Every enabled bank, as the picker offers them: a bank the user practises
    // is never left uneditable.
    m_banks.clear();
    try {
        for (const BankRow &bank : BankTable(m_db).all()) {
            if (bank.enabled)
                m_banks.append(bank);
        }
    } catch (const StoreError &error) {
        return storeFailed(kReadFailed, error.reason());
    }
    if (listedBankIndex() < 0 || m_banks.at(listedBankIndex()).id != m_bankId) {
        // The bank of the listed chapters is gone or disabled.
        m_bankId = 0;
        m_chapterNames.clear();
        m_chapterIds.clear();
        m_chapterItems.clear();
        forgetChapter();
    }
    return Outcome::Done;
}

int QuestionEditor::listedBankIndex() const
{
    for (int i = 0; i < m_banks.size(); ++i) {
        if (m_banks.at(i).id == m_bankId)
            return i;
    }
    return m_banks.isEmpty() ? -1 : 0;
}

int QuestionEditor::currentChapterIndex() const
{
    const int index = m_chapter != 0 ? int(m_chapterIds.indexOf(m_chapter)) : -1;
    if (index >= 0)
        return index;
    return m_chapterIds.isEmpty() ? -1 : 0;
}

QStringList QuestionEditor::bankNames() const
{
    QStringList names;
    for (const BankRow &bank : m_banks)
        names << bank.name;
    return names;
}

QuestionEditor::Outcome QuestionEditor::chooseBank(int index)
{
    m_chapterNames.clear();
    m_chapterIds.clear();
    m_chapterItems.clear();
    forgetChapter();
    if (index < 0 || index >= m_banks.size())
        return Outcome::Nothing;
    const BankRow &bank = m_banks.at(index);
    try {
        const QList<ChapterRow> chapters = ChapterTable(m_db).ofBank(bank.id);
        const QHash<qint64, int> counts = QuestionTable(m_db).countsPerChapter(bank.id);
        for (int k = 0; k < chapters.size(); ++k) {
            const ChapterRow &chapter = chapters.at(k);
            m_chapterNames << chapter.name;
            m_chapterIds << chapter.id;
            m_chapterItems << QStringLiteral("【") + text::twoDigits(k + 1) + QStringLiteral("】") +
                                  chapter.name + QLatin1Char('(') +
                                  QString::number(counts.value(chapter.id)) + QStringLiteral("道)");
        }
    } catch (const StoreError &error) {
        m_chapterNames.clear();
        m_chapterIds.clear();
        m_chapterItems.clear();
        return storeFailed(kReadFailed, error.reason());
    }
    m_bankId = bank.id;
    return Outcome::Done;
}

QString QuestionEditor::chapterNameAt(int index) const
{
    return index >= 0 && index < m_chapterNames.size() ? m_chapterNames.at(index) : QString();
}

QuestionEditor::Outcome QuestionEditor::chooseChapter(int index)
{
    const QString name = chapterNameAt(index);
    if (name.isEmpty())
        return Outcome::Nothing;
    try {
        const std::optional<ChapterRow> chapter = ChapterTable(m_db).findByName(name);
        if (!chapter) {
            // Deleted since the selector was built.
            forgetChapter();
            m_notifier.inform(kChapterMissing);
            return Outcome::Refused;
        }
        m_chapter = chapter->id;
    } catch (const StoreError &error) {
        return storeFailed(kReadFailed, error.reason());
    }
    return browseAll();
}

// --- Counters and browsing ---------------------------------------------------------

QuestionEditor::Outcome QuestionEditor::refreshCounters()
{
    if (const Outcome outcome = requireChapter(); outcome != Outcome::Done)
        return outcome;
    try {
        m_counts = QuestionTable(m_db).countsPerType(m_chapter);
        m_counted = true;
    } catch (const StoreError &error) {
        return storeFailed(kReadFailed, error.reason());
    }
    return Outcome::Done;
}

QString QuestionEditor::counterText(int type) const
{
    if (!m_counted || !question::isTypeCode(type))
        return QStringLiteral("[000]");
    return QLatin1Char('[') + QString::number(m_counts[type]) + QLatin1Char(']');
}

QuestionEditor::Outcome QuestionEditor::browseAll()
{
    if (const Outcome outcome = refreshCounters(); outcome != Outcome::Done)
        return outcome;
    for (const QuestionType type : question::allTypes()) {
        if (m_counts[question::code(type)] > 0)
            return browseType(question::code(type));
    }
    // A chapter without questions lists nothing, not the list shown before.
    m_browse.clear();
    return Outcome::Nothing;
}

QuestionEditor::Outcome QuestionEditor::browseType(int type)
{
    m_browse.setType(type);
    return turn(Turn::First);
}

QuestionEditor::Outcome QuestionEditor::turn(Turn turn)
{
    if (const Outcome outcome =
            requireChapter(turn == Turn::First ? kNoChapterFirstPage : kNoChapter);
        outcome != Outcome::Done)
        return outcome;
    try {
        bool turned = false;
        switch (turn) {
        case Turn::First:
            turned = m_browse.first(m_chapter);
            break;
        case Turn::Next:
            turned = m_browse.next(m_chapter);
            break;
        case Turn::Prior:
            turned = m_browse.prior(m_chapter);
            break;
        case Turn::Last:
            turned = m_browse.last(m_chapter);
            break;
        }
        return turned ? Outcome::Done : Outcome::Nothing;
    } catch (const StoreError &error) {
        return storeFailed(kReadFailed, error.reason());
    }
}

StyledText QuestionEditor::detail(qint64 id)
{
    try {
        const std::optional<QuestionRow> question = QuestionTable(m_db).find(id);
        if (!question || question->chapterId != m_chapter)
            return {};
        return BrowseList::detailLines(*question);
    } catch (const StoreError &error) {
        storeFailed(kReadFailed, error.reason());
        return {};
    }
}

// --- Questions ---------------------------------------------------------------------

QuestionEditor::Outcome QuestionEditor::save(const QuestionDraft &draft)
{
    if (const Outcome outcome = requireChapter(); outcome != Outcome::Done)
        return outcome;
    DraftCheck check = draft::check(draft, DraftForm::Entry);
    if (!check.passes()) {
        m_notifier.inform(check.message);
        return check.resetPoints ? Outcome::ResetPoints : Outcome::Refused;
    }
    check.row.chapterId = m_chapter;
    try {
        // The chapter may have been deleted since it was chosen (elsewhere in
        // the program): the insert checks it in its own transaction.
        if (!QuestionTable(m_db).insert(check.row)) {
            m_notifier.inform(kChapterGone);
            return Outcome::Refused;
        }
    } catch (const StoreError &error) {
        return storeFailed(QStringLiteral("[软件提示]：试题没有保存，原因："), error.reason());
    }
    refreshCounters();
    return Outcome::Done;
}

std::optional<QuestionRow> QuestionEditor::loadCorrection(qint64 id)
{
    if (id <= 0)
        return std::nullopt;
    m_correctionId = id;
    try {
        return QuestionTable(m_db).find(id);
    } catch (const StoreError &error) {
        storeFailed(kReadFailed, error.reason());
        return std::nullopt;
    }
}

QuestionEditor::Outcome QuestionEditor::confirmCorrection(const QuestionDraft &draft)
{
    DraftCheck check = draft::check(draft, DraftForm::Correction);
    if (!check.passes()) {
        m_notifier.inform(check.message);
        return Outcome::Refused;
    }
    check.row.id = m_correctionId;
    const QuestionType type = question::fromCode(draft.type);
    const bool withOptions =
        type == QuestionType::SingleChoice || type == QuestionType::MultipleChoice;
    try {
        if (!QuestionTable(m_db).updateTexts(check.row, withOptions)) {
            m_notifier.inform(QStringLiteral("[软件提示]：该试题已经被删除，修改没有保存."));
            return Outcome::Gone;
        }
    } catch (const StoreError &error) {
        return storeFailed(QStringLiteral("[软件提示]：修改没有保存，原因："), error.reason());
    }
    return Outcome::Done;
}

QuestionEditor::Outcome QuestionEditor::removeQuestion(qint64 id)
{
    if (id <= 0)
        return Outcome::Nothing;
    if (!BackupGuard::beforeStep(m_db, m_notifier, BackupGuard::deleteQuestion()))
        return Outcome::Nothing;
    try {
        QuestionTable(m_db).remove(id);
    } catch (const StoreError &error) {
        return storeFailed(QStringLiteral("[软件提示]：试题没有删除，原因："), error.reason());
    }
    // The first page, then the second when there is one.
    if (const Outcome outcome = turn(Turn::First); outcome != Outcome::Done)
        return outcome;
    turn(Turn::Next);
    refreshCounters();
    return Outcome::Done;
}

// --- Chapters ----------------------------------------------------------------------

QuestionEditor::Outcome QuestionEditor::createChapter(const QString &name, const QString &minutes,
                                                      const QDate &today)
{
    const QString chapterName = text::trimmed(name);
    if (chapterName.isEmpty())
        return Outcome::Nothing;
    if (gbk::byteLength(chapterName) > kChapterNameBytes) {
        m_notifier.inform(QStringLiteral("[软件提示]：名称长度应当在 50 个字符内."));
        return Outcome::Refused;
    }
    const QString time = text::trimmed(minutes);
    if (time.isEmpty()) {
        m_notifier.inform(QStringLiteral("[软件提示]：考试时间不能为空."));
        return Outcome::ResetTime;
    }
    bool whole = false;
    const int examMinutes = time.toInt(&whole);
    if (!whole || examMinutes < 0) {
        m_notifier.inform(QStringLiteral("[软件提示]：考试时间必须是整数分钟，请重新填写."));
        return Outcome::Refused;
    }
    if (!gbk::representable(chapterName)) {
        m_notifier.inform(QStringLiteral("[软件提示]：名称中有无法保存的字符，请修改后再保存."));
        return Outcome::Refused;
    }
    if (m_bankId <= 0) {
        m_notifier.inform(QStringLiteral("[软件提示]：请先选择试题库."));
        return Outcome::Refused;
    }
    try {
        ChapterTable chapters(m_db);
        if (chapters.findByName(chapterName)) {
            m_notifier.inform(QStringLiteral("[软件提示]：名称已经存在，请换一个名称试试."));
            return Outcome::Refused;
        }
        ChapterRow row;
        row.bankId = m_bankId;
        row.name = chapterName;
        row.examMinutes = examMinutes;
        row.created = today.toString(Qt::ISODate);
        row.creator = kCreator;
        chapters.insert(row);
    } catch (const StoreError &error) {
        return storeFailed(QStringLiteral("[软件提示]：章节没有创建，原因："), error.reason());
    }
    m_notifier.inform(QStringLiteral("[软件提示]:已经成功地创建了【") + chapterName +
                      QStringLiteral("】请重新点击【试题库】进行刷新."));
    return Outcome::Done;
}

QuestionEditor::Outcome QuestionEditor::removeChapterQuestions(int index, const QString &bankText,
                                                               const QString &chapterText)
{
    if (!m_notifier.askYesNo(
            QStringLiteral("确定"),
            QStringLiteral("提示：删除数据库数据是一种不可恢复的危险操作，是否继续？"),
            Notifier::Icon::Information)) {
        refreshCounters();
        return Outcome::Nothing;
    }
    const QString name = text::trimmed(chapterNameAt(index));
    if (name.isEmpty()) {
        m_notifier.inform(kNoChapter);
        return Outcome::NoChapter;
    }
    int removed = 0;
    qint64 chapterId = 0;
    try {
        const std::optional<ChapterRow> chapter = ChapterTable(m_db).findByName(name);
        if (!chapter) {
            m_notifier.inform(kChapterMissing);
            return Outcome::Nothing;
        }
        chapterId = chapter->id;
        if (!BackupGuard::beforeStep(m_db, m_notifier, BackupGuard::emptyChapter()))
            return Outcome::Nothing;
        removed = QuestionTable(m_db).removeChapter(chapterId);
    } catch (const StoreError &error) {
        return storeFailed(QStringLiteral("[软件提示]：试题没有删除，原因："), error.reason());
    }
    m_notifier.inform(QStringLiteral("提示：当前数据库：【") + bankText +
                      QStringLiteral("】 章节名:") + chapterText +
                      QStringLiteral(" 下数据已经全部删除，总共删除有:【") +
                      QString::number(removed) + QStringLiteral("】道.\r\n") +
                      QStringLiteral("  但该章节名没有删除,如果不需要该章，请点击【删除章节】."));
    if (chapterId == m_chapter) {
        // The chapter open in the editor: its counters and its list go to nothing.
        refreshCounters();
        turn(Turn::First);
    }
    return Outcome::Done;
}

QuestionEditor::Outcome QuestionEditor::removeChapter(int index)
{
    const QString name = text::trimmed(chapterNameAt(index));
    if (name.isEmpty()) {
        m_notifier.inform(QStringLiteral("[软件提示]：没有选择章节."));
        return Outcome::Refused;
    }
    if (!m_notifier.askYesNo(QStringLiteral("确定"),
                             QStringLiteral("[软件提示]：删除 ") +
                                 QStringLiteral(" 数据库是一种不可恢复的危险操作，请确认该试题下"
                                                "试题已经为0 道，是否继续？"),
                             Notifier::Icon::Information)) {
        browseAll();
        return Outcome::Nothing;
    }
    qint64 removedId = 0;
    try {
        ChapterTable chapters(m_db);
        const std::optional<ChapterRow> chapter = chapters.findByName(name);
        if (!chapter) {
            m_notifier.inform(QStringLiteral("[软件提示]：该章节已经不存在，请重新选择试题库."));
            return Outcome::Nothing;
        }
        const int left = QuestionTable(m_db).count(QuestionScope::chapter(chapter->id));
        if (left > 0) {
            m_notifier.inform(QStringLiteral("[软件提示]：该章节下还有：【") +
                              QString::number(left) +
                              QStringLiteral("】道试题，章节名称不能删除,请先删除该章节下的所有"
                                             "试题."));
            return Outcome::Refused;
        }
        const TrainerLock lock(m_db, BackupGuard::deleteChapter());
        if (!lock.held()) {
            m_notifier.inform(lock.refusal());
            return Outcome::Nothing;
        }
        if (!BackupGuard::beforeStep(m_db, m_notifier, BackupGuard::deleteChapter()))
            return Outcome::Nothing;
        chapters.removeWithQuotas(chapter->id);
        removedId = chapter->id;
    } catch (const StoreError &error) {
        return storeFailed(QStringLiteral("[软件提示]：章节没有删除，原因："), error.reason());
    }
    m_notifier.inform(QStringLiteral("[软件提示]：该章节已经被成功地删除.请重新启动本软件后刷新."));
    if (removedId == m_chapter)
        forgetChapter(); // nothing is saved into, listed from or counted in a deleted chapter
    else
        browseAll();
    return Outcome::Done;
}
