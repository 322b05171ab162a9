#pragma once

#include "base/Clipboard.h"

class RecordingClipboard : public Clipboard
{
public:
    bool setText(const QString &t) override
    {
        if (!writable)
            return false;
        text = t;
        return true;
    }
    QString text;
    bool writable = true;
};
