#pragma once

#include <QLatin1StringView>

// The object names by which tests and stored layouts find the controls.
struct MainWindowNames
{
    static constexpr QLatin1StringView window{"TForm1"};
    static constexpr QLatin1StringView chapterLink{"Label19"};
    static constexpr QLatin1StringView sloganStrip{"Panel6"};
    static constexpr QLatin1StringView slogan{"Label41"};
    static constexpr QLatin1StringView gradeButton{"SpeedButton13"};
    static constexpr QLatin1StringView progressBar{"ProgressBar1"};
    static constexpr QLatin1StringView priorButton{"Button1"};
    static constexpr QLatin1StringView nextButton{"Button2"};
    // The status bar's fields, numbered from 1 after this prefix.
    static constexpr QLatin1StringView statusFieldPrefix{"StatusPanel"};
};
