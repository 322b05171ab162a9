#pragma once

#include <QStringList>

// Pictures of the quota page and the quota commands; args: database, output folder.
int quotaScreens(const QStringList &args);
