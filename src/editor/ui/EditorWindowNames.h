#pragma once

#include <QLatin1StringView>

// The object names by which tests and stored layouts find the controls.
struct EditorWindowNames
{
    static constexpr QLatin1StringView window{"TForm21"};
    static constexpr QLatin1StringView pages{"PageControl1"};
    static constexpr QLatin1StringView statusBar{"StatusBar1"};
    static constexpr QLatin1StringView bankSelector{"ComboBox1"};
    static constexpr QLatin1StringView bankNumber{"Label115"};
    static constexpr QLatin1StringView chapterSelector{"ComboBox2"};
    static constexpr QLatin1StringView chapterNumber{"Label116"};
    static constexpr QLatin1StringView questionList{"StringGrid1"};
};
