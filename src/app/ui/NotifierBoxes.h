#pragma once

#include "base/Notifier.h"

class QWidget;

// Notices and questions as message boxes over the given parent.
class NotifierBoxes : public Notifier
{
public:
    explicit NotifierBoxes(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void inform(const QString &text) override;
    bool askYesNo(const QString &caption, const QString &text, Icon icon) override;
    bool askOkCancel(const QString &caption, const QString &text) override;

private:
    QWidget *m_parent;
};
