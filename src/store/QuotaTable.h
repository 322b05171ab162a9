#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

// One chapter's quota of the mock examination: how many questions of each
// type the draw takes and the ids it drew last.
struct QuotaRow
{
    static constexpr int kTypes = 5; // single, multiple, fill-in, true/false, essay

    qint64 id = 0;
    qint64 bankId = 0;
    qint64 chapterId = 0;
    int position = 0;                  // the chapter's place in the bank's list, from 1
    std::array<int, kTypes> quota{};   // index type code − 1
    int total = 0;                     // as stored (the sum of the quotas when written here)
    std::array<QString, kTypes> drawn; // "#id#id…" in drawing order

    int quotaSum() const;
};

namespace quota {

// The ids of a drawn-id list in order; pieces that are not a positive whole
// number are left out.
QVector<qint64> idsOf(const QString &drawnList);
// The drawn-id list of ids in order ("#12#40#7"; empty for none).
QString listOf(const QVector<qint64> &ids);

} // namespace quota

// The mock-examination draw quotas per chapter and type (table rand_num).
// Every statement throws StoreError when it fails.
class QuotaTable
{
public:
    explicit QuotaTable(QSqlDatabase db) : m_db(std::move(db)) {}

    // The bank's rows by position, then id.
    QVector<QuotaRow> ofBank(qint64 bankId) const;
    std::optional<QuotaRow> row(qint64 id) const;
    // The sum of the five quotas over the bank's rows (0 without rows).
    int bankTotal(qint64 bankId) const;

    // The bank's row of the chapter (the lowest id when there are several).
    std::optional<QuotaRow> ofChapter(qint64 bankId, qint64 chapterId) const;

    // Writes the chapter's row whole (found by bank and chapter, made when
    // missing): position, quotas, total and the five drawn-id lists, in one
    // transaction. Returns the row's id. Nothing is changed when it throws.
    qint64 saveChapter(const QuotaRow &row);
    // Stores one type's drawn-id list (type code 1 … 5) in the row; false when
    // there is no such row. Callers that store several lists hold a Transaction.
    bool storeDrawn(qint64 rowId, int type, const QString &drawnList);
    // Stores the row's total (total_num); false when there is no such row.
    bool storeTotal(qint64 rowId, int total);
    // Deletes the row; false when there was none.
    bool remove(qint64 id);

    // Deletes the quota rows of the chapter; returns how many.
    int removeOfChapter(qint64 chapterId);
    // Quota rows of the chapter.
    int countOfChapter(qint64 chapterId) const;

private:
    QSqlDatabase m_db;
};
