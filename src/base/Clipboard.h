#pragma once

#include <QString>

// The clipboard, as plain text. Returns false when it cannot be written.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual bool setText(const QString &text) = 0;
};
