#pragma once

#include <QStringList>

// A picture of the trainer's view "学员成绩" over a few workers of a centre;
// args: an empty database on a server, output folder.
int resultsScreens(const QStringList &args);
