#pragma once

// What any document the reader makes stays within, whatever its bytes: the
// budget's own counts and what the QTextDocument itself holds. The fuzz target
// and the corpus test both hold every input to it.
#include "RtfReader.h"

#include <QTextDocument>
#include <QTextFormat>

namespace rtf {

// Empty when the document keeps to its limits; otherwise what it went past.
inline QString overBudget(const QTextDocument &document, const QString &text, const Tally &tally,
                          const Limits &limits, qsizetype inputSize)
{
    QStringList over;
    auto check = [&over](bool within, const char *what, qint64 value) {
        if (!within)
            over << QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(value);
    };
    const qint64 pictures = tally.of(Construct::Pictures);
    const qint64 cells = tally.of(Construct::TableCells);
    check(pictures <= limits.pictures, "pictures", pictures);
    check(tally.of(Construct::PictureData) <= limits.pictureBytes, "decoded picture bytes",
          tally.of(Construct::PictureData));
    check(tally.keptPictureBytes <= limits.keptPictureBytes, "kept picture bytes",
          tally.keptPictureBytes);
    check(tally.of(Construct::Colours) <= limits.colours, "colours", tally.of(Construct::Colours));
    check(tally.of(Construct::Fonts) <= limits.fonts, "fonts", tally.of(Construct::Fonts));
    check(tally.of(Construct::Formats) <= limits.formats, "formats", tally.of(Construct::Formats));
    check(tally.of(Construct::Paragraphs) <= limits.paragraphs, "paragraphs",
          tally.of(Construct::Paragraphs));
    check(cells <= limits.tableCells, "table cells", cells);

    // What the document holds, counted by the document: formats beyond the
    // counted ones are a picture's or a table's own and a few plain ones.
    const qint64 formats = document.allFormats().size();
    check(formats <= limits.formats + pictures + cells + 32, "formats in the document", formats);
    const qint64 blocks = document.blockCount();
    check(blocks <= limits.paragraphs + 2 * cells + 2 * kConstructCount + 8,
          "blocks in the document", blocks);
    // The widest table row costs a few bytes of input for 64 cells; nothing
    // else the reader makes grows faster.
    check(text.size() <= 80 * inputSize + 1024, "text characters", text.size());
    check(document.characterCount() <= 80 * inputSize + 1024, "document characters",
          document.characterCount());
    return over.join(QStringLiteral(", "));
}

} // namespace rtf
