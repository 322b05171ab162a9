#include "exam/ui/ReviewWindowPresenter.h"

#include "exam/ui/ReviewWindow.h"

void ReviewWindowPresenter::present(const ReviewBuilder::Review &review, int setIndex)
{
    m_window.showReview(review, setIndex);
}
