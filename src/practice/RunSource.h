#pragma once

#include "question/RunMode.h"
#include "question/RunQuestion.h"

#include <QVector>

// What a source puts into the practice run: the questions in run order, the
// kind of run the log will name, and whether it is examined (no instant
// answers, no reveal).
struct RunContent
{
    QVector<RunQuestion> questions;
    RunMode mode = RunMode::None;
    bool examMode = false;

    bool isEmpty() const { return questions.isEmpty(); }
};

// Where a practice run comes from. The run itself only holds slots, answers,
// the position and what is shown; each way of practising is a source that
// fills it: the sequential set, a random draw, a mock paper, the redo of the
// questions not yet right.
class RunSource
{
public:
    virtual ~RunSource() = default;
    // The run to load; empty when there is nothing to practise.
    virtual RunContent content() const = 0;
};
