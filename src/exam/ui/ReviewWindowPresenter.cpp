#include "ReviewWindowPresenter.h"

#include "ReviewWindow.h"

void ReviewWindowPresenter::present(const ReviewBuilder::Review &review, int setIndex)
{
    m_window.showReview(review, setIndex);
}
