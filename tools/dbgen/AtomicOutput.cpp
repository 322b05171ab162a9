#include "AtomicOutput.h"

#include "DataError.h"

#include <QFile>
#include <QFileInfo>

AtomicOutput::AtomicOutput(QString finalPath)
    : m_finalPath(std::move(finalPath)), m_partPath(m_finalPath + QStringLiteral(".part"))
{
    QFile::remove(m_partPath);
    QFile::remove(m_partPath + QStringLiteral("-journal"));
}

AtomicOutput::~AtomicOutput()
{
    if (!m_committed) {
        QFile::remove(m_partPath);
        QFile::remove(m_partPath + QStringLiteral("-journal"));
    }
}

void AtomicOutput::commit(bool replace)
{
    if (QFileInfo::exists(m_finalPath)) {
        if (!replace)
            throw DataError(QStringLiteral("%1 appeared while it was being built; not overwritten")
                                .arg(m_finalPath));
        if (!QFile::remove(m_finalPath))
            throw DataError(QStringLiteral("cannot remove the existing %1").arg(m_finalPath));
    }
    if (!QFile::rename(m_partPath, m_finalPath))
        throw DataError(QStringLiteral("cannot rename %1 to %2").arg(m_partPath, m_finalPath));
    m_committed = true;
}
