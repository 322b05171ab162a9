#include "editor/BrowseList.h"

#include "base/GbkText.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

namespace {

const QString kBreak = QStringLiteral("<BR>");

QString cleaned(const QString &text)
{
    QString plain = text::trimmed(text);
    plain.remove(kBreak);
    return plain;
}

StyledLine line(const QString &text, unsigned color = rgb::kBlack, bool underline = false)
{
    StyledSpan span;
    span.text = text;
    span.color = color;
    span.underline = underline;
    return trimmedLine(StyledLine{{span}});
}

QString typeLabel(int type)
{
    switch (question::fromCode(type)) {
    case QuestionType::SingleChoice:
        return QStringLiteral("[单选题]");
    case QuestionType::MultipleChoice:
        return QStringLiteral("[多选题]");
    case QuestionType::FillIn:
        return QStringLiteral("[填空题]");
    case QuestionType::TrueFalse:
        return QStringLiteral("[判断题]");
    case QuestionType::Essay:
        return QStringLiteral("[论述题]");
    }
    return QString();
}

} // namespace

QuestionScope BrowseList::scope(qint64 chapterId) const
{
    QuestionScope scope = QuestionScope::chapter(chapterId);
    return m_type > 0 ? scope.ofType(m_type) : scope;
}

void BrowseList::recount(qint64 chapterId)
{
    m_rowCount = QuestionTable(m_db).count(scope(chapterId));
    m_pageCount = (m_rowCount + kRowsPerPage - 1) / kRowsPerPage;
}

void BrowseList::fill(qint64 chapterId)
{
    m_rows.clear();
    if (m_pageIndex < 0)
        return;
    const QList<QuestionRow> questions = QuestionTable(m_db).readNewestFirst(
        scope(chapterId), kRowsPerPage, qint64(m_pageIndex) * kRowsPerPage);
    for (const QuestionRow &question : questions)
        m_rows.append({question.id, question::typeName(question.type), listedStem(question.stem)});
}

void BrowseList::clear()
{
    m_rows.clear();
    m_rowCount = 0;
    m_pageCount = 0;
    m_pageIndex = 0;
}

bool BrowseList::first(qint64 chapterId)
{
    recount(chapterId);
    m_pageIndex = 0;
    fill(chapterId);
    return true;
}

bool BrowseList::next(qint64 chapterId)
{
    recount(chapterId);
    if (m_pageIndex + 1 >= m_pageCount)
        return false;
    ++m_pageIndex;
    fill(chapterId);
    return true;
}

bool BrowseList::prior(qint64 chapterId)
{
    if (m_pageIndex <= 0)
        return false;
    --m_pageIndex;
    recount(chapterId);
    // The list may have shrunk meanwhile.
    m_pageIndex = std::min(m_pageIndex, m_pageCount - 1);
    fill(chapterId);
    return true;
}

bool BrowseList::last(qint64 chapterId)
{
    recount(chapterId);
    m_pageIndex = m_pageCount - 1;
    fill(chapterId);
    return true;
}

QString BrowseList::listedStem(const QString &stem)
{
    const QString plain = cleaned(stem);
    if (gbk::byteLength(plain) <= kStemBytes)
        return plain;
    return gbk::cut(plain, kStemBytes) + QStringLiteral("...");
}

StyledText BrowseList::detailLines(const QuestionRow &question)
{
    const QString stem = cleaned(question.stem);
    const QString answer = cleaned(question.answer);
    StyledText lines;
    lines << StyledLine{};
    lines << line(typeLabel(question.type) + QLatin1Char('[') + QString::number(question.id) +
                  QStringLiteral("]  ") + stem);
    const QuestionType type = question::fromCode(question.type);
    switch (type) {
    case QuestionType::SingleChoice:
    case QuestionType::MultipleChoice: {
        QString chosen;
        for (int i = 0; i < answer::kOptionCount; ++i) {
            const QChar digit = answer::optionDigit(i + 1);
            const bool right = type == QuestionType::SingleChoice ? answer == QString(digit)
                                                                  : answer.contains(digit);
            if (right)
                chosen += answer::optionLetter(i + 1);
            lines << line(QLatin1Char('[') + answer::optionLetter(i + 1) + QStringLiteral("].") +
                              cleaned(question.options[i]),
                          right ? rgb::kRed : rgb::kBlack, right);
        }
        // A single-choice answer outside 1 … 4 is shown as stored.
        if (type == QuestionType::SingleChoice && chosen.isEmpty())
            chosen = answer;
        lines << line(QStringLiteral("答案:") + chosen, rgb::kRed);
        break;
    }
    case QuestionType::FillIn:
        lines << line(QStringLiteral("答案:") + answer, rgb::kRed);
        break;
    case QuestionType::TrueFalse:
        if (answer == answer::kTrue)
            lines << line(QStringLiteral("答案:正确."), rgb::kRed);
        else if (answer == answer::kFalse)
            lines << line(QStringLiteral("答案:错误."), rgb::kRed);
        break;
    case QuestionType::Essay:
        lines << StyledLine{};
        lines << line(QStringLiteral("答案:") + answer);
        break;
    }
    return lines;
}
