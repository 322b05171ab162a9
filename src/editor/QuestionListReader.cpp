#include "editor/QuestionListReader.h"

#include "editor/CsvReader.h"
#include "editor/DocxReader.h"
#include "editor/ListBudget.h"
#include "editor/ListTextDecoder.h"
#include "editor/QuestionListText.h"
#include "editor/SheetLayout.h"
#include "editor/XlsxReader.h"

#include <QFile>
#include <QFileInfo>

namespace {

ListReading found(ListReading reading)
{
    if (reading.ok() && reading.drafts.isEmpty())
        return ListReading::failed(QuestionListReader::kNoQuestion);
    return reading;
}

} // namespace

ListReading QuestionListReader::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ListReading::failed(kCannotOpen + path);
    if (file.size() > listbudget::kFileBytes)
        return ListReading::failed(listbudget::kTooLarge);
    const QByteArray bytes = file.read(listbudget::kFileBytes + 1);
    if (bytes.size() > listbudget::kFileBytes)
        return ListReading::failed(listbudget::kTooLarge);
    return readBytes(bytes, path);
}

ListReading QuestionListReader::readBytes(const QByteArray &bytes, const QString &fileName)
{
    if (bytes.size() > listbudget::kFileBytes)
        return ListReading::failed(listbudget::kTooLarge);
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"docx") {
        const DocxReader::Result document = DocxReader::read(bytes);
        if (!document.error.isEmpty())
            return ListReading::failed(document.error);
        QList<int> numbers;
        numbers.reserve(document.lines.size());
        for (int i = 0; i < document.lines.size(); ++i)
            numbers.append(i + 1);
        ListReading reading;
        reading.drafts = QuestionListText::readLines(document.lines, numbers);
        return found(reading);
    }
    if (suffix == u"xlsx")
        return found(SheetLayout::read(XlsxReader::read(bytes)));
    const ListTextDecoder::Result decoded = ListTextDecoder::decode(bytes);
    if (!decoded.error.isEmpty())
        return ListReading::failed(decoded.error);
    if (suffix == u"csv")
        return found(SheetLayout::read(CsvReader::read(decoded.text)));
    return readText(decoded.text);
}

ListReading QuestionListReader::readText(const QString &text)
{
    if (text.count(QLatin1Char('\n')) > listbudget::kLines)
        return ListReading::failed(listbudget::kTooManyLines);
    ListReading reading;
    reading.drafts = QuestionListText::read(text);
    return found(reading);
}
