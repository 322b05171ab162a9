#include "EssayPage.h"

#include "app/ui/CjkFonts.h"
#include "practice/PracticeRun.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

EssayPage::EssayPage(PracticeRun &run, QWidget *parent)
    : QuestionPageBase(run, Essay, RunDisplay::Page::Essay, parent)
{
    setObjectName(QStringLiteral("TabSheetEssay"));
    auto *column = new QVBoxLayout(controlsArea());
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    auto *heading = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("答："), controlsArea());
    caption->setFont(cjk::song(16, true));
    heading->addWidget(caption);
    m_hint = new QLabel(controlsArea());
    m_hint->setObjectName(QStringLiteral("LabelEssaySaved"));
    m_hint->setFont(cjk::song(13, true));
    m_hint->setStyleSheet(QStringLiteral("color:#008000;"));
    QSizePolicy keep = m_hint->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_hint->setSizePolicy(keep);
    m_hint->hide();
    heading->addWidget(m_hint);
    heading->addStretch(1);
    column->addLayout(heading);

    m_answer = new QPlainTextEdit(controlsArea());
    m_answer->setObjectName(QStringLiteral("RichEditEssay"));
    m_answer->setFont(cjk::song(15));
    m_answer->setStyleSheet(QStringLiteral(
        "QPlainTextEdit{color:#000000;background:#fffef4;border:1px solid #c9d3df;}"));
    m_answer->installEventFilter(this);
    connect(m_answer, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_rendering && !m_keyDown)
            editedWithoutKey();
    });
    column->addWidget(m_answer, 1);
    setControlsHeight(170);
}

void EssayPage::render(const RunDisplay &display)
{
    QuestionPageBase::render(display);
    if (display.essayText != m_shownText) {
        m_shownText = display.essayText;
        if (m_answer->toPlainText() != m_shownText) {
            m_rendering = true;
            m_answer->setPlainText(m_shownText);
            m_rendering = false;
        }
    }
    m_hint->setText(display.saveHint);
    m_hint->setVisible(display.saveHintVisible);
}

void EssayPage::editedWithoutKey()
{
    m_run.essayKeyPress();
    m_run.essayKeyRelease(m_answer->toPlainText());
}

bool EssayPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_answer) {
        switch (event->type()) {
        case QEvent::KeyPress:
            m_keyDown = true;
            m_run.essayKeyPress();
            break;
        case QEvent::KeyRelease:
            if (!static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
                m_keyDown = false;
                m_run.essayKeyRelease(m_answer->toPlainText());
            }
            break;
        case QEvent::FocusOut:
            if (m_keyDown) {
                m_keyDown = false;
                if (m_answer->toPlainText() != m_shownText)
                    m_run.essayKeyRelease(m_answer->toPlainText());
            }
            break;
        default:
            break;
        }
    }
    return QuestionPageBase::eventFilter(watched, event);
}
