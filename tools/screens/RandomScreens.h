#pragma once

#include <QStringList>

// Pictures of a random run, its paper view "试卷浏览", the score page and the
// redo of the questions not yet right; args: database, output folder, [chapter].
int randomScreens(const QStringList &args);
