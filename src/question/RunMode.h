#pragma once

// The kinds of practice run, with the codes the practice log stores.
enum class RunMode : int
{
    None = 0,
    SequentialSet = 1,
    RandomPractice = 2,
    MockExamination = 3,
    WrongBookPractice = 4, // the questions of the wrong-question book
};
