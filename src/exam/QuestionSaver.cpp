#include "exam/QuestionSaver.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/TextFileWriter.h"
#include "practice/PracticeRun.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kCorrect = QStringLiteral("正确答案：");

QString optionLines(const RunQuestion &q)
{
    return QStringLiteral("A.") + q.optionA + kLineEnd + QStringLiteral("B.") + q.optionB +
           kLineEnd + QStringLiteral("C.") + q.optionC + kLineEnd + QStringLiteral("D.") +
           q.optionD + kLineEnd;
}

QString body(const RunQuestion &q)
{
    const QString &answer = q.correctAnswer;
    switch (question::fromCode(q.typeCode)) {
    case QuestionType::SingleChoice: {
        const QString letter = answer.size() == 1 ? answer::letterOfDigit(answer.at(0)) : QString();
        if (letter.isEmpty())
            return QString();
        return optionLines(q) + kLineEnd + kCorrect + letter;
    }
    case QuestionType::MultipleChoice: {
        // The letters in A … D order, whatever the order of the stored digits.
        QString letters;
        for (int option = 1; option <= answer::kOptionCount; ++option) {
            if (answer.contains(answer::optionDigit(option)))
                letters += answer::optionLetter(option);
        }
        return (letters.isEmpty() ? QString() : optionLines(q)) + kLineEnd + kCorrect + letters;
    }
    case QuestionType::FillIn:
    case QuestionType::Essay:
        return kCorrect + answer;
    case QuestionType::TrueFalse:
        if (answer == answer::kTrue)
            return QStringLiteral("答案：对");
        if (answer == answer::kFalse)
            return QStringLiteral("答案：错");
        return answer;
    default:
        return QString();
    }
}

} // namespace

const QString QuestionSaver::kNoQuestionNotice =
    QStringLiteral("[软件提示]：当前没有正在练习的试题，没有试题可以存放。");

QString QuestionSaver::fileName(int setIndex, int number)
{
    return QStringLiteral("NO") + text::twoDigits(setIndex) + text::twoDigits(number) +
           QStringLiteral(".txt");
}

QString QuestionSaver::text(const RunQuestion &question)
{
    return question.stem + kLineEnd + body(question) + kLineEnd;
}

QString QuestionSaver::notSavedNotice(const QString &fileName)
{
    return QStringLiteral("[软件提示]：文件") + fileName +
           QStringLiteral("无法写入当前目录，本题没有保存。");
}

bool QuestionSaver::save(const PracticeRun &run, int setIndex)
{
    if (!run.active() || !run.questionOnScreen()) {
        m_notifier.inform(kNoQuestionNotice);
        return false;
    }
    const QString name = fileName(setIndex, run.current());
    if (!TextFileWriter::append(name, text(run.question(run.current())))) {
        m_notifier.inform(notSavedNotice(name));
        return false;
    }
    return true;
}
