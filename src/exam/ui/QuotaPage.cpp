#include "exam/ui/QuotaPage.h"

#include "base/Selection.h"
#include "exam/ui/QuotaBankPanel.h"
#include "exam/ui/QuotaChapterBox.h"
#include "exam/ui/QuotaExamBox.h"
#include "exam/ui/QuotaPageNames.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The spacing between the page's columns, and within each column.
constexpr int kSpacing = 12;

} // namespace

QuotaPage::QuotaPage(QSqlDatabase db, Notifier &notifier, RandomSource &random, MockExamForm &form,
                     const Selection &selection, QWidget *parent)
    : QWidget(parent), m_setup(std::move(db), notifier, random, form), m_selection(selection)
{
    setObjectName(QuotaPageNames::page);
    theme::paintPaper(this);
    setFont(theme::font(theme::FontRole::PageText));

    m_bankPanel = new QuotaBankPanel(kSpacing, this);
    m_chapterBox = new QuotaChapterBox(this);
    m_examBox = new QuotaExamBox(this);
    auto *save = new QPushButton(QStringLiteral("确定"), this);
    save->setObjectName(QuotaPageNames::saveButton);
    save->setMinimumSize(90, 30);
    m_tablePanel = new QuotaTablePanel(kSpacing, this);

    auto *middle = new QVBoxLayout;
    middle->addWidget(m_chapterBox);
    middle->addWidget(m_examBox);
    middle->addWidget(save, 0, Qt::AlignRight);
    middle->addStretch(1);

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(12, 10, 12, 10);
    columns->setSpacing(kSpacing);
    columns->addWidget(m_bankPanel);
    columns->addLayout(middle, 1);
    columns->addWidget(m_tablePanel);

    connect(m_bankPanel, &QuotaBankPanel::bankChosen, this, [this](int position) {
        m_setup.chooseBank(position);
        render();
    });
    connect(m_bankPanel, &QuotaBankPanel::chapterOpened, this, [this](int position) {
        m_setup.editChapter(position);
        renderChapter();
    });
    connect(m_chapterBox, &QuotaChapterBox::quotaChosen, this, [this](int type, int index) {
        m_setup.choose(type, index);
        renderSum();
    });
    connect(m_examBox, &QuotaExamBox::minutesEdited, this, [this](const QString &text) {
        m_setup.editMinutes(text);
        m_examBox->showMinutes(m_setup.minutesText());
    });
    connect(m_examBox, &QuotaExamBox::questionLimitEdited, this, [this](const QString &text) {
        m_setup.editQuestionLimit(text);
        m_examBox->showQuestionLimit(m_setup.questionLimitText());
    });
    connect(save, &QPushButton::clicked, this, [this] {
        m_setup.save();
        render();
    });
    connect(m_tablePanel, &QuotaTablePanel::viewRowRequested, this, &QuotaPage::viewSelectedRow);
    connect(m_tablePanel, &QuotaTablePanel::viewBankRequested, this, &QuotaPage::viewBank);
    connect(m_tablePanel, &QuotaTablePanel::deleteRowRequested, this,
            &QuotaPage::deleteSelectedRow);

    m_examBox->showMinutes(m_setup.minutesText());
    m_examBox->showQuestionLimit(m_setup.questionLimitText());
    render();
}

QComboBox *QuotaPage::bankList() const
{
    return m_bankPanel->bankList();
}

QListWidget *QuotaPage::chapterList() const
{
    return m_bankPanel->chapterList();
}

QComboBox *QuotaPage::quotaList(int type) const
{
    return m_chapterBox->quotaList(question::fromCode(type));
}

void QuotaPage::open()
{
    open(m_selection.bankId());
}

void QuotaPage::open(qint64 bankId)
{
    m_setup.open(bankId);
    render();
}

void QuotaPage::refreshTable()
{
    m_setup.refreshTable();
    renderTable();
}

void QuotaPage::render()
{
    m_bankPanel->showBanks(m_setup);
    renderChapter();
    renderTable();
}

void QuotaPage::renderChapter()
{
    m_chapterBox->showChapter(m_setup);
    m_bankPanel->showEdited(m_setup.editedPosition());
    renderSum();
}

void QuotaPage::renderSum()
{
    m_chapterBox->showSum(m_setup.quotaSum());
}

void QuotaPage::renderTable()
{
    m_tablePanel->showTable(m_setup);
}

void QuotaPage::viewSelectedRow()
{
    if (const auto scope = QuotaSetup::rowPaper(m_tablePanel->selectedRowId()))
        emit paperRequested(*scope);
}

// The stored draw of the bank whose quotas the table shows.
void QuotaPage::viewBank()
{
    if (m_setup.bankId() != 0)
        emit paperRequested(PaperScope::ofBank(m_setup.bankId()));
}

void QuotaPage::deleteSelectedRow()
{
    m_setup.removeRow(m_tablePanel->selectedRowId());
    renderTable();
}
