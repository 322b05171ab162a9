#include "exam/ui/QuotaBankPanel.h"

#include "exam/QuotaSetup.h"
#include "exam/ui/QuotaPageNames.h"
#include "exam/ui/QuotaPageParts.h"
#include "practice/ui/ChapterListDelegate.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

using quotaparts::label;

QuotaBankPanel::QuotaBankPanel(int spacing, QWidget *parent) : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    auto *bankLine = new QHBoxLayout;
    bankLine->addWidget(label(QStringLiteral("试题库："), this, theme::Tone::Heading));
    m_banks = new QComboBox(this);
    m_banks->setObjectName(QuotaPageNames::bankList);
    bankLine->addWidget(m_banks, 1);
    column->addLayout(bankLine);
    column->addWidget(label(QStringLiteral("双击章节设定抽题数量"), this, theme::Tone::Note));
    m_chapters = new QListWidget(this);
    m_chapters->setObjectName(QuotaPageNames::chapterList);
    m_chapters->setFont(theme::font(theme::FontRole::PageText));
    m_chapters->setFixedWidth(250);
    m_chapters->setUniformItemSizes(true);
    m_delegate = new ChapterListDelegate(m_chapters);
    m_delegate->setRemembered(-1);
    m_chapters->setItemDelegate(m_delegate);
    column->addWidget(m_chapters, 1);

    connect(m_banks, &QComboBox::activated, this, &QuotaBankPanel::bankChosen);
    connect(m_chapters, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit chapterOpened(m_chapters->row(item)); });
}

void QuotaBankPanel::showBanks(const QuotaSetup &setup)
{
    {
        const QSignalBlocker quiet(m_banks);
        m_banks->clear();
        for (const BankRow &bank : setup.banks())
            m_banks->addItem(bank.name);
        m_banks->setCurrentIndex(setup.bankPosition());
    }
    QStringList items;
    for (const QuotaSetup::Chapter &chapter : setup.chapters())
        items << chapter.item;
    QStringList shown;
    for (int i = 0; i < m_chapters->count(); ++i)
        shown << m_chapters->item(i)->text();
    if (items != shown) {
        m_chapters->clear();
        m_chapters->addItems(items);
        if (m_chapters->count() > 0)
            m_chapters->setCurrentRow(0);
    }
}

void QuotaBankPanel::showEdited(int position)
{
    m_delegate->setRemembered(position);
    m_chapters->viewport()->update();
}
