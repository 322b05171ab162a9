#pragma once

#include <QString>

// Question type codes of the question table.
enum QuestionType : int
{
    SingleChoice = 1,
    MultipleChoice = 2,
    FillIn = 3,
    TrueFalse = 4,
    Essay = 5,
};

// One slot of the practice run: a question as loaded (texts decoded, trimmed,
// "<BR>" removed) and the user's answer in the encoding of its type.
struct RunQuestion
{
    int questionId = 0;
    int typeCode = 0;
    QString stem;
    QString optionA;
    QString optionB;
    QString optionC;
    QString optionD;
    QString correctAnswer;
    QString userAnswer;
    int points = 0;
    QString imageName;
    bool wrongMark = false;
};

// Types 1, 2 and 4 are marked by the system.
inline bool isObjective(int typeCode)
{
    return typeCode == SingleChoice || typeCode == MultipleChoice || typeCode == TrueFalse;
}

// An objective question is answered correctly when the trimmed user answer and
// the trimmed correct answer are the same string; an empty answer is wrong.
bool answeredCorrectly(const RunQuestion &question);
