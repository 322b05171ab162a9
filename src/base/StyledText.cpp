#include "base/StyledText.h"

#include <QStringList>

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

} // namespace

QString plainText(const StyledText &lines)
{
    QStringList all;
    all.reserve(lines.size());
    for (const StyledLine &line : lines)
        all << line.text();
    return all.join(QStringLiteral("\r\n"));
}

StyledLine trimmedLine(StyledLine line)
{
    QList<StyledSpan> &spans = line.spans;
    while (!spans.isEmpty()) {
        QString &first = spans.front().text;
        qsizetype cut = 0;
        while (cut < first.size() && isBlank(first.at(cut)))
            ++cut;
        first.remove(0, cut);
        if (!first.isEmpty() || spans.size() == 1)
            break;
        spans.removeFirst();
    }
    while (!spans.isEmpty()) {
        QString &last = spans.back().text;
        qsizetype end = last.size();
        while (end > 0 && isBlank(last.at(end - 1)))
            --end;
        last.truncate(end);
        if (!last.isEmpty() || spans.size() == 1)
            break;
        spans.removeLast();
    }
    return line;
}
