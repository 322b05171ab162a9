#pragma once

#include <QStringList>

// Pictures of the reader, the search window, the composition page and the
// composed paper (with its PDF); args: database, output folder, RTF files.
int extrasScreens(const QStringList &args);
