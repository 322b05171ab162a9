#include "search/ui/CompositionPage.h"

#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

using theme::Colour;
using TypeNames = std::array<QLatin1StringView, 5>;

// The names of a row's controls, by question type.
constexpr TypeNames kAvailable{
    CompositionPageNames::singleAvailable, CompositionPageNames::multipleAvailable,
    CompositionPageNames::fillInAvailable, CompositionPageNames::trueFalseAvailable,
    CompositionPageNames::essayAvailable};
constexpr TypeNames kScore{CompositionPageNames::singleScore, CompositionPageNames::multipleScore,
                           CompositionPageNames::fillInScore, CompositionPageNames::trueFalseScore,
                           CompositionPageNames::essayScore};
constexpr TypeNames kSlider{
    CompositionPageNames::singleSlider, CompositionPageNames::multipleSlider,
    CompositionPageNames::fillInSlider, CompositionPageNames::trueFalseSlider,
    CompositionPageNames::essaySlider};
constexpr TypeNames kDrawn{CompositionPageNames::singleDrawn, CompositionPageNames::multipleDrawn,
                           CompositionPageNames::fillInDrawn, CompositionPageNames::trueFalseDrawn,
                           CompositionPageNames::essayDrawn};
constexpr TypeNames kMaximum{
    CompositionPageNames::singleMaximum, CompositionPageNames::multipleMaximum,
    CompositionPageNames::fillInMaximum, CompositionPageNames::trueFalseMaximum,
    CompositionPageNames::essayMaximum};

QLatin1StringView perType(const TypeNames &names, int type)
{
    return names.at(static_cast<std::size_t>(type - 1));
}

QLineEdit *figureField(QLatin1StringView name, Colour colour, int width, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFont(theme::font(theme::FontRole::FigureField));
    theme::setTextColour(field, colour);
    field->setFixedWidth(width);
    return field;
}

QLabel *colouredLabel(const QString &text, Colour colour, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    theme::setTextColour(label, colour);
    return label;
}

} // namespace

