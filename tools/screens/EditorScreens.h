#pragma once

#include <QStringList>

// The question editor and its help window, pictured (EditorScreens.cpp).
int editorScreens(const QStringList &args);
