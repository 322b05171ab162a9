#include "StyledText.h"

#include <QStringList>

QString plainText(const StyledText &lines)
{
    QStringList all;
    all.reserve(lines.size());
    for (const StyledLine &line : lines)
        all << line.text();
    return all.join(QStringLiteral("\r\n"));
}
