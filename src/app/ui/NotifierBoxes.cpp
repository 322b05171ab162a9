#include "app/ui/NotifierBoxes.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Notifier::Icon icon)
{
    switch (icon) {
    case Notifier::Icon::Warning:
        return QMessageBox::Warning;
    case Notifier::Icon::Question:
        return QMessageBox::Question;
    case Notifier::Icon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

void NotifierBoxes::inform(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("提示"), text, QMessageBox::Ok,
                    m_parent);
    box.exec();
}

bool NotifierBoxes::askYesNo(const QString &caption, const QString &text, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool NotifierBoxes::askOkCancel(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    m_parent);
    return box.exec() == QMessageBox::Ok;
}
