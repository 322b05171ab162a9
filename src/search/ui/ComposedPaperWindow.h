#pragma once

#include <QLatin1StringView>
#include <QWidget>

class OutputCommands;
class OutputView;
class PaperComposer;

// The object names by which tests and stored layouts find the controls.
struct ComposedPaperWindowNames
{
    static constexpr QLatin1StringView window{"TForm18"};
    static constexpr QLatin1StringView panel{"Panel1"};
    static constexpr QLatin1StringView showButton{"Button1"};
    static constexpr QLatin1StringView closeButton{"Button2"};
    static constexpr QLatin1StringView paperView{"RichEdit1"};
};

// "组卷结果": "显示组卷" draws a new paper into the view, "关闭"
// closes; the view's menu copies, prints and exports the paper.
class ComposedPaperWindow : public QWidget
{
    Q_OBJECT

public:
    ComposedPaperWindow(PaperComposer &composer, OutputCommands &commands,
                        QWidget *parent = nullptr);

    // Empties the view and shows the window modally.
    void open();
    // "显示组卷".
    void compose();

    OutputView *view() const { return m_view; }

private:
    PaperComposer &m_composer;
    OutputCommands &m_commands;
    OutputView *m_view = nullptr;
};
