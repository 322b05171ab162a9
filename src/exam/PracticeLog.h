#pragma once

#include "base/StyledText.h"
#include "question/RunMode.h"
#include "store/PracticeLogTable.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// The practice log (table `log`): one record per graded run with the time of
// grading, what was practised and the percentage. Every call reads or writes
// the database; nothing is cached.
class PracticeLog
{
public:
    static constexpr int kKept = 100;  // records kept by trim()
    static constexpr int kListed = 20; // records shown by listRecent()

    explicit PracticeLog(const QSqlDatabase &db);

    // What a record says was practised; empty for an unknown mode.
    static QString info(RunMode mode, const QString &chapterLabel, int setIndex);
    // How a stored date is shown: "2026-12-09 14:03:27" (the stored text itself
    // when it is not a date).
    static QString dateText(const QString &stored);

    // Ends the info of a record graded without a percentage (a run without
    // objective questions). Its fen is 0, which the listing then shows as "--"
    // and not as a score of 0.
    static const QString kNoScoreMark;

    // Appends a record graded at `now` (stored as ISO text with seconds); no
    // percentage stores fen 0 and marks the info with kNoScoreMark.
    void append(RunMode mode, const QString &chapterLabel, int setIndex,
                std::optional<int> percentage, const QDateTime &now = QDateTime::currentDateTime());
    // Keeps the kKept records with the highest id, deletes the rest.
    void trim();
    void deleteAll();
    int count() const;

    // The newest kListed records, oldest first, numbered from 1: an empty line,
    // then "[n]." + info + "[" + date + "]" in black and "  得分:" + fen in red bold
    // ("  得分:--" for a record without a percentage).
    StyledText listRecent() const;

private:
    PracticeLogTable m_table;
};
