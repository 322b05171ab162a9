#include "editor/ListImport.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "editor/ListVocabulary.h"
#include "editor/QuestionListReader.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

namespace {

QString answerShown(const QuestionDraft &draft)
{
    switch (question::fromCode(draft.type)) {
    case QuestionType::SingleChoice:
    case QuestionType::MultipleChoice:
        return answer::lettersOf(draft.answer);
    case QuestionType::TrueFalse:
        return draft.answer.isEmpty() ? QString() : listvocab::trueFalseWord(draft.answer);
    default:
        return draft.answer.simplified();
    }
}

} // namespace

ListImport::ListImport(QSqlDatabase db, Notifier &notifier)
    : m_db(std::move(db)), m_notifier(notifier)
{
}

void ListImport::reloadBanks()
{
    m_banks.clear();
    try {
        for (const BankRow &bank : BankTable(m_db).all()) {
            if (bank.enabled)
                m_banks.append(bank);
        }
    } catch (const StoreError &error) {
        m_notifier.inform(error.reason());
    }
    chooseBank(m_banks.isEmpty() ? -1 : 0);
}

QStringList ListImport::bankNames() const
{
    QStringList names;
    for (const BankRow &bank : m_banks)
        names.append(bank.name);
    return names;
}

void ListImport::chooseBank(int index)
{
    m_chapters.clear();
    m_bankIndex = index >= 0 && index < m_banks.size() ? index : -1;
    if (m_bankIndex >= 0) {
        try {
            m_chapters = ChapterTable(m_db).ofBank(m_banks[index].id);
        } catch (const StoreError &error) {
            m_notifier.inform(error.reason());
        }
    }
    chooseChapter(m_chapters.isEmpty() ? -1 : 0);
}

QStringList ListImport::chapterNames() const
{
    QStringList names;
    for (const ChapterRow &chapter : m_chapters)
        names.append(chapter.name);
    return names;
}

void ListImport::chooseChapter(int index)
{
    m_chapterId = index >= 0 && index < m_chapters.size() ? m_chapters[index].id : 0;
    replan();
}

int ListImport::chapterIndex() const
{
    for (int i = 0; i < m_chapters.size(); ++i) {
        if (m_chapters[i].id == m_chapterId)
            return i;
    }
    return -1;
}

bool ListImport::chooseChapterById(qint64 chapterId)
{
    const int bank = m_bankIndex;
    for (int b = 0; chapterId > 0 && b < m_banks.size(); ++b) {
        chooseBank(b);
        for (int i = 0; i < m_chapters.size(); ++i) {
            if (m_chapters[i].id == chapterId) {
                chooseChapter(i);
                return true;
            }
        }
    }
    chooseBank(bank);
    return false;
}

void ListImport::replan()
{
    try {
        m_plan = m_chapterId > 0 ? ImportPlan::forChapter(m_drafts, m_db, m_chapterId)
                                 : ImportPlan(m_drafts, {});
    } catch (const StoreError &error) {
        m_notifier.inform(error.reason());
        m_plan = ImportPlan(m_drafts, {});
    }
}

bool ListImport::readFile(const QString &path)
{
    const ListReading reading = QuestionListReader::readFile(path);
    m_drafts = reading.drafts;
    m_source = path;
    replan();
    if (!reading.ok())
        m_notifier.inform(reading.error);
    return reading.ok();
}

bool ListImport::readText(const QString &text)
{
    const ListReading reading = QuestionListReader::readText(text);
    m_drafts = reading.drafts;
    m_source.clear();
    replan();
    if (!reading.ok())
        m_notifier.inform(reading.error);
    return reading.ok();
}

QList<ListImport::Row> ListImport::rows() const
{
    QList<Row> rows;
    rows.reserve(m_plan.items().size());
    for (const ImportPlan::Item &item : m_plan.items()) {
        const QuestionDraft &draft = item.source.draft;
        QString stem = draft.stem.simplified();
        if (stem.size() > kStemChars)
            stem = stem.left(kStemChars) + QStringLiteral("…");
        rows.append(Row{QString::number(item.source.line), question::typeName(draft.type), stem,
                        answerShown(draft), draft.points, item.status, item.importable});
    }
    return rows;
}

QStringList ListImport::importAll()
{
    if (m_chapterId <= 0) {
        m_notifier.inform(kNoChapter);
        return {};
    }
    if (!hasImportable()) {
        m_notifier.inform(kNothingToImport);
        return {};
    }
    const ImportPlan::Outcome outcome = m_plan.store(m_db, m_chapterId);
    const QStringList report = m_plan.report(outcome);
    if (!outcome.stored) {
        m_notifier.inform(outcome.message);
        return report;
    }
    replan();
    return report;
}
