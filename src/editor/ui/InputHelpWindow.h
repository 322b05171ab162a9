#pragma once

#include <QLatin1StringView>
#include <QWidget>

class OutputView;
class QKeyEvent;
class QWidget;

// The object names by which tests and stored layouts find the controls.
struct InputHelpWindowNames
{
    static constexpr QLatin1StringView window{"TForm6"};
};

// The window "试题输入帮助": borderless, maximised at the top-left corner,
// the help text centred in a 672-pixel column with the button "关闭窗口" to
// its right. Its text is written anew at every opening. It is not modal; it
// closes with its button and with Escape.
class InputHelpWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTextWidth = 672;
    static constexpr int kTopHeight = 41;

    explicit InputHelpWindow(QWidget *parent = nullptr);

    // Writes the text and shows the window, above the modal window open
    // (the editor) when there is one.
    void open();
    OutputView *view() const { return m_view; }

protected:
    // Escape closes the window, as "关闭窗口" does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void standAbove(QWidget *modal);

    QWidget *m_spacer = nullptr;
    OutputView *m_view = nullptr;
};
