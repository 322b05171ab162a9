#pragma once

#include "base/StyledText.h"

#include <QString>

class Clipboard;
class Notifier;

// The commands of the review text's context menu: copy the review to the
// clipboard and append it to the set's text file in the current directory.
class ReviewActions
{
public:
    ReviewActions(Clipboard &clipboard, Notifier &notifier);

    // "NO" + set index (two digits below 10) + ".txt".
    static QString fileName(int setIndex);

    // "复制到...": the plain text (lines joined by "\n") to the clipboard, then
    // the notice. When the clipboard refuses, a failure notice instead.
    bool copy(const StyledText &review);
    // "试题另存为...": appends the plain text (lines joined by CR LF) and CR LF to
    // fileName(setIndex), then the notice naming the file. When the file cannot
    // be written, a failure notice instead.
    bool save(const StyledText &review, int setIndex);

private:
    Clipboard &m_clipboard;
    Notifier &m_notifier;
};
