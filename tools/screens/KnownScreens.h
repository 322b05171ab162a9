#pragma once

#include <QStringList>

// Pictures of the known-question items of the bottom bar and of the viewer
// "会做的试题查看"; args: database, output folder, [chapter].
int knownScreens(const QStringList &args);
