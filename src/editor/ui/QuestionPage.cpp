#include "editor/ui/QuestionPage.h"

#include "base/GbkText.h"
#include "editor/AutoFill.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

using theme::Colour;

QFont pageFont()
{
    return theme::font(theme::FontRole::PageText);
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(pageFont());
    return label;
}

QTextEdit *textBox(QWidget *parent, const QString &name)
{
    auto *box = new QTextEdit(parent);
    box->setObjectName(name);
    box->setAcceptRichText(false);
    box->setFont(pageFont());
    theme::setTextColour(box, Colour::Text);
    return box;
}

QString headingOf(int type, DraftForm form)
{
    static const QStringList names = {QStringLiteral("单项选择题"), QStringLiteral("多项选择题"),
                                      QStringLiteral("填空题"), QStringLiteral("判断题"),
                                      QStringLiteral("论述题")};
    return QStringLiteral("题型：") + names.at(type - 1) +
           (form == DraftForm::Correction ? QStringLiteral("【修改态】") : QString());
}

QString pasteCaption(int type)
{
    // Each page's paste item has its own number of dots.
    switch (question::fromCode(type)) {
    case QuestionType::TrueFalse:
        return QStringLiteral("粘贴.......");
    case QuestionType::Essay:
        return QStringLiteral("粘贴........");
    default:
        return QStringLiteral("粘贴......");
    }
}

} // namespace

