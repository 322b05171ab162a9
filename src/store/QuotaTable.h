#pragma once

#include <QSqlDatabase>

// The mock-examination draw quotas per chapter and type (table rand_num).
class QuotaTable
{
public:
    explicit QuotaTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // Deletes the quota rows of the chapter; returns how many. Throws StoreError
    // when it fails.
    int removeOfChapter(qint64 chapterId);
    // Quota rows of the chapter.
    int countOfChapter(qint64 chapterId) const;

private:
    QSqlDatabase m_db;
};
