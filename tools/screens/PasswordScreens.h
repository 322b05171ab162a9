#pragma once

#include <QStringList>

// Pictures of the main window's password page and password change page;
// args: database, output folder.
int passwordScreens(const QStringList &args);
