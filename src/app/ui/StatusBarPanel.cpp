#include "app/ui/StatusBarPanel.h"

#include "app/ui/MainWindowNames.h"

#include <QLabel>

StatusBarPanel::StatusBarPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("StatusBar"));
    setFixedHeight(kHeight);
    const int widths[] = {300, 600, 300};
    int x = 0;
    for (const int width : widths) {
        auto *field = new QLabel(this);
        field->setObjectName(QString(MainWindowNames::statusFieldPrefix) +
                             QString::number(m_fields.size() + 1));
        field->setAlignment(Qt::AlignCenter);
        field->setGeometry(x, 2, width - 2, kHeight - 3);
        x += width;
        m_fields << field;
    }
    m_fields[1]->setText(QStringLiteral("电力安全规程考试训练    安全第一  预防为主"));
    m_fields[2]->setText(m_clock.text());
}

void StatusBarPanel::showIdleTime(const QString &text)
{
    if (m_fields[0]->text() != text)
        m_fields[0]->setText(text);
}

void StatusBarPanel::tickClock()
{
    m_clock.tick();
    m_fields[2]->setText(m_clock.text());
}
