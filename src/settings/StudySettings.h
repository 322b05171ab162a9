#pragma once

#include <QSqlDatabase>
#include <QString>

// The settings of the wrong-question book and the statistics: after how many
// right answers in a row a question leaves the book, and the pass mark drawn
// in the charts and used by the pass forecast. Read from the data file when
// asked, so a change counts at once.
class StudySettings
{
public:
    static constexpr int kLeaveAfterMin = 1;
    static constexpr int kLeaveAfterMax = 5;
    static constexpr int kLeaveAfterDefault = 2;
    static constexpr int kPassMarkMin = 1;
    static constexpr int kPassMarkMax = 100;
    static constexpr int kPassMarkDefault = 60;

    explicit StudySettings(QSqlDatabase db) : m_db(std::move(db)) {}

    // The stored values within their ranges; the defaults when none is stored
    // or the file cannot be read.
    int leaveAfter() const;
    int passMark() const;
    // Stores both (clamped to their ranges). Throws StoreError when it fails.
    void store(int leaveAfter, int passMark) const;

    // The name the pass mark is stored under (the trainer's view reads every worker's).
    static QString passMarkName();

    static QString savedNotice();
    static QString notSavedNotice(const QString &reason);

private:
    int read(const QString &name, int fallback, int min, int max) const;

    QSqlDatabase m_db;
};
