#include "editor/QuestionListExport.h"

#include "base/FileReplacer.h"
#include "base/GbkText.h"
#include "editor/ListVocabulary.h"
#include "editor/SheetLayout.h"
#include "editor/XlsxWriter.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

#include <QFileInfo>

namespace {

const QStringList kChineseNumbers = {QStringLiteral("一"), QStringLiteral("二"),
                                     QStringLiteral("三"), QStringLiteral("四"),
                                     QStringLiteral("五")};

bool isChoice(int type)
{
    return type == 1 || type == 2;
}

// The answer as a list writes it: letters, 对 or 错, or the text.
QString answerWords(const QuestionRow &row)
{
    if (isChoice(row.type))
        return answer::lettersOf(row.answer);
    if (row.type == question::code(QuestionType::TrueFalse))
        return listvocab::trueFalseWord(row.answer);
    return row.answer;
}

QString oneLineBreak(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QString QuestionListExport::text(const QList<QuestionRow> &questions)
{
    QString out;
    int section = 0;
    for (const QuestionType type : question::allTypes()) {
        const int code = question::code(type);
        int number = 0;
        for (const QuestionRow &row : questions) {
            if (row.type != code)
                continue;
            if (number == 0) {
                out += kChineseNumbers[section++] + QStringLiteral("、") +
                       listvocab::headingName(code) + QStringLiteral("\n\n");
            }
            out += QString::number(++number) + QStringLiteral(". ") + oneLineBreak(row.stem) +
                   QLatin1Char('\n');
            if (isChoice(code)) {
                for (int i = 0; i < answer::kOptionCount; ++i)
                    out += answer::optionLetter(i + 1) + QStringLiteral(". ") +
                           oneLineBreak(row.options[static_cast<size_t>(i)]) + QLatin1Char('\n');
            }
            out += QStringLiteral("答案：") + oneLineBreak(answerWords(row)) + QLatin1Char('\n');
            out += QStringLiteral("分值：") + QString::number(row.points) + QLatin1Char('\n');
            if (!row.note.isEmpty())
                out += QStringLiteral("解析：") + oneLineBreak(row.note) + QLatin1Char('\n');
            out += QLatin1Char('\n');
        }
    }
    return out;
}

QList<QVariantList> QuestionListExport::sheet(const QList<QuestionRow> &questions)
{
    QList<QVariantList> rows;
    rows.reserve(questions.size() + 1);
    QVariantList header;
    for (const QString &name : SheetLayout::kHeader)
        header.append(name);
    rows.append(header);
    for (const QuestionRow &row : questions) {
        QVariantList cells = {listvocab::cellName(row.type), oneLineBreak(row.stem)};
        for (int i = 0; i < answer::kOptionCount; ++i)
            cells.append(isChoice(row.type) ? oneLineBreak(row.options[static_cast<size_t>(i)])
                                            : QString());
        cells.append(oneLineBreak(answerWords(row)));
        cells.append(row.points);
        cells.append(oneLineBreak(row.note));
        rows.append(cells);
    }
    return rows;
}

bool QuestionListExport::write(const QString &path, const QList<QuestionRow> &questions,
                               Encoding encoding, QString *reason)
{
    if (QFileInfo(path).suffix().toLower() == u"xlsx")
        return XlsxWriter::write(path, QStringLiteral("试题"), sheet(questions),
                                 {8, 60, 20, 20, 20, 20, 12, 6, 30}, reason);
    const QString content = text(questions);
    if (encoding == Encoding::Gbk && !gbk::representable(content)) {
        if (reason)
            *reason = QStringLiteral("有 GBK 无法表示的字符，请选择 UTF-8");
        return false;
    }
    const QByteArray bytes = encoding == Encoding::Gbk ? gbk::encode(content) : content.toUtf8();
    return FileReplacer::replace(path, bytes, reason);
}
