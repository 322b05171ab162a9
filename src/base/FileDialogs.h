#pragma once

#include <QString>

// The standard file dialogs. The program shows the system's dialogs; tests
// answer from a script. An empty result means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // A file to read; filter as "RTF 文档 (*.rtf)".
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    // A file to write, proposing `suggested`.
    virtual QString saveFileName(const QString &caption, const QString &suggested,
                                 const QString &filter) = 0;
};
