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
    bool setFormatted(const QString &plain, const QString &h) override
    {
        if (!setText(plain))
            return false;
        html = h;
        return true;
    }
    QString text;
    QString html;
    bool writable = true;
};
