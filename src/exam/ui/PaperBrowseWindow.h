#pragma once

#include "base/StyledText.h"

#include <QDialog>
#include <QLatin1StringView>

class OutputView;
class QWidget;
class ReviewActions;

// The object names by which tests and stored layouts find the controls.
struct PaperBrowseWindowNames
{
    static constexpr QLatin1StringView window{"TForm7"};
};

// "试卷浏览": the loaded run with the user's answers so far, shown modally
// while practising. Borderless at the top-left corner of the screen on a grey
// ground with white strips above and below: a white left panel with its
// caption, the text in a column as wide as the main window's answer pages,
// and a white right panel with "关闭". Created once and reused.
class PaperBrowseWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PaperBrowseWindow(ReviewActions &actions, QWidget *parent = nullptr);

    // The main window's measures the placement follows: its top panel's height
    // (left free below the window) and its answer pages' width (the text column).
    void setPlacement(int topPanelHeight, int answerPageWidth);

    // Shows the lines without opening the window (tests, pictures).
    void setPaper(const StyledText &lines);
    // Shows the lines modally; returns when the window is closed.
    void showPaper(const StyledText &lines);

    OutputView *view() const { return m_view; }
    // Places the window as showPaper() does.
    void place();

private:
    void copyPaper();

    ReviewActions &m_actions;
    OutputView *m_view = nullptr;
    QWidget *m_leftPanel = nullptr;
    QWidget *m_rightPanel = nullptr;
    int m_topPanelHeight = 0;
    int m_answerPageWidth = 0;
};
