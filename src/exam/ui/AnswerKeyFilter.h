#pragma once

#include "practice/AnswerKeys.h"

#include <QObject>
#include <functional>

class KeyMapWindow;
class MainFrame;
class QKeyEvent;
class QuestionPageBase;
class QWidget;

// Practice by keyboard: watches the keys pressed anywhere in the main window
// while an answer page is shown and does what the mouse would do there. An
// answer key clicks the page's own button or check box, so instant marking,
// the automatic move and the strip follow exactly as after a click; the
// moves and hand-in take the paths of "前一题[Prior]", "下一题[Next]" and
// "交卷评阅", and only while those are enabled. Keys in a modal window or a
// popup, and keys of other text fields of the window, are left alone.
class AnswerKeyFilter : public QObject
{
public:
    struct Paths
    {
        std::function<void()> prior;
        std::function<void()> next;
        std::function<bool()> nextEnabled;
        std::function<void()> handIn;
        std::function<bool()> handInEnabled;
    };

    // shownPage: the answer page the page area shows, or none.
    AnswerKeyFilter(MainFrame &frame, std::function<QuestionPageBase *()> shownPage, Paths paths,
                    QObject *parent = nullptr);
    ~AnswerKeyFilter() override;

    KeyMapWindow *keyMapWindow() const { return m_keyMap; }
    // Another answer page came up: on the fill-in and essay pages the answer
    // field takes the focus, so that the keys type the answer at once, unless
    // the user is typing in another field of the window.
    void pageShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handle(QuestionPageBase *page, const QKeyEvent &key);
    AnswerKeys::Focus focusOn(QuestionPageBase *page, const QWidget *focus) const;
    void answer(QuestionPageBase *page, const AnswerKeys::Command &command);

    MainFrame &m_frame;
    std::function<QuestionPageBase *()> m_shownPage;
    Paths m_paths;
    KeyMapWindow *m_keyMap = nullptr;
};
