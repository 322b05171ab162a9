#pragma once

#include "exam/ReviewBuilder.h"

#include <QDialog>
#include <QLatin1StringView>

class OutputView;
class QLabel;
class QWidget;
class ReviewActions;

// The object names by which tests and stored layouts find the controls.
struct ReviewWindowNames
{
    static constexpr QLatin1StringView window{"TForm2"};
};

// "试卷评阅": the review of a graded run. Borderless and white, at the top-left
// corner of the screen: a left panel, the review text in a column as wide as
// the main window's answer pages, and a right panel with the objective result
// and the percentage. Created once and reused.
class ReviewWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ReviewWindow(ReviewActions &actions, QWidget *parent = nullptr);

    // The main window's measures the placement follows: its top panel's height
    // (left free below the window) and its answer pages' width (the text column).
    void setPlacement(int topPanelHeight, int answerPageWidth);

    // Shows the review modally; returns when the window is closed.
    void showReview(const ReviewBuilder::Review &review, int setIndex);

    OutputView *view() const { return m_view; }

private:
    void place();
    void copyReview();
    void saveReview();

    ReviewActions &m_actions;
    OutputView *m_view = nullptr;
    QWidget *m_leftPanel = nullptr;
    QWidget *m_rightPanel = nullptr;
    QLabel *m_countFigure = nullptr;
    QLabel *m_percentFigure = nullptr;
    QLabel *m_percentUnit = nullptr;
    int m_topPanelHeight = 0;
    int m_answerPageWidth = 0;
    int m_setIndex = 0;
};
