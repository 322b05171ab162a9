#include "FontTable.h"

#include "FontFamilies.h"

#include <algorithm>
#include <utility>

namespace rtf {

void FontTable::start(int number, int documentCodePage)
{
    commit(documentCodePage);
    m_pending = Font();
    m_pending.number = number;
    // A number met again replaces its font; a new one counts.
    m_open = m_fonts.count(number) > 0 || m_budget.take(Construct::Fonts);
}

void FontTable::setCharset(int charset)
{
    if (m_open)
        m_pending.charset = charset;
}

void FontTable::setCodePage(int codePage)
{
    if (m_open)
        m_pending.codePage = std::max(codePage, 0);
}

void FontTable::setFamilyClass(const QByteArray &familyClass)
{
    if (m_open)
        m_pending.familyClass = familyClass;
}

void FontTable::addNameByte(char byte)
{
    if (m_open)
        m_nameBytes += byte;
}

int FontTable::nameCodePage(int documentCodePage) const
{
    const int page =
        m_pending.codePage > 0 ? m_pending.codePage : codePageForCharset(m_pending.charset);
    return page > 0 ? page : documentCodePage;
}

void FontTable::addNameText(QStringView text, int documentCodePage)
{
    if (!m_open)
        return;
    m_pending.name += m_decoder.decode(m_nameBytes, nameCodePage(documentCodePage));
    m_pending.name += text;
    m_nameBytes.clear();
}

void FontTable::commit(int documentCodePage)
{
    if (!m_open)
        return;
    m_open = false;
    const int namePage = nameCodePage(documentCodePage);
    Font font = std::exchange(m_pending, Font());
    font.name += m_decoder.decode(m_nameBytes, namePage);
    m_nameBytes.clear();
    if (font.codePage <= 0)
        font.codePage = codePageForCharset(font.charset);
    font.name = font.name.trimmed();
    font.hint = styleHintFor(font.familyClass);
    font.families = familiesFor(font.name, font.hint);
    m_fonts[font.number] = std::move(font);
}

const Font *FontTable::find(int number) const
{
    const auto found = m_fonts.find(number);
    return found == m_fonts.end() ? nullptr : &found->second;
}

} // namespace rtf
