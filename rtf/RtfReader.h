#pragma once

#include "ReadingBudget.h"

#include <QByteArray>
#include <QString>
#include <atomic>

class QObject;
class QTextDocument;

// Reads stored regulation documents (RTF) into QTextDocuments for showing:
// text in its code pages and Unicode escapes, fonts, sizes, bold, italic,
// underline, strike-out, colours, super- and subscript, paragraphs with their
// alignment, indents and spacing, line breaks, tabs, tables and pictures.
namespace rtf {

// True when the bytes begin as an RTF document does: "{\rtf", after blanks or a
// UTF-8 byte-order mark.
bool isRtf(const QByteArray &bytes);

struct ReadOptions
{
    Limits limits;
    // When given, receives what the reading made and what it cut.
    Tally *tally = nullptr;
    // When given and set, the reading ends early; the document is then incomplete.
    const std::atomic<bool> *stop = nullptr;
};

// Empties the document and fills it from the RTF bytes. Returns false, leaving
// the document empty, when the bytes are not RTF. A damaged document is read as
// far as it can be; no input makes the reading crash, hang or grow without bound:
// what it adds stops at the limits, and the document says in one line where
// each kind of construct was first left out.
bool readInto(const QByteArray &bytes, QTextDocument &document,
              const ReadOptions &options = ReadOptions());

// A new document owned by parent, or nullptr when the bytes are not RTF.
QTextDocument *read(const QByteArray &bytes, QObject *parent = nullptr);

// The document's text as the command-line reader prints it: a paragraph a line,
// a table row a line with its cells separated by tabs, a line break inside a
// paragraph as a line of its own, a picture as "[图片 W×H]" (its shown size in pixels).
QString plainText(const QTextDocument &document);

} // namespace rtf
