#include "exam/ui/AnswerKeyFilter.h"

#include "practice/ui/EssayPage.h"
#include "practice/ui/FillInPage.h"
#include "practice/ui/KeyMapWindow.h"
#include "practice/ui/MultipleChoicePage.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"
#include "widgets/MainFrame.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>

namespace {

// A control of the window that takes typed text of its own.
bool takesText(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget))
        return true;
    if (const auto *edit = qobject_cast<const QTextEdit *>(widget))
        return !edit->isReadOnly();
    if (const auto *edit = qobject_cast<const QPlainTextEdit *>(widget))
        return !edit->isReadOnly();
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable();
    return false;
}

} // namespace

AnswerKeyFilter::AnswerKeyFilter(MainFrame &frame, std::function<QuestionPageBase *()> shownPage,
                                 Paths paths, QObject *parent)
    : QObject(parent), m_frame(frame), m_shownPage(std::move(shownPage)), m_paths(std::move(paths))
{
    m_keyMap = new KeyMapWindow(&m_frame);
    m_keyMap->hide();
    qApp->installEventFilter(this);
}

AnswerKeyFilter::~AnswerKeyFilter()
{
    qApp->removeEventFilter(this);
}

bool AnswerKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // Only the main window's own keys, never those of a dialog or menu over it.
    if (static_cast<QWidget *>(watched)->window() != &m_frame ||
        QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    QuestionPageBase *page = m_shownPage();
    if (!page)
        return false;
    return handle(page, *static_cast<QKeyEvent *>(event));
}

bool AnswerKeyFilter::handle(QuestionPageBase *page, const QKeyEvent &key)
{
    const QWidget *focus = QApplication::focusWidget();
    const AnswerKeys::Focus where = focusOn(page, focus);
    // Another field of the window that takes text keeps all its keys.
    if (where == AnswerKeys::Focus::Page && focus && takesText(focus))
        return false;
    const AnswerKeys::Command command = AnswerKeys::command(
        key.key(), key.modifiers(), question::fromCode(page->typeCode()), where);
    using Action = AnswerKeys::Action;
    if (command.action == Action::None)
        return false;
    if (key.isAutoRepeat() && !AnswerKeys::repeats(command.action))
        return true;
    switch (command.action) {
    case Action::Prior:
        m_paths.prior();
        break;
    case Action::Next:
        if (m_paths.nextEnabled())
            m_paths.next();
        break;
    case Action::HandIn:
        if (m_paths.handInEnabled())
            m_paths.handIn();
        break;
    case Action::KeyMap:
        m_keyMap->show();
        m_keyMap->raise();
        m_keyMap->activateWindow();
        break;
    default:
        answer(page, command);
        break;
    }
    return true;
}

void AnswerKeyFilter::pageShown()
{
    QuestionPageBase *page = m_shownPage();
    if (!page || !m_frame.isActiveWindow())
        return;
    const QWidget *focus = QApplication::focusWidget();
    if (focus && (focus->window() != &m_frame || takesText(focus)))
        return;
    if (auto *fillIn = qobject_cast<FillInPage *>(page))
        fillIn->answerField()->setFocus(Qt::OtherFocusReason);
    else if (auto *essay = qobject_cast<EssayPage *>(page))
        essay->answerView()->setFocus(Qt::OtherFocusReason);
}

AnswerKeys::Focus AnswerKeyFilter::focusOn(QuestionPageBase *page, const QWidget *focus) const
{
    if (auto *fillIn = qobject_cast<FillInPage *>(page); fillIn && focus == fillIn->answerField())
        return AnswerKeys::Focus::FillInField;
    if (auto *essay = qobject_cast<EssayPage *>(page); essay && focus == essay->answerView())
        return AnswerKeys::Focus::EssayField;
    return AnswerKeys::Focus::Page;
}

// The click a user would make: the run hears of it through the control's own signal.
void AnswerKeyFilter::answer(QuestionPageBase *page, const AnswerKeys::Command &command)
{
    using Action = AnswerKeys::Action;
    const int index = command.option - 1;
    if (auto *single = qobject_cast<SingleChoicePage *>(page)) {
        if (command.action == Action::Option && index >= 0 &&
            index < single->choiceButtons().size())
            single->choiceButtons().at(index)->click();
    } else if (auto *multiple = qobject_cast<MultipleChoicePage *>(page)) {
        if (command.action == Action::Option && index >= 0 && index < multiple->checkBoxes().size())
            multiple->checkBoxes().at(index)->click();
    } else if (auto *trueFalse = qobject_cast<TrueFalsePage *>(page)) {
        if (command.action == Action::True)
            trueFalse->trueButton()->click();
        else if (command.action == Action::False)
            trueFalse->falseButton()->click();
    }
}
