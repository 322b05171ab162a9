#include "exam/ui/QuotaExamBox.h"

#include "exam/ui/QuotaPageNames.h"
#include "exam/ui/QuotaPageParts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using quotaparts::label;
using quotaparts::numberField;

QuotaExamBox::QuotaExamBox(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QuotaPageNames::examBox);
    auto *grid = new QGridLayout(this);
    grid->addWidget(label(QStringLiteral("考试时间(分钟)："), this), 0, 0);
    m_minutes = numberField(QuotaPageNames::minutes, 50, this);
    quotaparts::acceptDigitsOnly(m_minutes);
    m_minutes->setMaxLength(3);
    grid->addWidget(m_minutes, 0, 1);
    grid->addWidget(label(QStringLiteral("试题量(道)："), this), 1, 0);
    m_limit = numberField(QuotaPageNames::questionLimit, 50, this);
    quotaparts::acceptDigitsOnly(m_limit);
    m_limit->setMaxLength(3);
    grid->addWidget(m_limit, 1, 1);
    grid->addWidget(label(QStringLiteral("最大150"), this, theme::Tone::Note), 1, 2);
    grid->setColumnStretch(2, 1);

    connect(m_minutes, &QLineEdit::textEdited, this, &QuotaExamBox::minutesEdited);
    connect(m_limit, &QLineEdit::textEdited, this, &QuotaExamBox::questionLimitEdited);
}

void QuotaExamBox::showMinutes(const QString &text)
{
    if (m_minutes->text() != text)
        m_minutes->setText(text);
}

void QuotaExamBox::showQuestionLimit(const QString &text)
{
    if (m_limit->text() != text)
        m_limit->setText(text);
}
