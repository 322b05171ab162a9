#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// A chapter as stored in fenlei. Chapter names are unique over all banks.
struct ChapterRow
{
    qint64 id = 0;
    QString name;
    qint64 bankId = 0;
    int examMinutes = 0; // examination time of the chapter
    QString created;     // ISO date text as stored
    QString creator;
};

// The chapters of every bank (table fenlei).
class ChapterTable
{
public:
    explicit ChapterTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // The chapters of the bank, in storage order.
    QList<ChapterRow> ofBank(qint64 bankId) const;
    // The chapter with the name, if there is one.
    std::optional<ChapterRow> findByName(const QString &name) const;
    // The chapter with the id, in whichever bank it is.
    std::optional<ChapterRow> find(qint64 id) const;

    // Adds the chapter (bank, name, examination time, creation date, creator)
    // and returns its new id. Throws StoreError when it fails.
    qint64 insert(const ChapterRow &row);
    // Deletes the chapter and its mock-examination draw quotas in one
    // transaction; false when there was no such chapter (nothing deleted).
    // Throws StoreError when it fails (nothing deleted).
    bool removeWithQuotas(qint64 id);

private:
    QSqlDatabase m_db;
};
