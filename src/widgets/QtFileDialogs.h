#pragma once

#include "base/FileDialogs.h"

class QWidget;

// The system's own file dialogs, over the given window.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &suggested,
                         const QString &filter) override;

private:
    QWidget *m_parent = nullptr;
};
