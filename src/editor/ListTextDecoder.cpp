#include "editor/ListTextDecoder.h"

#include "base/GbkText.h"

#include <QStringDecoder>

namespace {

bool looksBinary(const QByteArray &bytes)
{
    qsizetype control = 0;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == 0)
            return true;
        if (c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\f')
            ++control;
    }
    return control * 100 > bytes.size(); // more than one byte in a hundred
}

} // namespace

ListTextDecoder::Result ListTextDecoder::decode(const QByteArray &bytes)
{
    Result result;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.encoding = QStringLiteral("UTF-8");
        result.text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        result.encoding = QStringLiteral("UTF-16");
        result.text = decoder.decode(bytes.mid(2));
        if (decoder.hasError() || result.text.contains(QChar(0)))
            result.error = kBinary;
        return result;
    } else {
        if (looksBinary(bytes)) {
            result.error = kBinary;
            return result;
        }
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            result.encoding = QStringLiteral("UTF-8");
            result.text = text;
        } else {
            result.encoding = QStringLiteral("GBK");
            result.text = gbk::decode(bytes);
        }
    }
    if (result.text.contains(QChar(0)))
        result.error = kBinary;
    return result;
}
