#pragma once

#include <QWidget>

class OutputView;
class QWidget;

// The window "试题输入帮助": borderless, maximised at the top-left corner,
// the help text centred in a 672-pixel column with the button "关闭窗口" to
// its right. Its text is written anew at every opening.
class InputHelpWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTextWidth = 672;
    static constexpr int kTopHeight = 41;

    explicit InputHelpWindow(QWidget *parent = nullptr);

    void open();
    OutputView *view() const { return m_view; }

private:
    QWidget *m_spacer = nullptr;
    OutputView *m_view = nullptr;
};
