#pragma once

#include "base/FileDialogs.h"

#include <QStringList>

// Answers file dialogs from a script (cancel when it is empty) and keeps
// the captions it was shown.
class ScriptedFileDialogs : public FileDialogs
{
public:
    QString openFileName(const QString &caption, const QString &) override
    {
        captions << caption;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString saveFileName(const QString &caption, const QString &, const QString &) override
    {
        captions << caption;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
    QStringList captions;
};