CompositionPage::CompositionPage(QSqlDatabase db, Notifier &notifier, RandomSource &random,
                                 QWidget *parent)
    : QWidget(parent), m_composer(std::move(db), notifier, random)
{
    // Only digits, the backspace and "." reach the score fields and the target.
    auto *digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), this);

    auto *info = new QGroupBox(QStringLiteral("试题基本信息"), this);
    auto *grid = new QGridLayout(info);
    auto *totalLabel = new QLabel(QStringLiteral("题目总数："), info);
    m_total = figureField(CompositionPageNames::totalField, Colour::FigureChosen, 60, info);
    m_total->setReadOnly(true);
    grid->addWidget(totalLabel, 0, 0);
    grid->addWidget(m_total, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("道"), info), 0, 2);

    auto *draw = new QGroupBox(QStringLiteral("准备随机生成"), this);
    auto *drawGrid = new QGridLayout(draw);

    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        Row &row = m_rows[static_cast<size_t>(type - 1)];
        const int line = type;
        row.label = new QLabel(PaperComposer::typeLabel(type), info);
        row.available = figureField(perType(kAvailable, type), Colour::FigureAvailable, 60, info);
        row.available->setReadOnly(true);
        row.unit = new QLabel(QStringLiteral("道"), info);
        row.score = figureField(perType(kScore, type), Colour::FigureAvailable, 36, info);
        row.score->setMaxLength(2);
        row.score->setValidator(digits);
        grid->addWidget(row.label, line, 0);
        grid->addWidget(row.available, line, 1);
        grid->addWidget(row.unit, line, 2);
        grid->addWidget(new QLabel(QStringLiteral("将每道小题得分改为："), info), line, 3);
        grid->addWidget(row.score, line, 4);
        grid->addWidget(new QLabel(QStringLiteral("分"), info), line, 5);

        auto *typeLabel = new QLabel(PaperComposer::typeLabel(type), draw);
        row.slider = new QSlider(Qt::Horizontal, draw);
        row.slider->setObjectName(perType(kSlider, type));
        row.slider->setSingleStep(1);
        row.slider->setPageStep(1);
        row.drawn = colouredLabel(QStringLiteral("0"), Colour::FigureChosen, draw);
        row.drawn->setObjectName(perType(kDrawn, type));
        row.drawn->setMinimumWidth(40);
        row.maximum = new QLabel(QStringLiteral("最大:0"), draw);
        row.maximum->setObjectName(perType(kMaximum, type));
        drawGrid->addWidget(typeLabel, line - 1, 0);
        drawGrid->addWidget(row.slider, line - 1, 1);
        drawGrid->addWidget(row.drawn, line - 1, 2);
        drawGrid->addWidget(row.maximum, line - 1, 3);
        row.label->setProperty("drawLabel", QVariant::fromValue<QObject *>(typeLabel));

        connect(row.score, &QLineEdit::textEdited, this,
                [this, type](const QString &text) { m_composer.setScore(type, text); });
        connect(row.slider, &QSlider::valueChanged, this, [this, type](int value) {
            if (m_showing)
                return;
            m_composer.moveSlider(type, value);
            showState();
        });
    }
    drawGrid->setColumnStretch(1, 1);

    m_selected = figureField(CompositionPageNames::selectedField, Colour::FigureSelected, 60, draw);
    // Read-only and as long as the sum: five sliders of up to 99 points
    // each can pass four digits.
    m_selected->setReadOnly(true);
    m_target = figureField(CompositionPageNames::targetField, Colour::FigureChosen, 60, draw);
    m_target->setValidator(digits);
    connect(m_target, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_composer.setTarget(text); });
    auto *totals = new QHBoxLayout;
    totals->addWidget(new QLabel(QStringLiteral("当前选择分："), draw));
    totals->addWidget(m_selected);
    totals->addSpacing(20);
    totals->addWidget(new QLabel(QStringLiteral("该试卷总分："), draw));
    totals->addWidget(m_target);
    totals->addStretch();
    drawGrid->addLayout(totals, 5, 0, 1, 4);
    m_successLine = colouredLabel(QString(), Colour::FigureChosen, draw);
    m_successLine->setObjectName(CompositionPageNames::successLine);
    drawGrid->addWidget(m_successLine, 6, 0, 1, 4);
    drawGrid->addWidget(
        new QLabel(QStringLiteral("提示：调节试题时，可以使用键盘左右方向键微调"), draw), 7, 0, 1,
        4);

    auto *unlock = new QPushButton(QStringLiteral("重新设定各题型得分"), info);
    unlock->setObjectName(CompositionPageNames::unlockButton);
    m_rewrite = new QPushButton(QStringLiteral("改分"), info);
    m_rewrite->setObjectName(CompositionPageNames::rewriteButton);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(unlock);
    buttons->addWidget(m_rewrite);
    buttons->addStretch();
    grid->addLayout(buttons, 6, 0, 1, 6);
    m_scoreLine = colouredLabel(QString(), Colour::FigureChosen, info);
    m_scoreLine->setObjectName(CompositionPageNames::scoreLine);
    m_scoreLine->setWordWrap(true);
    grid->addWidget(m_scoreLine, 7, 0, 1, 6);
    m_bankLine = new QLabel(info);
    m_bankLine->setObjectName(CompositionPageNames::bankLine);
    grid->addWidget(m_bankLine, 8, 0, 1, 6);

    auto *confirmButton = new QPushButton(QStringLiteral("确定"), this);
    confirmButton->setObjectName(CompositionPageNames::confirmButton);
    auto *note = new QLabel(
        QStringLiteral("备注：组卷的目的是生成本系统数据库内随机试卷，以便于教师组织考试"), this);

    auto *columns = new QHBoxLayout;
    columns->addWidget(info);
    columns->addWidget(draw, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(note, 1);
    bottom->addWidget(confirmButton);
    layout->addLayout(bottom);
    layout->addStretch();

    connect(unlock, &QPushButton::clicked, this, [this] {
        m_composer.unlockScores();
        showState();
    });
    connect(m_rewrite, &QPushButton::clicked, this, [this] {
        m_composer.rewriteScores(m_bankName ? m_bankName() : QString());
        showState();
    });
    connect(confirmButton, &QPushButton::clicked, this, &CompositionPage::confirm);
    showState();
}

void CompositionPage::open(PaperComposer::Scope scope, const QString &chapterName,
                           const QString &bankName)
{
    m_composer.open(scope, chapterName, bankName);
    showState();
}

void CompositionPage::showState()
{
    const PaperComposer::Page &page = m_composer.page();
    m_showing = true;
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        const PaperComposer::TypeRow &state = page.types[static_cast<size_t>(type - 1)];
        Row &row = m_rows[static_cast<size_t>(type - 1)];
        row.available->setText(QString::number(state.available));
        row.available->setEnabled(state.present);
        if (row.score->text() != state.score)
            row.score->setText(state.score);
        row.score->setEnabled(state.present && page.scoresEnabled);
        row.slider->setRange(0, state.available);
        row.slider->setValue(state.drawn);
        row.drawn->setText(QString::number(state.drawn));
        row.maximum->setText(QStringLiteral("最大:") + QString::number(state.available));
        row.slider->setVisible(state.present);
        row.drawn->setVisible(state.present);
        row.maximum->setVisible(state.present);
        if (auto *drawLabel =
                qobject_cast<QLabel *>(row.label->property("drawLabel").value<QObject *>()))
            drawLabel->setVisible(state.present);
    }
    m_showing = false;
    m_total->setText(page.total);
    m_selected->setText(page.selected);
    if (m_target->text() != page.target)
        m_target->setText(page.target);
    m_successLine->setText(page.successLine);
    m_scoreLine->setText(page.scoreLine);
    m_bankLine->setText(page.bankLine);
    m_rewrite->setEnabled(page.rewriteEnabled);
}

void CompositionPage::confirm()
{
    switch (m_composer.confirm()) {
    case PaperComposer::Confirmation::Open:
        showState();
        emit paperRequested();
        break;
    case PaperComposer::Confirmation::RefusedAtTarget:
        m_target->setFocus();
        break;
    case PaperComposer::Confirmation::Refused:
        showState();
        break;
    }
}