QuestionPage::QuestionPage(int type, DraftForm form, QWidget *parent)
    : QWidget(parent), m_type(question::fromCode(type)), m_form(form)
{
    const bool entry = form == DraftForm::Entry;
    theme::paintPaper(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 8);
    layout->setSpacing(6);

    auto *top = new QHBoxLayout;
    auto *heading = new QLabel(headingOf(type, form), this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setFont(theme::font(theme::FontRole::PageHeading));
    top->addWidget(heading);
    top->addStretch();
    if (!entry && m_type == QuestionType::SingleChoice) {
        m_correctionId = new QLabel(QStringLiteral("12345"), this);
        m_correctionId->setObjectName(QStringLiteral("correctionId"));
        top->addWidget(m_correctionId);
    }
    layout->addLayout(top);

    auto *stemRow = new QHBoxLayout;
    m_stem = textBox(this, QStringLiteral("stem"));
    m_stem->setFixedHeight(m_type == QuestionType::Essay                          ? 170
                           : type <= question::code(QuestionType::MultipleChoice) ? 150
                                                                                  : 200);
    stemRow->addWidget(m_stem);
    if (m_type == QuestionType::Essay)
        stemRow->addWidget(caption(QStringLiteral("不超过1000字"), this), 0, Qt::AlignTop);
    layout->addLayout(stemRow);
    if (entry) {
        m_stem->setContextMenuPolicy(Qt::ActionsContextMenu);
        auto *paste = new QAction(pasteCaption(type), m_stem);
        connect(paste, &QAction::triggered, m_stem, &QTextEdit::paste);
        m_stem->addAction(paste);
    }
    // Typing into the stem box clears the save status line.
    connect(m_stem, &QTextEdit::textChanged, this, [this] { m_status->clear(); });

    auto *answerArea = new QWidget(this);
    buildAnswer(answerArea);
    layout->addWidget(answerArea);

    if (entry) {
        auto *pointsRow = new QHBoxLayout;
        pointsRow->addWidget(caption(QStringLiteral("分值："), this));
        m_points = new QLineEdit(draft::kDefaultPoints, this);
        m_points->setObjectName(QStringLiteral("points"));
        m_points->setFixedWidth(60);
        m_points->setFont(pageFont());
        pointsRow->addWidget(m_points);
        pointsRow->addStretch();
        layout->addLayout(pointsRow);
    }

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    QFont statusFont = pageFont();
    statusFont.setUnderline(true);
    m_status->setFont(statusFont);
    theme::setTextColour(m_status, Colour::EditorHint);
    layout->addWidget(m_status);

    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(entry ? QStringLiteral("保存") : QStringLiteral("确定"), this);
    save->setObjectName(QStringLiteral("save"));
    save->setFixedSize(90, 28);
    connect(save, &QPushButton::clicked, this, &QuestionPage::saveRequested);
    buttons->addWidget(save);
    if (entry) {
        auto *fill = new QPushButton(QStringLiteral("自动填写"), this);
        fill->setObjectName(QStringLiteral("autoFill"));
        fill->setFixedSize(90, 28);
        connect(fill, &QPushButton::clicked, this, &QuestionPage::autoFill);
        buttons->addWidget(fill);
        m_fillNotice = caption(QString(), this);
        m_fillNotice->setObjectName(QStringLiteral("fillNotice"));
        theme::setTextColour(m_fillNotice, Colour::EditorHint);
        buttons->addWidget(m_fillNotice);
        if (m_type == QuestionType::TrueFalse) {
            m_reviewNotice = caption(QString(), this);
            m_reviewNotice->setObjectName(QStringLiteral("reviewNotice"));
            theme::setTextColour(m_reviewNotice, Colour::ReviewNotice);
            buttons->addWidget(m_reviewNotice);
        }
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
}

void QuestionPage::buildAnswer(QWidget *area)
{
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    // Option fields of the multiple-choice correction page show blue text.
    const bool blue = m_form == DraftForm::Correction && m_type == QuestionType::MultipleChoice;
    if (m_type == QuestionType::SingleChoice || m_type == QuestionType::MultipleChoice) {
        for (int i = 0; i < answer::kOptionCount; ++i) {
            grid->addWidget(
                caption(QStringLiteral("选择项") + answer::optionLetter(i + 1) + QLatin1Char(':'),
                        area),
                i, 0);
            m_options[i] = new QLineEdit(area);
            m_options[i]->setObjectName(QStringLiteral("option") + answer::optionLetter(i + 1));
            m_options[i]->setFont(pageFont());
            theme::setTextColour(m_options[i], blue ? Colour::CorrectionOption : Colour::Text);
            grid->addWidget(m_options[i], i, 1);
        }
        auto *row = new QHBoxLayout;
        m_group = new QButtonGroup(area);
        m_group->setExclusive(m_type == QuestionType::SingleChoice);
        for (int i = 0; i < answer::kOptionCount; ++i) {
            const QString text = QStringLiteral("选择项") + answer::optionLetter(i + 1);
            QAbstractButton *button = m_type == QuestionType::SingleChoice
                                          ? static_cast<QAbstractButton *>(new QRadioButton(text))
                                          : new QCheckBox(text);
            button->setObjectName(QStringLiteral("choice") + answer::optionLetter(i + 1));
            button->setFont(pageFont());
            setCaptionColour(button, m_type == QuestionType::SingleChoice ? Colour::AnswerUnmarked
                                                                          : Colour::Text);
            m_group->addButton(button, i);
            m_choices[i] = button;
            row->addWidget(button);
        }
        row->addStretch();
        grid->addLayout(row, 4, 1);
        connect(m_group, &QButtonGroup::buttonClicked, this, &QuestionPage::colourAnswers);
    } else if (m_type == QuestionType::FillIn) {
        grid->addWidget(caption(QStringLiteral("正确答案:"), area), 0, 0);
        m_fillIn = new QLineEdit(area);
        m_fillIn->setObjectName(QStringLiteral("answer"));
        m_fillIn->setFont(pageFont());
        theme::setTextColour(m_fillIn, Colour::FillInKey);
        grid->addWidget(m_fillIn, 0, 1);
    } else if (m_type == QuestionType::TrueFalse) {
        auto *row = new QHBoxLayout;
        m_group = new QButtonGroup(area);
        m_true = new QRadioButton(QStringLiteral("正确"));
        m_false = new QRadioButton(QStringLiteral("错误"));
        m_true->setObjectName(QStringLiteral("correct"));
        m_false->setObjectName(QStringLiteral("wrong"));
        for (QAbstractButton *button : {m_true, m_false}) {
            button->setFont(pageFont());
            setCaptionColour(button, Colour::AnswerUnmarked);
            m_group->addButton(button);
            row->addWidget(button);
        }
        row->addStretch();
        grid->addLayout(row, 0, 1);
        connect(m_group, &QButtonGroup::buttonClicked, this, &QuestionPage::colourAnswers);
    } else {
        grid->addWidget(caption(QStringLiteral("正确答案:"), area), 0, 0, Qt::AlignTop);
        m_essay = textBox(area, QStringLiteral("answer"));
        m_essay->setFixedHeight(150);
        grid->addWidget(m_essay, 0, 1);
        grid->addWidget(caption(QStringLiteral("不超过500字"), area), 0, 2, Qt::AlignTop);
    }
    grid->setColumnStretch(1, 1);
}

void QuestionPage::setCaptionColour(QAbstractButton *button, theme::Colour colour)
{
    theme::setTextColour(button, colour);
}

void QuestionPage::colourAnswers(QAbstractButton *clicked)
{
    if (m_type == QuestionType::MultipleChoice) {
        setCaptionColour(clicked, clicked->isChecked() ? Colour::AnswerMarked : Colour::Text);
        return;
    }
    for (QAbstractButton *button : m_group->buttons())
        setCaptionColour(button,
                         button->isChecked() ? Colour::AnswerMarked : Colour::AnswerUnmarked);
}

QuestionDraft QuestionPage::draft() const
{
    QuestionDraft draft;
    draft.type = question::code(m_type);
    draft.stem = m_stem->toPlainText();
    if (m_options[0]) {
        for (int i = 0; i < answer::kOptionCount; ++i)
            draft.options[i] = m_options[i]->text();
        for (int i = 0; i < answer::kOptionCount; ++i) {
            if (m_choices[i]->isChecked())
                draft.answer += answer::optionDigit(i + 1);
        }
    } else if (m_fillIn) {
        draft.answer = m_fillIn->text();
    } else if (m_true) {
        if (m_true->isChecked())
            draft.answer = answer::kTrue;
        else if (m_false->isChecked())
            draft.answer = answer::kFalse;
    } else if (m_essay) {
        draft.answer = m_essay->toPlainText();
    }
    if (m_points)
        draft.points = m_points->text();
    return draft;
}

void QuestionPage::setOneAndAHalfSpacing(QTextEdit *box)
{
    QTextCursor cursor(box->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    cursor.mergeBlockFormat(format);
    QTextCursor end = box->textCursor();
    QTextBlockFormat current = end.blockFormat();
    current.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    end.setBlockFormat(current);
    box->setTextCursor(end);
}

void QuestionPage::prepare()
{
    m_status->clear();
    if (m_fillNotice)
        m_fillNotice->clear();
    if (m_reviewNotice)
        m_reviewNotice->clear();
    setOneAndAHalfSpacing(m_stem);
    if (m_essay)
        setOneAndAHalfSpacing(m_essay);
}

void QuestionPage::reset()
{
    m_stem->clear();
    for (QLineEdit *option : m_options) {
        if (option)
            option->clear();
    }
    clearChoices();
    if (m_fillIn)
        m_fillIn->clear();
    if (m_essay)
        m_essay->clear();
    prepare();
}

void QuestionPage::clearChoices()
{
    if (!m_group)
        return;
    // Unchecking an exclusive group needs the group released for a moment.
    const bool exclusive = m_group->exclusive();
    m_group->setExclusive(false);
    for (QAbstractButton *button : m_group->buttons()) {
        button->setChecked(false);
        setCaptionColour(button, Colour::AnswerUnmarked);
    }
    m_group->setExclusive(exclusive);
}

void QuestionPage::setStatus(const QString &text)
{
    m_status->setText(text);
}

void QuestionPage::setPoints(const QString &points)
{
    if (m_points)
        m_points->setText(points);
}

void QuestionPage::setCorrectionId(qint64 id)
{
    if (m_correctionId)
        m_correctionId->setText(QString::number(id));
}

void QuestionPage::setTrueFalse(bool correct)
{
    m_true->setChecked(correct);
    m_false->setChecked(!correct);
    setCaptionColour(m_true, correct ? Colour::AnswerMarked : Colour::AnswerUnmarked);
    setCaptionColour(m_false, correct ? Colour::AnswerUnmarked : Colour::AnswerMarked);
}

void QuestionPage::load(const QuestionRow &question)
{
    m_status->clear();
    m_stem->clear();
    setOneAndAHalfSpacing(m_stem);
    m_stem->insertPlainText(text::trimmed(question.stem));
    const QString answer = text::trimmed(question.answer);
    if (m_options[0]) {
        for (int i = 0; i < answer::kOptionCount; ++i)
            m_options[i]->setText(text::trimmed(question.options[i]));
        const bool exclusive = m_group->exclusive();
        m_group->setExclusive(false);
        for (int i = 0; i < answer::kOptionCount; ++i) {
            const QChar digit = answer::optionDigit(i + 1);
            const bool right = m_type == QuestionType::SingleChoice ? answer == QString(digit)
                                                                    : answer.contains(digit);
            m_choices[i]->setChecked(right);
            setCaptionColour(m_choices[i], right ? Colour::AnswerMarked
                                           : m_type == QuestionType::SingleChoice
                                               ? Colour::AnswerUnmarked
                                               : Colour::Text);
        }
        m_group->setExclusive(exclusive);
    } else if (m_fillIn) {
        m_fillIn->setText(answer);
    } else if (m_true) {
        if (answer == answer::kTrue)
            setTrueFalse(true);
        else if (answer == answer::kFalse)
            setTrueFalse(false);
        else
            clearChoices(); // a stored answer of neither kind ticks neither
    } else if (m_essay) {
        m_essay->clear();
        setOneAndAHalfSpacing(m_essay);
        m_essay->insertPlainText(answer);
    }
}

void QuestionPage::autoFill()
{
    const QString pasted = m_stem->toPlainText();
    QString stem;
    if (m_options[0]) {
        const autofill::ChoiceSplit split = autofill::splitChoice(pasted);
        for (int i = 0; i < answer::kOptionCount; ++i)
            m_options[i]->setText(split.options[i]);
        stem = split.stem;
        m_fillNotice->setText(autofill::kFilledNotice);
    } else if (m_true) {
        const autofill::TrueFalseSplit split = autofill::splitTrueFalse(pasted);
        if (split.verdict != autofill::Verdict::None) {
            const bool correct = split.verdict == autofill::Verdict::Correct;
            setTrueFalse(correct);
            m_fillNotice->setText(correct ? autofill::kCorrectFound : autofill::kWrongFound);
        }
        stem = split.stem;
        m_reviewNotice->setText(autofill::kReviewNotice);
    } else {
        const autofill::AnswerSplit split = autofill::splitAnswer(pasted);
        if (m_fillIn) {
            m_fillIn->setText(split.answer);
        } else {
            m_essay->clear();
            m_essay->insertPlainText(split.answer);
        }
        stem = split.stem;
        m_fillNotice->setText(autofill::kFilledNotice);
    }
    m_stem->clear();
    m_stem->insertPlainText(stem);
}
