#pragma once

#include "question/RunQuestion.h"

#include <QList>
#include <QMetaType>
#include <QStringList>

Q_DECLARE_METATYPE(RunQuestion)

// The four options of the tests' choice questions, in the order A … D.
inline QStringList sampleOptions()
{
    return {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁")};
}

// A run question of the tests: the sample options, the given answers.
inline RunQuestion sampleQuestion(int type, const QString &correct, const QString &given,
                                  int points = 2, const QString &stem = QStringLiteral("题干"))
{
    RunQuestion q;
    q.typeCode = type;
    q.stem = stem;
    const QStringList options = sampleOptions();
    q.optionA = options.at(0);
    q.optionB = options.at(1);
    q.optionC = options.at(2);
    q.optionD = options.at(3);
    q.correctAnswer = correct;
    q.userAnswer = given;
    q.points = points;
    return q;
}
