#pragma once

#include <QStringList>

// Pictures of the key map of the answer pages, the list of backups and the
// question asked when a backup fails; args: database, output folder.
int backupScreens(const QStringList &args);
