#include "editor/CsvReader.h"

#include "editor/ListBudget.h"

SheetRows CsvReader::read(const QString &text)
{
    SheetRows result;
    QStringList row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    int rowLine = 1;
    int cells = 0;
    auto endField = [&] {
        row.append(field);
        field.clear();
        fieldStarted = false;
        ++cells;
    };
    auto endRow = [&] {
        endField();
        bool any = false;
        for (const QString &cell : row)
            any = any || !cell.trimmed().isEmpty();
        if (any) {
            result.rows.append(row);
            result.numbers.append(rowLine);
        }
        row.clear();
    };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < size && text.at(i + 1) == u'"') {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"' && !fieldStarted && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
            endRow();
            ++line;
            rowLine = line;
        } else {
            field += c;
        }
        if (cells > listbudget::kCells || result.rows.size() > listbudget::kRows) {
            result.rows.clear();
            result.numbers.clear();
            result.error = listbudget::kTooManyLines;
            return result;
        }
    }
    if (fieldStarted || !field.isEmpty() || !row.isEmpty())
        endRow();
    // Inside quotes a line break belongs to the field; a lone CR there stays.
    for (QStringList &r : result.rows) {
        for (QString &cell : r)
            cell.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return result;
}
