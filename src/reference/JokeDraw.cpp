#include "reference/JokeDraw.h"

#include "base/Notifier.h"
#include "base/RandomSource.h"
#include "base/StoreError.h"
#include "reference/JokeDecoder.h"
#include "store/JokeTable.h"

#include <QRegularExpression>

QString JokeDraw::next()
{
    QStringList words;
    try {
        words = JokeTable(m_db).words();
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：笑话没有读出，原因：") + error.reason() +
                          QStringLiteral("。"));
        return {};
    }
    if (words.isEmpty())
        return {};
    // Every joke can come, the last one included.
    const int count = static_cast<int>(words.size());
    const int drawn = ((m_random.below(count) % count) + count) % count;
    return JokeDecoder::decode(words.at(drawn));
}

StyledText JokeDraw::pageLines(const QString &joke)
{
    const auto line = [](const QString &text) { return StyledLine{{StyledSpan{text}}}; };
    StyledText lines{line(QString()), line(QString()), line(QStringLiteral("【每日一笑】")),
                     line(QString())};
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    for (const QString &paragraph : joke.split(breaks))
        lines << line(paragraph);
    return lines;
}
