#pragma once

#include "base/Colours.h"

#include <QList>
#include <QString>

// Formatted views are built as data: lines of styled spans, produced by pure
// builders and rendered by the one output view widget (tools/ui/OutputView).

// Logical font families; the view maps them to installed fonts.
enum class FontFamily
{
    Default,
    Song,
    Kai,
    Hei,
    Arial
};

struct StyledSpan
{
    QString text;
    unsigned color = rgb::kBlack; // 0xRRGGBB
    bool bold = false;
    bool underline = false;
    FontFamily family = FontFamily::Default;
    int pointSize = 0; // 0: the view's default size

    bool operator==(const StyledSpan &) const = default;
};

// One paragraph of a view.
struct StyledLine
{
    QList<StyledSpan> spans;

    QString text() const
    {
        QString all;
        for (const StyledSpan &span : spans)
            all += span.text;
        return all;
    }
    bool operator==(const StyledLine &) const = default;
};

using StyledText = QList<StyledLine>;

// The plain text of a view: its lines joined by CR LF.
QString plainText(const StyledText &lines);

// The line writers' trimming: removes characters up to and including the blank
// (U+0000 .. U+0020) at both ends of the whole line, across its spans. Spans
// left empty are dropped, except that a line of blanks keeps one empty span
// (its style) and so becomes an empty line.
StyledLine trimmedLine(StyledLine line);
