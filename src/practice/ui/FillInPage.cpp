#include "FillInPage.h"

#include "app/ui/CjkFonts.h"
#include "practice/PracticeRun.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

FillInPage::FillInPage(PracticeRun &run, QWidget *parent)
    : QuestionPageBase(run, FillIn, RunDisplay::Page::FillIn, parent)
{
    setObjectName(QStringLiteral("TabSheetFillIn"));
    auto *column = new QVBoxLayout(controlsArea());
    column->setContentsMargins(6, 0, 0, 0);
    column->setSpacing(4);
    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    auto *caption = new QLabel(QStringLiteral("答："), controlsArea());
    caption->setFont(cjk::song(16, true));
    row->addWidget(caption);
    m_field = new QLineEdit(controlsArea());
    m_field->setObjectName(QStringLiteral("EditFillIn"));
    m_field->setMaxLength(kMaxLength);
    m_field->setFont(cjk::song(16, true));
    m_field->setStyleSheet(QStringLiteral("QLineEdit{color:#ff0000;padding:2px 4px;}"));
    m_field->setMinimumHeight(30);
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textEdited, this, [this] {
        if (!m_keyDown)
            editedWithoutKey();
    });
    row->addWidget(m_field, 1);
    column->addLayout(row);

    auto *notes = new QHBoxLayout;
    notes->setSpacing(16);
    auto *instruction = new QLabel(
        QStringLiteral("请将填空题答案写于其中,答案自动保存。【多个答案之间用，分开】"), controlsArea());
    instruction->setObjectName(QStringLiteral("LabelFillInInstruction"));
    instruction->setFont(cjk::song(13));
    instruction->setStyleSheet(QStringLiteral("color:#1f4e79;"));
    notes->addWidget(instruction);
    m_hint = new QLabel(controlsArea());
    m_hint->setObjectName(QStringLiteral("LabelFillInSaved"));
    m_hint->setFont(cjk::song(13, true));
    m_hint->setStyleSheet(QStringLiteral("color:#008000;"));
    QSizePolicy keep = m_hint->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_hint->setSizePolicy(keep);
    m_hint->hide();
    notes->addWidget(m_hint);
    notes->addStretch(1);
    column->addLayout(notes);
    setControlsHeight(58);
}

void FillInPage::render(const RunDisplay &display)
{
    QuestionPageBase::render(display);
    if (display.fillInText != m_shownText) {
        m_shownText = display.fillInText;
        if (m_field->text() != m_shownText)
            m_field->setText(m_shownText);
    }
    m_hint->setText(display.saveHint);
    m_hint->setVisible(display.saveHintVisible);
}

void FillInPage::editedWithoutKey()
{
    m_run.fillInKeyPress();
    m_run.fillInKeyRelease(m_field->text());
}

bool FillInPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field) {
        switch (event->type()) {
        case QEvent::KeyPress:
            m_keyDown = true;
            m_run.fillInKeyPress();
            break;
        case QEvent::KeyRelease:
            if (!static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
                m_keyDown = false;
                m_run.fillInKeyRelease(m_field->text());
            }
            break;
        case QEvent::FocusOut:
            // A release that went elsewhere: what the field holds is kept.
            if (m_keyDown) {
                m_keyDown = false;
                if (m_field->text() != m_shownText)
                    m_run.fillInKeyRelease(m_field->text());
            }
            break;
        default:
            break;
        }
    }
    return QuestionPageBase::eventFilter(watched, event);
}
