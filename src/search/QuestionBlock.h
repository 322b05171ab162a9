#pragma once

#include "base/StyledText.h"
#include "store/QuestionTable.h"

#include <QString>

// The text of one question in the search hits and in a composed paper: a grey
// separator, a blank line, the numbered header with type, stem and score, then
// the options with the correct ones marked (the single-choice answer also
// underlined) and the correct answer. Pure: the
// lines are data for the output view.
class QuestionBlock
{
public:
    enum class Variant
    {
        Search,      // 51 dashes, type 5 "简答题"
        Composition, // 53 dashes, type 5 "论述题", an answer line under the options
    };

    // The plain line writer: the text trimmed at both ends, one colour,
    // 宋体 11 points, neither bold nor underlined.
    static StyledLine plainLine(const QString &text, unsigned color);
    // The same, underlined.
    static StyledLine underlinedLine(const QString &text, unsigned color);

    // A stored text as the block shows it: trimmed, every "<BR>" left out.
    static QString shown(const QString &text);

    // Appends the block of the question, numbered `number` (1, 2, …).
    static void append(StyledText &lines, const QuestionRow &question, int number, Variant variant);
    static StyledText build(const QuestionRow &question, int number, Variant variant);
};
