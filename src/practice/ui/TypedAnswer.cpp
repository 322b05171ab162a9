#include "practice/ui/TypedAnswer.h"

#include "widgets/Theme.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

TypedAnswer::TypedAnswer(QWidget *editor, Hooks hooks, QObject *parent)
    : QObject(parent), m_editor(editor), m_hooks(std::move(hooks))
{
    m_editor->installEventFilter(this);
}

void TypedAnswer::edited()
{
    if (m_rendering || m_keyDown)
        return;
    m_hooks.press();
    m_hooks.release(m_hooks.editorText());
}

void TypedAnswer::show(const QString &runText)
{
    if (runText == m_shownText)
        return;
    m_shownText = runText;
    if (m_hooks.editorText() != m_shownText) {
        m_rendering = true;
        m_hooks.setEditorText(m_shownText);
        m_rendering = false;
    }
}

bool TypedAnswer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_editor)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        m_keyDown = true;
        m_hooks.press();
        break;
    case QEvent::KeyRelease:
        if (!static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
            m_keyDown = false;
            m_hooks.release(m_hooks.editorText());
        }
        break;
    case QEvent::FocusOut:
        // A release that went elsewhere: what the editor holds is kept.
        if (m_keyDown) {
            m_keyDown = false;
            const QString text = m_hooks.editorText();
            if (text != m_shownText)
                m_hooks.release(text);
        }
        break;
    default:
        break;
    }
    return false;
}

QLabel *TypedAnswer::makeSaveHint(const QString &objectName, QWidget *parent)
{
    auto *hint = new QLabel(parent);
    hint->setObjectName(objectName);
    hint->setFont(theme::font(theme::FontRole::TypedHint));
    theme::setTone(hint, theme::Tone::Saved);
    QSizePolicy keep = hint->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    hint->setSizePolicy(keep);
    hint->hide();
    return hint;
}
