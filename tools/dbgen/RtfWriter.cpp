#include "RtfWriter.h"

#include <QStringList>

QByteArray RtfWriter::escape(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            // Other control characters carry nothing readable.
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else {
            // \uN takes a signed 16-bit number; surrogate halves go one by one.
            const int n = u > 0x7FFF ? static_cast<int>(u) - 0x10000 : static_cast<int>(u);
            out += "\\u" + QByteArray::number(n) + '?';
        }
    }
    return out;
}

QByteArray RtfWriter::toRtf(const QString &text)
{
    QByteArray out;
    out += "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\n";
    out += "{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}{\\f1\\fnil\\fcharset134 SimHei;}}\n";
    out += "\\viewkind4\\pard\\f0\\fs24\n";
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
        lines.first().remove(0, 1);
    // No empty paragraphs after the last line of text.
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    for (QString line : std::as_const(lines)) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1String("## "))) {
            out += "{\\f1\\b\\fs30 " + escape(line.mid(3).trimmed()) + "}\\par\n";
        } else if (line.startsWith(QLatin1String("# "))) {
            out += "{\\f1\\b\\fs36 " + escape(line.mid(2).trimmed()) + "}\\par\n";
        } else {
            out += escape(line) + "\\par\n";
        }
    }
    out += "}\n";
    return out;
}
