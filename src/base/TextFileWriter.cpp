#include "base/TextFileWriter.h"

#include "base/GbkText.h"

#include <QFile>

bool TextFileWriter::append(const QString &fileName, const QString &text)
{
    if (fileName.isEmpty())
        return false;
    const QByteArray bytes = gbk::encode(text);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    return file.flush() && written;
}
