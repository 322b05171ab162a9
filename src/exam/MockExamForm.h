#pragma once

// The examination settings of the quota page: the time of a mock examination
// and the most questions its quotas may draw in all. They live only in the
// window and start from their defaults at every start of the program. The
// quota page edits them; the mock examination reads the time when it starts.
struct MockExamForm
{
    static constexpr int kDefaultMinutes = 60;
    static constexpr int kMaxMinutes = 180;
    static constexpr int kDefaultQuestionLimit = 120;
    static constexpr int kMaxQuestionLimit = 150;

    int examMinutes = kDefaultMinutes;
    int questionLimit = kDefaultQuestionLimit;
};
