#pragma once

#include "base/Clipboard.h"

// The system clipboard.
class QtClipboard : public Clipboard
{
public:
    bool setText(const QString &text) override;
    bool setFormatted(const QString &plain, const QString &html) override;
};
