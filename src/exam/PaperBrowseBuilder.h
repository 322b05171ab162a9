#pragma once

#include "base/StyledText.h"
#include "question/RunQuestion.h"

#include <QString>
#include <span>

// The text of "试卷浏览": every question of the loaded run with the answer
// the user has given so far. It never shows a correct answer, a verdict or a
// score. Pure: reads the questions, changes nothing.
class PaperBrowseBuilder
{
public:
    static StyledText build(const QString &chapterLabel, std::span<const RunQuestion> questions);
};
