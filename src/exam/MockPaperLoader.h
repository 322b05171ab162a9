#pragma once

#include "base/StyledText.h"
#include "exam/MockPaperBuilder.h"
#include "exam/PaperScope.h"
#include "practice/RunSource.h"

#include <QSqlDatabase>
#include <QString>

// Reads a stored mock-examination draw (one quota row, or every row of a
// bank) into a paper and into the run content of the examination. The drawn
// questions are read in one statement; the paper and the run keep paper
// order: every single-choice question first (chapters in list order, each
// chapter's ids in drawing order), then multiple choice, fill-in, true/false
// and essay. Ids of questions deleted since the draw are counted on the paper
// but fill no slot and get no block. Rows of chapters that no longer exist
// are left out.
class MockPaperLoader
{
public:
    enum class Outcome
    {
        Ready,
        NoSuchRow,   // the quota row was deleted meanwhile
        NoSuchBank,  // the bank is not in the file
        ChapterGone, // the quota row's chapter was deleted
    };

    struct Paper
    {
        Outcome outcome = Outcome::Ready;
        QString title;
        StyledText lines;
        // The examination: mode MockExamination, no instant answers.
        RunContent content;
        MockPaperBuilder::TypeCounts drawnCounts{}; // ids per type, deleted ones included

        int drawnCount() const;
    };

    explicit MockPaperLoader(QSqlDatabase db) : m_db(std::move(db)) {}

    // Throws StoreError when the file cannot be read.
    Paper load(const PaperScope &scope) const;

private:
    QSqlDatabase m_db;
};
