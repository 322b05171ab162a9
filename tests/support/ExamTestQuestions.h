#pragma once

#include "question/RunQuestion.h"

#include <QList>
#include <QMetaType>
#include <QStringList>

Q_DECLARE_METATYPE(RunQuestion)

// Short-hand for run questions in the exam tests.
inline RunQuestion sampleQuestion(int type, const QString &correct, const QString &given,
                                  int points = 2, const QString &stem = QStringLiteral("题干"))
{
    RunQuestion q;
    q.typeCode = type;
    q.stem = stem;
    q.optionA = QStringLiteral("甲");
    q.optionB = QStringLiteral("乙");
    q.optionC = QStringLiteral("丙");
    q.optionD = QStringLiteral("丁");
    q.correctAnswer = correct;
    q.userAnswer = given;
    q.points = points;
    return q;
}
