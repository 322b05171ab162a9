#include "reference/JokeDecoder.h"

#include "base/GbkText.h"
#include "strcodec.h"

QString JokeDecoder::decode(const QString &stored)
{
    // Stored jokes are plain ASCII; anything else cannot be one of ours.
    const QByteArray bytes = gbk::encode(stored);
    const char *result = uncode(bytes.constData());
    if (!result)
        return {};
    return gbk::decode(QByteArray(result));
}
