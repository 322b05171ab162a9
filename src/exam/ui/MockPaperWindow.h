#pragma once

#include "base/StyledText.h"

#include <QLatin1StringView>
#include <QWidget>

class OutputView;
class QAction;
class QLabel;
class ReviewActions;

// The object names by which tests and stored layouts find the controls.
struct MockPaperWindowNames
{
    static constexpr QLatin1StringView window{"TForm8"};
    static constexpr QLatin1StringView caption{"Label1"};
    static constexpr QLatin1StringView paperView{"RichEdit1"};
    static constexpr QLatin1StringView copyAction{"N1"};
    static constexpr QLatin1StringView closeButton{"Button1"};
};

// "模拟考试一章试题查看": a stored mock-examination draw as a paper with its
// answers. Borderless and maximised at the top-left corner of the screen: a
// left panel with the caption, the paper in the output view, and a right panel
// with "关闭". It does not block the main window, so the paper can stay open
// beside a running examination. Created once and reused.
class MockPaperWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MockPaperWindow(ReviewActions &actions, QWidget *parent = nullptr);

    // The width of the main window's answer pages: the left panel takes half
    // of what the screen has beside them.
    void setAnswerPageWidth(int width);
    // The left panel's width on a screen of that width.
    static int leftPanelWidth(int screenWidth, int answerPageWidth);

    // Shows the paper (replacing what was shown) and brings the window up.
    void showPaper(const StyledText &lines);

    OutputView *view() const { return m_view; }
    QAction *copyAction() const { return m_copy; }

private:
    void place();

    ReviewActions &m_actions;
    OutputView *m_view = nullptr;
    QWidget *m_leftPanel = nullptr;
    QWidget *m_rightPanel = nullptr;
    QAction *m_copy = nullptr;
    int m_answerPageWidth = 0;
};
