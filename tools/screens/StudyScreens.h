#pragma once

#include <QStringList>

// Pictures of the wrong-question book and the statistics window, over a
// history of a few hundred runs graded across half a year, and of the
// statistics of an empty history; args: database, output folder, [chapter].
int studyScreens(const QStringList &args);
