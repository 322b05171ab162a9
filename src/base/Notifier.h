#pragma once

#include <QString>

// Every notice and question the system puts to the user goes through here.
// The program answers with message boxes; tests with a recorder.
class Notifier
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Question
    };

    virtual ~Notifier() = default;

    // The notice box: caption "提示", information icon, one OK button.
    virtual void inform(const QString &text) = 0;
    // A Yes/No question with the given caption; true for Yes.
    virtual bool askYesNo(const QString &caption, const QString &text,
                          Icon icon = Icon::Question) = 0;
    // An OK/Cancel question with the given caption; true for OK.
    virtual bool askOkCancel(const QString &caption, const QString &text) = 0;
};
