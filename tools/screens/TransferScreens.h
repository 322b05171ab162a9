#pragma once

#include <QStringList>

// Pictures of the conversion of an older Jet data file at start (the question,
// the progress) and of the bank import (the bank list, the report);
// args: the Jet file, output folder.
int transferScreens(const QStringList &args);
