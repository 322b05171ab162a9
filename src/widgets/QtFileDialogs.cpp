#include "widgets/QtFileDialogs.h"

#include <QFileDialog>

QString QtFileDialogs::openFileName(const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, QString(), filter);
}

QString QtFileDialogs::saveFileName(const QString &caption, const QString &suggested,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, suggested, filter);
}
