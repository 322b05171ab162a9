#pragma once

#include "base/Clipboard.h"
#include "base/Notifier.h"

#include <QDir>
#include <QString>
#include <QTest>
#include <QWidget>
#include <cstdio>

// What every walk of the screens tool shares: notices and questions printed
// (every question answered yes), a clipboard that takes anything, and a
// picture saved after the window has had time to paint.
namespace screens {

class PrintingNotifier : public Notifier
{
public:
    void inform(const QString &text) override
    {
        std::fprintf(stderr, "notice: %s\n", qPrintable(text));
    }
    bool askYesNo(const QString &, const QString &text, Icon) override
    {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        return true;
    }
    bool askOkCancel(const QString &, const QString &text) override
    {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        return true;
    }
};

class NoClipboard : public Clipboard
{
public:
    bool setText(const QString &) override { return true; }
};

// Waits `settleMs` for pending painting, then saves the widget as `file` in `folder`.
inline void savePicture(QWidget *widget, const QString &folder, const QString &file,
                        int settleMs = 80)
{
    QTest::qWait(settleMs);
    const QString path = QDir(folder).filePath(file);
    widget->grab().save(path);
    std::fprintf(stderr, "saved %s\n", qPrintable(path));
}

} // namespace screens
