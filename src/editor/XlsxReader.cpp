#include "editor/XlsxReader.h"

#include "editor/ListBudget.h"
#include "editor/ZipArchive.h"

#include <QMap>
#include <QXmlStreamReader>
#include <optional>

namespace {

struct Cell
{
    int row = 0;
    int column = 0;
};

// "C12" -> row 12, column 2.
std::optional<Cell> cellOf(QStringView reference)
{
    qsizetype letters = 0;
    while (letters < reference.size() && reference[letters].isLetter())
        ++letters;
    const int column = XlsxReader::columnIndex(reference.left(letters));
    bool ok = false;
    const int row = reference.mid(letters).toInt(&ok);
    if (column < 0 || !ok || row < 1 || row > 1048576)
        return std::nullopt;
    return Cell{row, column};
}

// The path of the workbook's first sheet, from the workbook and its relations.
QString firstSheetPath(ZipArchive &archive)
{
    const ZipArchive::Entry workbook = archive.read(QStringLiteral("xl/workbook.xml"));
    QString relation;
    if (workbook.status == ZipArchive::Status::Read) {
        QXmlStreamReader xml(workbook.bytes);
        while (!xml.atEnd() && relation.isEmpty()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet") {
                for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                    if (attribute.name() == u"id")
                        relation = attribute.value().toString();
                }
            }
        }
    }
    const ZipArchive::Entry relations = archive.read(QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!relation.isEmpty() && relations.status == ZipArchive::Status::Read) {
        QXmlStreamReader xml(relations.bytes);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Relationship" &&
                xml.attributes().value(QLatin1StringView("Id")) == relation) {
                QString target = xml.attributes().value(QLatin1StringView("Target")).toString();
                if (target.startsWith(QLatin1Char('/')))
                    return target.mid(1);
                return QStringLiteral("xl/") + target;
            }
        }
    }
    return QStringLiteral("xl/worksheets/sheet1.xml");
}

// The shared strings, each the text of its runs (phonetic hints left out).
std::optional<QStringList> sharedStrings(ZipArchive &archive, QString &error)
{
    QStringList strings;
    const ZipArchive::Entry entry = archive.read(QStringLiteral("xl/sharedStrings.xml"));
    if (entry.status == ZipArchive::Status::Missing)
        return strings;
    if (entry.status != ZipArchive::Status::Read) {
        error = entry.status == ZipArchive::Status::TooLarge ? listbudget::kInflatesTooMuch
                                                             : XlsxReader::kNotWorkbook;
        return std::nullopt;
    }
    QXmlStreamReader xml(entry.bytes);
    int phonetic = 0;
    bool inText = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"si")
                strings.append(QString());
            else if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t")
                inText = true;
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == u"t")
                inText = false;
        } else if (token == QXmlStreamReader::Characters && inText && phonetic == 0 &&
                   !strings.isEmpty()) {
            strings.last() += xml.text();
        }
        if (strings.size() > listbudget::kCells) {
            error = listbudget::kTooManyLines;
            return std::nullopt;
        }
    }
    if (xml.hasError()) {
        error = XlsxReader::kNotWorkbook;
        return std::nullopt;
    }
    return strings;
}

} // namespace

int XlsxReader::columnIndex(QStringView reference)
{
    if (reference.isEmpty() || reference.size() > 3)
        return -1;
    int column = 0;
    for (const QChar c : reference) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return -1;
        column = column * 26 + (u - u'A' + 1);
    }
    return column - 1;
}

SheetRows XlsxReader::read(const QByteArray &bytes)
{
    SheetRows result;
    ZipArchive archive(bytes);
    if (!archive.isOpen()) {
        result.error = kNotWorkbook;
        return result;
    }
    const ZipArchive::Entry sheet = archive.read(firstSheetPath(archive));
    if (sheet.status != ZipArchive::Status::Read) {
        result.error = sheet.status == ZipArchive::Status::Missing    ? kNoSheet
                       : sheet.status == ZipArchive::Status::TooLarge ? listbudget::kInflatesTooMuch
                                                                      : kNotWorkbook;
        return result;
    }
    const std::optional<QStringList> strings = sharedStrings(archive, result.error);
    if (!strings)
        return result;

    QMap<int, QMap<int, QString>> cells; // row -> column -> text
    QList<QPair<Cell, Cell>> merges;
    QXmlStreamReader xml(sheet.bytes);
    int count = 0;
    int rowNumber = 0;
    int nextColumn = 0;
    std::optional<Cell> cell;
    QString type;
    QString value;
    bool inValue = false;
    bool inInline = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == u"row") {
                const int r = xml.attributes().value(QLatin1StringView("r")).toInt();
                rowNumber = r > 0 ? r : rowNumber + 1;
                nextColumn = 0;
            } else if (name == u"c") {
                const QStringView reference = xml.attributes().value(QLatin1StringView("r"));
                cell = reference.isEmpty() ? std::optional<Cell>(Cell{rowNumber, nextColumn})
                                           : cellOf(reference);
                type = xml.attributes().value(QLatin1StringView("t")).toString();
                value.clear();
                if (++count > listbudget::kCells) {
                    result.error = listbudget::kTooManyLines;
                    return result;
                }
            } else if (name == u"v" || (name == u"t" && inInline)) {
                inValue = true;
            } else if (name == u"is") {
                inInline = true;
            } else if (name == u"mergeCell") {
                const QStringList range = xml.attributes()
                                              .value(QLatin1StringView("ref"))
                                              .toString()
                                              .split(QLatin1Char(':'));
                const auto from = cellOf(range.value(0));
                const auto to = cellOf(range.value(1));
                if (from && to && merges.size() < listbudget::kCells)
                    merges.append({*from, *to});
            }
        } else if (token == QXmlStreamReader::EndElement) {
            const QStringView name = xml.name();
            if (name == u"v" || name == u"t") {
                inValue = false;
            } else if (name == u"is") {
                inInline = false;
            } else if (name == u"c" && cell) {
                QString text = value;
                if (type == u"s") {
                    bool ok = false;
                    const int index = value.toInt(&ok);
                    text = ok ? strings->value(index) : QString();
                } else if (type == u"b") {
                    text = value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
                }
                if (cell->column < listbudget::kColumns && !text.isEmpty())
                    cells[cell->row][cell->column] = text;
                nextColumn = cell->column + 1;
                cell.reset();
            }
        } else if (token == QXmlStreamReader::Characters && inValue && cell) {
            value += xml.text();
        }
    }
    if (xml.hasError()) {
        result.error = kNotWorkbook;
        return result;
    }

    // A merged range reads as its top-left value in every cell.
    qint64 filled = 0;
    for (const auto &[from, to] : merges) {
        const QString text = cells.value(from.row).value(from.column);
        if (text.isEmpty())
            continue;
        for (int r = from.row; r <= to.row && r <= from.row + listbudget::kRows; ++r) {
            for (int c = from.column; c <= to.column && c < listbudget::kColumns; ++c) {
                if (++filled > listbudget::kCells) {
                    result.error = listbudget::kTooManyLines;
                    return result;
                }
                cells[r][c] = text;
            }
        }
    }
    if (cells.size() > listbudget::kRows) {
        result.error = listbudget::kTooManyLines;
        return result;
    }
    for (auto row = cells.cbegin(); row != cells.cend(); ++row) {
        QStringList texts;
        for (auto column = row.value().cbegin(); column != row.value().cend(); ++column) {
            while (texts.size() < column.key())
                texts.append(QString());
            texts.append(column.value());
        }
        result.rows.append(texts);
        result.numbers.append(row.key());
    }
    return result;
}
