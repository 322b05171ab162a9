#pragma once

#include <QLatin1StringView>
#include <array>

// The object names by which tests and stored layouts find the controls.
struct QuotaPageNames
{
    static constexpr QLatin1StringView page{"TabSheet14"};
    static constexpr QLatin1StringView bankList{"ComboBox1"};
    static constexpr QLatin1StringView chapterList{"ListBox3"};
    static constexpr QLatin1StringView chapterBox{"GroupBoxQuota"};
    static constexpr QLatin1StringView chapterName{"Label148"};
    static constexpr QLatin1StringView singleCount{"Edit19"};
    static constexpr QLatin1StringView multipleCount{"Edit20"};
    static constexpr QLatin1StringView fillInCount{"Edit21"};
    static constexpr QLatin1StringView trueFalseCount{"Edit22"};
    static constexpr QLatin1StringView essayCount{"Edit23"};
    static constexpr QLatin1StringView singleQuota{"ComboBox2"};
    static constexpr QLatin1StringView multipleQuota{"ComboBox3"};
    static constexpr QLatin1StringView fillInQuota{"ComboBox4"};
    static constexpr QLatin1StringView trueFalseQuota{"ComboBox5"};
    static constexpr QLatin1StringView essayQuota{"ComboBox6"};
    static constexpr QLatin1StringView quotaSum{"Edit24"};
    static constexpr QLatin1StringView chapterScore{"Edit25"};
    static constexpr QLatin1StringView chapterCount{"Label147"};
    static constexpr QLatin1StringView examBox{"GroupBoxExam"};
    static constexpr QLatin1StringView minutes{"Edit17"};
    static constexpr QLatin1StringView questionLimit{"Edit18"};
    static constexpr QLatin1StringView saveButton{"Button6"};
    static constexpr QLatin1StringView table{"StringGrid1"};
    static constexpr QLatin1StringView tableMenu{"PopupMenu1"};
    static constexpr QLatin1StringView singleTotal{"Label155"};
    static constexpr QLatin1StringView multipleTotal{"Label156"};
    static constexpr QLatin1StringView fillInTotal{"Label157"};
    static constexpr QLatin1StringView trueFalseTotal{"Label158"};
    static constexpr QLatin1StringView essayTotal{"Label159"};
    static constexpr QLatin1StringView quotaTotal{"Label160"};
    static constexpr QLatin1StringView viewAll{"Label162"};

    // By question type, in the order of the type codes.
    static constexpr std::array<QLatin1StringView, 5> typeCounts{
        singleCount, multipleCount, fillInCount, trueFalseCount, essayCount};
    static constexpr std::array<QLatin1StringView, 5> typeQuotas{
        singleQuota, multipleQuota, fillInQuota, trueFalseQuota, essayQuota};
    // The five type totals, then the sum of all quotas.
    static constexpr std::array<QLatin1StringView, 6> totals{
        singleTotal, multipleTotal, fillInTotal, trueFalseTotal, essayTotal, quotaTotal};
};
