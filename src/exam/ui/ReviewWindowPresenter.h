#pragma once

#include "exam/ReviewPresenter.h"

class ReviewWindow;

// Presents a graded run in the review window "试卷评阅", modally.
class ReviewWindowPresenter : public ReviewPresenter
{
public:
    explicit ReviewWindowPresenter(ReviewWindow &window) : m_window(window) {}

    void present(const ReviewBuilder::Review &review, int setIndex) override;

private:
    ReviewWindow &m_window;
};
