#include "editor/ui/NewChapterPage.h"

#include "editor/QuestionEditor.h"
#include "widgets/Theme.h"

#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewChapterPage::NewChapterPage(QuestionEditor &editor, QWidget *parent)
    : QWidget(parent), m_editor(editor)
{
    setObjectName(QStringLiteral("newChapterPage"));
    theme::paintPaper(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(40, 40, 40, 40);
    column->setSpacing(10);
    const QFont font = theme::font(theme::FontRole::PageText);
    auto *nameCaption = new QLabel(QStringLiteral("新建一章试题名称："), this);
    nameCaption->setFont(font);
    column->addWidget(nameCaption);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("chapterName"));
    m_name->setFixedWidth(606);
    m_name->setFont(font);
    theme::setTextColour(m_name, theme::Colour::EditorTyped);
    column->addWidget(m_name);
    auto *timeCaption = new QLabel(QStringLiteral("考试时间："), this);
    timeCaption->setFont(font);
    column->addWidget(timeCaption);
    auto *timeRow = new QHBoxLayout;
    m_minutes = new QLineEdit(QuestionEditor::kDefaultMinutes, this);
    m_minutes->setObjectName(QStringLiteral("examTime"));
    m_minutes->setFixedWidth(145);
    m_minutes->setFont(font);
    theme::setTextColour(m_minutes, theme::Colour::EditorTyped);
    m_minutes->installEventFilter(this);
    timeRow->addWidget(m_minutes);
    auto *minutes = new QLabel(QStringLiteral("分钟"), this);
    minutes->setFont(font);
    timeRow->addWidget(minutes);
    timeRow->addStretch();
    column->addLayout(timeRow);
    auto *createButton = new QPushButton(QStringLiteral("确定"), this);
    createButton->setObjectName(QStringLiteral("createChapter"));
    createButton->setFixedSize(90, 28);
    connect(createButton, &QPushButton::clicked, this, &NewChapterPage::create);
    column->addWidget(createButton);
    column->addStretch();
}

void NewChapterPage::create()
{
    const QuestionEditor::Outcome outcome =
        m_editor.createChapter(m_name->text(), m_minutes->text(), QDate::currentDate());
    if (outcome == QuestionEditor::Outcome::ResetTime)
        m_minutes->setText(QuestionEditor::kDefaultMinutes);
}

bool NewChapterPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_minutes && event->type() == QEvent::KeyPress) {
        // The time field takes typed digits only; Delete and pasting still work.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete || key->text().isEmpty() ||
            key->matches(QKeySequence::Paste))
            return key->key() == Qt::Key_Backspace;
        const QChar typed = key->text().at(0);
        return !(typed >= u'0' && typed <= u'9');
    }
    return QWidget::eventFilter(watched, event);
}
