#pragma once

#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Counts a chapter and its bank, cuts the chapter's questions still to
// practise into numbered sets and writes the texts of the chapter page.
class ChapterLoader
{
public:
    struct Result
    {
        // False when the chapter (or the chosen type of it) has no question,
        // or none still to practise; notice then holds the text to show and
        // openPicker says whether the chapter picker opens after it. The
        // caller keeps its previous set list, division and level.
        bool ok = false;
        QString notice;
        bool openPicker = false;

        qint64 chapterId = 0;
        qint64 bankId = 0;
        QString bankName;
        // The counts of the bank and the chapter; all but the bank's total
        // count the chosen type only when typeFilter > 0.
        int bankTotal = 0;
        int bankToPractise = 0;
        int chapterTotal = 0;
        int chapterToPractise = 0;
        // Bottom-bar figure: the bank's known questions "/" its questions;
        // set on failure as well.
        QString knownFigure;

        // The division (ok only).
        int setSize = 0;
        int fullSets = 0;  // sets of setSize questions
        int remainder = 0; // questions of the shorter last set, 0 for none
        int setCount = 0;

        // Chapter page texts (ok only).
        QString bankChapterLine;
        QString setInfoLine;
        QStringList setItems;    // in set order: row i is set index i
        QString levelLine;       // learning level, or the chosen type when typeFilter > 0
        QString hintLine;        // empty when typeFilter > 0
        QString restoreLinkText; // empty when typeFilter > 0
        int levelPercent = 0;    // the learning level in percent, typeFilter 0 only
    };

    explicit ChapterLoader(QSqlDatabase db)
        : m_bankTable(db), m_chapterTable(db), m_questionTable(db)
    {
    }

    // typeFilter 0 for all types, 1 … 5 for one type; setSizeField is the
    // set-size field of the settings page at this moment.
    Result load(const QString &chapter, int typeFilter, int setSizeField) const;

    // The learning-level line for `known` known questions of the bank's `total`.
    static QString levelLine(int known, int total, int *percent = nullptr);
    // The notice for a chapter without questions to practise.
    static QString failureNotice(const QString &chapter, int typeFilter);
    // The set list item of set number (1-based) holding count questions. Set
    // numbers are padded with zeros to the width of the largest set number,
    // at least two digits, so the items also sort by text in set order.
    static QString setItem(int number, int count, bool lastPartial, int setCount);
    // The set number (1-based) an item names, or 0.
    static int setNumberOfItem(const QString &item);

private:
    BankTable m_bankTable;
    ChapterTable m_chapterTable;
    QuestionTable m_questionTable;
};
