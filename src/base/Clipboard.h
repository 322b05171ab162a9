#pragma once

#include <QString>

// The clipboard, as plain text (and, where wanted, formatted text beside it). Returns false when it
// cannot be written.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual bool setText(const QString &text) = 0;
    // The plain text together with its formatted (HTML) form, for editors
    // that keep colours and styles; plain text only where formats are not kept.
    virtual bool setFormatted(const QString &plain, const QString &html)
    {
        Q_UNUSED(html);
        return setText(plain);
    }
};
