#pragma once

#include <QStringList>

// Pictures of the mock examination; args: database, output folder.
int mockScreens(const QStringList &args);
