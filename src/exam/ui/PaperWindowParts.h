#pragma once

#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QPushButton>

// The "关闭" button at the foot of the right panel of the paper windows
// (review, paper view, mock paper); the window connects what it closes.
inline QPushButton *paperCloseButton(const QString &name, QWidget *parent)
{
    auto *close = new QPushButton(QStringLiteral("关闭"), parent);
    close->setObjectName(name);
    close->setFont(theme::font(theme::FontRole::PaperText));
    close->setMinimumSize(96, 32);
    close->setCursor(Qt::PointingHandCursor);
    return close;
}
