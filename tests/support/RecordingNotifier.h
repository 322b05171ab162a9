#pragma once

#include "base/Notifier.h"

#include <QList>
#include <QStringList>

// Keeps every notice and question it was shown and answers questions from a
// script (Yes / OK when the script is empty).
class RecordingNotifier : public Notifier
{
public:
    struct Question
    {
        QString caption;
        QString text;
    };

    void inform(const QString &text) override { notices << text; }
    bool askYesNo(const QString &caption, const QString &text, Icon) override
    {
        questions << Question{caption, text};
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    bool askOkCancel(const QString &caption, const QString &text) override
    {
        questions << Question{caption, text};
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    QStringList notices;
    QList<Question> questions;
    QList<bool> answers;
};
