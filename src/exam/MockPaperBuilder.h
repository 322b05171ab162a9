#pragma once

#include "base/StyledText.h"
#include "question/RunQuestion.h"

#include <QString>
#include <array>

// Writes a stored mock-examination draw as a paper: the heading with the
// drawn counts, then every question with its options, the correct ones
// ticked, and the correct answer. The paper is a study aid shown beside the
// running examination, so it gives the answers away on purpose. Pure: the
// lines are data for the output view.
class MockPaperBuilder
{
public:
    // The drawn ids per type code 1 … 5 (index type − 1), deleted ones included.
    using TypeCounts = std::array<int, 5>;

    // An empty line, the title, two empty lines, the count line with the sum
    // of the counts, one count line per type and an empty line.
    static StyledText heading(const QString &title, const QString &countLead,
                              const TypeCounts &counts);
    // The block of a question numbered `number` (1, 2, … within its type):
    // the numbered header, its options or answer lines by type, two empty lines.
    static void appendQuestion(StyledText &lines, const RunQuestion &question, int number);

    // Every line of the paper is trimmed at both ends and written in 宋体 11 points.
    static StyledSpan span(const QString &text, unsigned color, bool underline = false);
};
