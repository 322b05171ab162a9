#pragma once

#include "base/RandomSource.h"

#include <QList>

// Answers draws from a script, then with 0; keeps what it was asked.
class ScriptedRandom : public RandomSource
{
public:
    int below(int upper) override
    {
        asked << upper;
        return script.isEmpty() ? 0 : script.takeFirst();
    }
    QList<int> script;
    QList<int> asked;
};
