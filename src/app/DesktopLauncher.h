#pragma once

#include <QString>

// The desktop shortcut: a freedesktop launcher "考试训练题库.desktop" that
// starts the program in its own folder. It is placed only when the desktop
// folder exists and holds no such file yet; an existing file is never touched.
class DesktopLauncher
{
public:
    enum class Result
    {
        Created,
        AlreadyThere,
        NoDesktopFolder,
        WriteFailed
    };

    static Result place(const QString &desktopFolder, const QString &programFile);
    // The user's desktop folder and this program.
    static Result placeForThisProgram();

    static QString fileName();
    // The launcher's text for the given program file.
    static QString contents(const QString &programFile);
};
