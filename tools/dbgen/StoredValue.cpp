#include "StoredValue.h"

#include "DataError.h"

#include "base/GbkText.h"
#include "store/QuestionCodec.h"

#include <strcodec.h>

namespace {

// The value as it would appear in a message: quoted, long texts shortened.
QString shown(const QString &text)
{
    constexpr qsizetype kShown = 40;
    const QString head = text.size() > kShown ? text.left(kShown) + QStringLiteral("...") : text;
    return QLatin1Char('"') + head + QLatin1Char('"');
}

} // namespace

QString StoredValue::questionText(const QString &text, const QString &field, const QString &file,
                                  int line)
{
    const QString stored = encodeQuestionText(text);
    if (decodeQuestionText(stored) != text::trimmed(text))
        throw DataError::at(file, line,
                            QStringLiteral("the %1 %2 does not read back as written "
                                           "(a character GBK cannot carry?)")
                                .arg(field, shown(text)));
    return stored;
}

QString StoredValue::questionBytes(const QByteArray &gbkText)
{
    const QByteArray stored = codec::encodeBytes(gbkText);
    QByteArray back;
    if (!codec::decodeBytes(stored, back) || back != gbkText)
        throw DataError(QStringLiteral("the question text %1 does not read back as written")
                            .arg(shown(gbk::decode(gbkText))));
    return QString::fromLatin1(stored);
}

QString StoredValue::joke(const QString &joke, const QString &file, int line)
{
    if (text::trimmed(joke).isEmpty())
        throw DataError::at(file, line, QStringLiteral("the joke is empty"));
    for (const QChar c : joke) {
        if (c.unicode() < 0x20)
            throw DataError::at(
                file, line,
                QStringLiteral("the joke %1 holds a control character").arg(shown(joke)));
    }
    if (!gbk::representable(joke))
        throw DataError::at(file, line,
                            QStringLiteral("the joke %1 holds a character that GBK "
                                           "cannot represent")
                                .arg(shown(joke)));
    // encode() and uncode() return a buffer of the library: copy each at once.
    const QString stored = QString::fromLatin1(encode(gbk::encode(joke).constData()));
    const QString back = gbk::decode(QByteArray(uncode(stored.toLatin1().constData())));
    if (back != joke)
        throw DataError::at(file, line,
                            QStringLiteral("the joke %1 does not read back as written (stored "
                                           "as %2)")
                                .arg(shown(joke), stored.left(40)));
    return stored;
}
