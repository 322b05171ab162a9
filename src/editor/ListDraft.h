#pragma once

#include "editor/DraftRules.h"

#include <QList>
#include <QString>

// One question found in a question list (a text, a document or a sheet), as
// the entry page would hold it had the user typed it in: the type, the stem,
// the options, the answer in its stored form and the score as written.
struct ListDraft
{
    int line = 0; // the line (text, document) or row (sheet) where it begins
    QuestionDraft draft;
    QString note; // the analysis, "解析"
};

// What reading a list gives: the drafts in file order, or why none could be read.
struct ListReading
{
    QList<ListDraft> drafts;
    QString error; // empty: read

    bool ok() const { return error.isEmpty(); }
    static ListReading failed(const QString &message)
    {
        ListReading reading;
        reading.error = message;
        return reading;
    }
};
