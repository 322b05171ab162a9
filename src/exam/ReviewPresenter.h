#pragma once

#include "exam/ReviewBuilder.h"

// Shows a graded run's review and returns when the user has closed it. The
// program shows the review window modally; tests record what was presented.
class ReviewPresenter
{
public:
    virtual ~ReviewPresenter() = default;
    virtual void present(const ReviewBuilder::Review &review, int setIndex) = 0;
};
