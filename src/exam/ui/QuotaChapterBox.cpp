#include "exam/ui/QuotaChapterBox.h"

#include "exam/ui/QuotaPageNames.h"
#include "exam/ui/QuotaPageParts.h"
#include "question/QuestionType.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

using quotaparts::label;
using quotaparts::numberField;

namespace {

// Room for the chapter name inside the box.
constexpr int kChapterNameWidth = 225;

const QStringList kTypeCaptions{QStringLiteral("单项选择题："), QStringLiteral("多项选择题："),
                                QStringLiteral("填空题："), QStringLiteral("判断题："),
                                QStringLiteral("论述题：")};

} // namespace

QuotaChapterBox::QuotaChapterBox(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QuotaPageNames::chapterBox);
    auto *grid = new QGridLayout(this);
    grid->setVerticalSpacing(6);
    m_chapterName = label(QStringLiteral("当前章节："), this, theme::Tone::Heading,
                          QuotaPageNames::chapterName);
    m_chapterName->setMinimumWidth(1);
    grid->addWidget(m_chapterName, 0, 0, 1, 4);
    grid->addWidget(label(QStringLiteral("请选择试题数量"), this, theme::Tone::Note), 1, 2, 1, 2);
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        const size_t index = question::indexOf(questionType);
        TypeRow &row = m_rows[index];
        row.caption = label(kTypeCaptions.at(type - 1), this);
        row.count = numberField(QuotaPageNames::typeCounts[index], 44, this);
        row.count->setReadOnly(true);
        row.quota = new QComboBox(this);
        row.quota->setObjectName(QuotaPageNames::typeQuotas[index]);
        row.quota->setMaxVisibleItems(30);
        row.quota->setMinimumWidth(60);
        row.unit = label(QStringLiteral("个"), this);
        grid->addWidget(row.caption, 1 + type, 0);
        grid->addWidget(row.count, 1 + type, 1);
        grid->addWidget(row.quota, 1 + type, 2);
        grid->addWidget(row.unit, 1 + type, 3);
        connect(row.quota, &QComboBox::currentIndexChanged, this,
                [this, type](int chosen) { emit quotaChosen(type, chosen); });
    }
    grid->addWidget(label(QStringLiteral("题量："), this), 7, 0);
    m_sum = numberField(QuotaPageNames::quotaSum, 44, this);
    m_sum->setReadOnly(true);
    grid->addWidget(m_sum, 7, 1);
    grid->addWidget(label(QStringLiteral("本章分数："), this), 8, 0);
    m_score = numberField(QuotaPageNames::chapterScore, 44, this);
    quotaparts::acceptDigitsOnly(m_score);
    m_score->setMaxLength(4);
    grid->addWidget(m_score, 8, 1);
    grid->addWidget(label(QStringLiteral("分"), this), 8, 2);
    grid->addWidget(label(QStringLiteral("默认每个题型1分，论述题5分"), this, theme::Tone::Note), 9,
                    0, 1, 4);
    grid->addWidget(label(QStringLiteral("改分请点击[本类组卷]"), this, theme::Tone::Note), 10, 0,
                    1, 4);
    m_chapterCount = label(QString(), this, theme::Tone::Count, QuotaPageNames::chapterCount);
    grid->addWidget(m_chapterCount, 11, 0, 1, 4);
    grid->setColumnStretch(3, 1);
}

void QuotaChapterBox::showChapter(const QuotaSetup &setup)
{
    const bool editing = setup.editedPosition() >= 0;
    const QString name = editing ? setup.editedName() : QStringLiteral("当前章节：");
    m_chapterName->setText(
        m_chapterName->fontMetrics().elidedText(name, Qt::ElideRight, kChapterNameWidth));
    m_chapterName->setToolTip(editing ? name : QString());
    m_chapterCount->setText(setup.chapterCountLine());
    for (const QuestionType questionType : question::allTypes()) {
        const QuotaSetup::TypeState &state = setup.type(question::code(questionType));
        TypeRow &row = m_rows[question::indexOf(questionType)];
        // A type the chapter does not hold is hidden, as before a chapter is opened.
        const bool shown = !editing || state.present();
        row.caption->setVisible(shown);
        row.count->setVisible(shown);
        row.quota->setVisible(shown);
        row.unit->setVisible(shown);
        row.count->setText(QString::number(state.count));
        const QSignalBlocker quiet(row.quota);
        row.quota->clear();
        for (const int choice : state.choices)
            row.quota->addItem(QString::number(choice));
        row.quota->setCurrentIndex(state.chosen);
    }
}

void QuotaChapterBox::showSum(int sum)
{
    const QString figure = QString::number(sum);
    m_sum->setText(figure);
    m_score->setText(figure);
}
