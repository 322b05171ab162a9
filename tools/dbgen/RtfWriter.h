#pragma once

#include <QByteArray>
#include <QString>

// Turns a plain regulation text into a small RTF document: one paragraph per
// line, "# " and "## " lines as bold, larger headings, every character outside
// ASCII written as a \uN? escape, so the bytes are plain ASCII.
class RtfWriter
{
public:
    static QByteArray toRtf(const QString &text);
    // The escaped form of one piece of text (no paragraph marks).
    static QByteArray escape(const QString &text);
};
