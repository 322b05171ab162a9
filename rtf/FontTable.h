#pragma once

#include "CodePages.h"
#include "ReadingBudget.h"

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QStringList>
#include <map>

namespace rtf {

// A font of the document's font table, with the families asked for it here.
struct Font
{
    int number = 0;
    int charset = -1;
    int codePage = 0; // 0: the document's code page
    QByteArray familyClass;
    QString name;
    QStringList families;
    QFont::StyleHint hint = QFont::AnyStyle;
};

// Reads the font-table destination: each font's number, character set or
// code page, family class and name (in the font's own code page). Fonts
// past the budget are not added; their numbers fall back to the default.
class FontTable
{
public:
    FontTable(ReadingBudget &budget, CodePageDecoder &decoder)
        : m_budget(budget), m_decoder(decoder)
    {
    }

    // \fN inside the table: the font before it ends, this one begins.
    void start(int number, int documentCodePage);
    void setCharset(int charset);
    void setCodePage(int codePage);
    void setFamilyClass(const QByteArray &familyClass);
    void addNameByte(char byte);
    void addNameText(QStringView text, int documentCodePage);
    // ';' or the end of the font's group.
    void commit(int documentCodePage);
    // True while a font's properties are being read.
    bool isOpen() const { return m_open; }

    const Font *find(int number) const;

private:
    int nameCodePage(int documentCodePage) const;

    ReadingBudget &m_budget;
    CodePageDecoder &m_decoder;
    std::map<int, Font> m_fonts;
    Font m_pending;
    QByteArray m_nameBytes; // of the pending font, not yet decoded
    bool m_open = false;
};

} // namespace rtf
