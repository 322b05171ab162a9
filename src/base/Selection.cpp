#include "base/Selection.h"

void Selection::setBank(qint64 id, const QString &name)
{
    if (id == m_bankId && name == m_bankName)
        return;
    m_bankId = id;
    m_bankName = name;
    emit changed();
}

void Selection::setChapter(const QString &name)
{
    if (name == m_chapter)
        return;
    m_chapter = name;
    emit changed();
}
