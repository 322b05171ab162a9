#pragma once

#include "base/Colours.h"
#include "widgets/Theme.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

// The editor's panels share their look: white panels and coloured captions.
namespace editorlook {

inline void setTextColour(QWidget *widget, unsigned rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(rgb));
    palette.setColor(QPalette::Text, QColor::fromRgb(rgb));
    widget->setPalette(palette);
}

inline void paintWhite(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, theme::colour(theme::Colour::Paper));
    widget->setPalette(palette);
}

} // namespace editorlook
