#include "store/QuestionTable.h"

#include "store/Backend.h"
#include "store/QuestionCodec.h"
#include "store/Sql.h"
#include "store/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

// The rows a read makes room for before the first one arrives.
constexpr int kReservedRows = 4096;

const QString kColumns = QStringLiteral("id, 试卷分类, 题目类型, 题目, 选择项1, 选择项2, 选择项3, "
                                        "选择项4, 正确答案, 本题分数, 题目选择, images, 解析");

// How a statement reaches the rows of a scope: through the chapter index, or
// by walking the table in id order (the chapter column then only filters).
enum class Reach
{
    ByChapterIndex,
    ById
};

// The known mark as a literal to compare with: the file's column is a
// boolean, the server's is the 0/1 its question view computes for the
// signed-in worker (an integer never equals a boolean there).
QString markLiteral(const QSqlDatabase &db, bool toPractise)
{
    if (backendOf(db) == Backend::Server)
        return toPractise ? QStringLiteral("1") : QStringLiteral("0");
    return toPractise ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

// The where clause of a scope and the values it binds, in order.
QString whereOf(const QSqlDatabase &db, const QuestionScope &scope, QVariantList &values,
                Reach reach = Reach::ByChapterIndex)
{
    // A "+" before the column keeps SQLite from choosing the chapter index.
    QString where = reach == Reach::ById ? QStringLiteral(" where +试卷分类")
                                         : QStringLiteral(" where 试卷分类");
    where += scope.of == QuestionScope::Of::Chapter
                 ? QStringLiteral(" = ?")
                 : QStringLiteral(" in (select id from fenlei where database_id = ?)");
    values << scope.id;
    if (scope.toPractiseOnly)
        where += QStringLiteral(" and 题目选择 = ") + markLiteral(db, true);
    if (scope.type > 0) {
        where += QStringLiteral(" and 题目类型 = ?");
        values << scope.type;
    }
    return where;
}

bool onServer(const QSqlDatabase &db)
{
    return backendOf(db) == Backend::Server;
}

// On a server the counts come from the tallies the server keeps per chapter
// and type (the questions, and each worker's known ones): the where clause of
// a scope's chapters and type there, and the values it binds.
QString tallyWhere(const QuestionScope &scope, QVariantList &values)
{
    QString where =
        scope.of == QuestionScope::Of::Chapter
            ? QStringLiteral(" where chapter_id = ?")
            : QStringLiteral(" where chapter_id in (select id from fenlei where database_id = ?)");
    values << scope.id;
    if (scope.type > 0) {
        where += QStringLiteral(" and type = ?");
        values << scope.type;
    }
    return where;
}

// The same for the signed-in worker's rows of a table kept by chapter and
// type (the known marks and their tally).
QString workerRowsWhere(const QuestionScope &scope, QVariantList &values)
{
    return tallyWhere(scope, values) + QStringLiteral(" and worker_id = drillbay_worker()");
}

QuestionRow questionFrom(const QSqlQuery &query)
{
    QuestionRow row;
    row.id = query.value(0).toLongLong();
    row.chapterId = query.value(1).toLongLong();
    row.type = query.value(2).toInt();
    row.stem = decodeQuestionText(query.value(3).toString());
    for (int i = 0; i < 4; ++i)
        row.options[i] = decodeQuestionText(query.value(4 + i).toString());
    row.answer = decodeQuestionText(query.value(8).toString());
    row.points = query.value(9).toInt();
    row.toPractise = query.value(10).toInt() != 0;
    row.image = query.value(11).toString();
    row.note = query.value(12).toString();
    return row;
}

} // namespace

int QuestionTable::countAll() const
{
    if (onServer(m_db))
        return static_cast<int>(sql::scalar(
            m_db, QStringLiteral("select coalesce(sum(questions), 0) from chapter_tally")));
    return static_cast<int>(sql::scalar(m_db, QStringLiteral("select count(*) from 考试训练题库")));
}

int QuestionTable::count(const QuestionScope &scope) const
{
    QVariantList values;
    if (onServer(m_db)) {
        QString statement =
            QStringLiteral("select coalesce((select sum(questions) from chapter_tally") +
            tallyWhere(scope, values) + QStringLiteral("), 0)");
        if (scope.toPractiseOnly)
            statement += QStringLiteral(" - coalesce((select sum(known) from worker_known_tally") +
                         workerRowsWhere(scope, values) + QStringLiteral("), 0)");
        return static_cast<int>(sql::scalar(m_db, statement, values));
    }
    const QString where = whereOf(m_db, scope, values);
    return static_cast<int>(
        sql::scalar(m_db, QStringLiteral("select count(*) from 考试训练题库") + where, values));
}

QHash<qint64, int> QuestionTable::countsPerChapter(qint64 bankId) const
{
    // One grouped count for the whole bank instead of one count per chapter.
    QHash<qint64, int> counts;
    QVariantList values;
    QSqlQuery query =
        onServer(m_db)
            ? sql::run(m_db,
                       QStringLiteral("select chapter_id, sum(questions) from chapter_tally") +
                           tallyWhere(QuestionScope::bank(bankId), values) +
                           QStringLiteral(" group by chapter_id having sum(questions) > 0"),
                       values)
            : sql::run(
                  m_db,
                  QStringLiteral("select 试卷分类, count(*) from 考试训练题库 where 试卷分类 in "
                                 "(select id from fenlei where database_id = ?)"
                                 " group by 试卷分类"),
                  {bankId});
    while (query.next())
        counts.insert(query.value(0).toLongLong(), query.value(1).toInt());
    return counts;
}

QHash<qint64, int> QuestionTable::knownPerChapter(qint64 bankId) const
{
    QHash<qint64, int> counts;
    QVariantList values;
    QSqlQuery query =
        onServer(m_db)
            ? sql::run(m_db,
                       QStringLiteral("select chapter_id, sum(known) from worker_known_tally") +
                           workerRowsWhere(QuestionScope::bank(bankId), values) +
                           QStringLiteral(" group by chapter_id having sum(known) > 0"),
                       values)
            : sql::run(
                  m_db,
                  QStringLiteral("select 试卷分类, count(*) from 考试训练题库 where 试卷分类 in "
                                 "(select id from fenlei where database_id = ?)"
                                 " and 题目选择 = FALSE group by 试卷分类"),
                  {bankId});
    while (query.next())
        counts.insert(query.value(0).toLongLong(), query.value(1).toInt());
    return counts;
}

bool QuestionTable::anyInEnabledBank() const
{
    return sql::scalar(m_db, QStringLiteral("select exists(select 1 from 考试训练题库 q "
                                            "join fenlei f on f.id = q.试卷分类 "
                                            "join database_name d on d.id = f.database_id "
                                            "where d.status <> 0)")) != 0;
}

QList<QuestionRow> QuestionTable::read(const QuestionScope &scope, int limit, qint64 offset) const
{
    if (limit <= 0)
        return {};
    QVariantList values;
    const QString statement = QStringLiteral("select ") + kColumns +
                              QStringLiteral(" from 考试训练题库") + whereOf(m_db, scope, values) +
                              QStringLiteral(" order by id limit ? offset ?");
    values << limit << offset;
    QList<QuestionRow> rows;
    // A limit may stand for "all of them": room for a page at most, not for
    // the limit itself.
    rows.reserve(std::min(limit, kReservedRows));
    QSqlQuery query = sql::run(m_db, statement, values);
    while (query.next())
        rows.append(questionFrom(query));
    return rows;
}

QList<QuestionRow> QuestionTable::readNewestFirst(const QuestionScope &scope, int limit,
                                                  qint64 offset) const
{
    if (limit <= 0)
        return {};
    QVariantList values;
    const QString statement = QStringLiteral("select ") + kColumns +
                              QStringLiteral(" from 考试训练题库") + whereOf(m_db, scope, values) +
                              QStringLiteral(" order by id desc limit ? offset ?");
    values << limit << offset;
    QList<QuestionRow> rows;
    QSqlQuery query = sql::run(m_db, statement, values);
    while (query.next())
        rows.append(questionFrom(query));
    return rows;
}

std::optional<QuestionRow> QuestionTable::find(qint64 id) const
{
    QSqlQuery query = sql::run(m_db,
                               QStringLiteral("select ") + kColumns +
                                   QStringLiteral(" from 考试训练题库 where id = ?"),
                               {id});
    if (!query.next())
        return std::nullopt;
    return questionFrom(query);
}

std::array<int, 6> QuestionTable::countsPerType(qint64 chapterId) const
{
    std::array<int, 6> counts{};
    QSqlQuery query =
        sql::run(m_db,
                 onServer(m_db) ? QStringLiteral("select type, questions from chapter_tally"
                                                 " where chapter_id = ? and questions > 0")
                                : QStringLiteral("select 题目类型, count(*) from 考试训练题库 "
                                                 "where 试卷分类 = ? group by 题目类型"),
                 {chapterId});
    while (query.next()) {
        const int type = query.value(0).toInt();
        // Slot 0 stays free; codes beyond the slots are not counted.
        if (type >= 1 && type < static_cast<int>(counts.size()))
            counts[static_cast<size_t>(type)] = query.value(1).toInt();
    }
    return counts;
}

QuestionTable::IdSpan QuestionTable::idSpan(const QuestionScope &scope) const
{
    QVariantList values;
    const QString statement =
        QStringLiteral("select min(id), max(id) from 考试训练题库") + whereOf(m_db, scope, values);
    QSqlQuery query = sql::run(m_db, statement, values);
    IdSpan span;
    if (query.next()) {
        span.first = query.value(0).toLongLong();
        span.last = query.value(1).toLongLong();
    }
    return span;
}

QuestionTable::Scan
QuestionTable::scanStems(const QuestionScope &scope, qint64 afterId, qint64 upToId, int limit,
                         int maxHits, const std::function<bool(const QString &)> &wanted) const
{
    Scan scan;
    scan.lastId = afterId;
    scan.finished = afterId >= upToId;
    if (limit <= 0 || maxHits <= 0 || scan.finished)
        return scan;
    // The stretch walks the table by id from afterId and stops after `limit`
    // rows; through the chapter index every stretch would gather and sort the
    // whole scope again.
    QVariantList values;
    const QString where = whereOf(m_db, scope, values, Reach::ById);
    const QString statement = QStringLiteral("select id, 题目 from 考试训练题库") + where +
                              QStringLiteral(" and id > ? and id <= ? order by id limit ?");
    values << afterId << upToId << limit;
    QSqlQuery query = sql::run(m_db, statement, values);
    while (scan.hits.size() < maxHits) {
        if (!query.next()) {
            // Fewer rows than asked for: none is left up to upToId.
            scan.finished = scan.read < limit;
            break;
        }
        ++scan.read;
        scan.lastId = query.value(0).toLongLong();
        if (wanted(decodeQuestionText(query.value(1).toString())))
            scan.hits.append(scan.lastId);
    }
    query.finish();
    return scan;
}

QList<QuestionRow> QuestionTable::readByIds(const QList<qint64> &ids) const
{
    // In batches, each bound value by value; well under SQLite's limit of
    // bound values per statement.
    constexpr qsizetype kBatch = 500;
    QList<QuestionRow> rows;
    rows.reserve(ids.size());
    QList<qint64> sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    for (qsizetype from = 0; from < sorted.size(); from += kBatch) {
        const qsizetype n = std::min(kBatch, sorted.size() - from);
        QString marks;
        marks.reserve(n * 2);
        QVariantList values;
        values.reserve(n);
        for (qsizetype i = 0; i < n; ++i) {
            marks += i == 0 ? QStringLiteral("?") : QStringLiteral(",?");
            values << sorted.at(from + i);
        }
        QSqlQuery query = sql::run(m_db,
                                   QStringLiteral("select ") + kColumns +
                                       QStringLiteral(" from 考试训练题库 where id in (") + marks +
                                       QStringLiteral(") order by id"),
                                   values);
        while (query.next())
            rows.append(questionFrom(query));
    }
    return rows;
}

QList<qint64> QuestionTable::ids(const QuestionScope &scope) const
{
    QVariantList values;
    const QString statement = QStringLiteral("select id from 考试训练题库") +
                              whereOf(m_db, scope, values) + QStringLiteral(" order by id");
    QList<qint64> all;
    QSqlQuery query = sql::run(m_db, statement, values);
    while (query.next())
        all.append(query.value(0).toLongLong());
    return all;
}

void QuestionTable::setBankPoints(qint64 bankId, const std::array<int, 6> &points)
{
    Transaction change(m_db);
    for (int type = 1; type < static_cast<int>(points.size()); ++type) {
        sql::run(m_db,
                 QStringLiteral("update 考试训练题库 set 本题分数 = ? where 题目类型 = ? and "
                                "试卷分类 in (select id from fenlei where database_id = ?)"),
                 {points[static_cast<size_t>(type)], type, bankId});
    }
    change.commit();
}

std::optional<qint64> QuestionTable::insert(const QuestionRow &row)
{
    Transaction change(m_db);
    QSqlQuery chapter =
        sql::run(m_db, QStringLiteral("select id from fenlei where id = ?"), {row.chapterId});
    const bool chapterStored = chapter.next();
    chapter.finish();
    if (!chapterStored)
        return std::nullopt;
    const qint64 id = sql::insert(
        m_db,
        QStringLiteral("insert into 考试训练题库 (试卷分类, 题目类型, 题目, 选择项1, "
                       "选择项2, 选择项3, 选择项4, 正确答案, 本题分数, 题目选择) "
                       "values (?, ?, ?, ?, ?, ?, ?, ?, ?, 1)"),
        {row.chapterId, row.type, encodeQuestionText(row.stem), encodeQuestionText(row.options[0]),
         encodeQuestionText(row.options[1]), encodeQuestionText(row.options[2]),
         encodeQuestionText(row.options[3]), encodeQuestionText(row.answer), row.points});
    change.commit();
    return id;
}

bool QuestionTable::insertAll(qint64 chapterId, const QList<QuestionRow> &rows)
{
    Transaction change(m_db);
    QSqlQuery chapter =
        sql::run(m_db, QStringLiteral("select id from fenlei where id = ?"), {chapterId});
    const bool chapterStored = chapter.next();
    chapter.finish();
    if (!chapterStored)
        return false;
    const QString statement =
        QStringLiteral("insert into 考试训练题库 (试卷分类, 题目类型, 题目, 选择项1, 选择项2, "
                       "选择项3, 选择项4, 正确答案, 本题分数, 题目选择, 解析) "
                       "values (?, ?, ?, ?, ?, ?, ?, ?, ?, 1, ?)");
    QSqlQuery query(m_db);
    if (!query.prepare(statement))
        throw sql::failure(query.lastError(), statement, sql::Stage::Prepare);
    for (const QuestionRow &row : rows) {
        const QVariantList values = {chapterId,
                                     row.type,
                                     encodeQuestionText(row.stem),
                                     encodeQuestionText(row.options[0]),
                                     encodeQuestionText(row.options[1]),
                                     encodeQuestionText(row.options[2]),
                                     encodeQuestionText(row.options[3]),
                                     encodeQuestionText(row.answer),
                                     row.points,
                                     row.note.isNull() ? QStringLiteral("") : row.note};
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        if (!query.exec())
            throw sql::failure(query.lastError(), statement);
    }
    query.finish();
    change.commit();
    return true;
}

bool QuestionTable::updateTexts(const QuestionRow &row, bool withOptions)
{
    QSqlQuery query =
        withOptions
            ? sql::run(m_db,
                       QStringLiteral("update 考试训练题库 set 题目 = ?, 选择项1 = ?, 选择项2 = ?, "
                                      "选择项3 = ?, 选择项4 = ?, 正确答案 = ? where id = ?"),
                       {encodeQuestionText(row.stem), encodeQuestionText(row.options[0]),
                        encodeQuestionText(row.options[1]), encodeQuestionText(row.options[2]),
                        encodeQuestionText(row.options[3]), encodeQuestionText(row.answer), row.id})
            : sql::run(
                  m_db,
                  QStringLiteral("update 考试训练题库 set 题目 = ?, 正确答案 = ? where id = ?"),
                  {encodeQuestionText(row.stem), encodeQuestionText(row.answer), row.id});
    return query.numRowsAffected() > 0;
}

bool QuestionTable::remove(qint64 id)
{
    return sql::run(m_db, QStringLiteral("delete from 考试训练题库 where id = ?"), {id})
               .numRowsAffected() > 0;
}

int QuestionTable::removeChapter(qint64 chapterId)
{
    return sql::run(m_db, QStringLiteral("delete from 考试训练题库 where 试卷分类 = ?"),
                    {chapterId})
        .numRowsAffected();
}

QList<QuestionRow> QuestionTable::readKnown(const QuestionScope &scope) const
{
    QVariantList values;
    const QString statement = QStringLiteral("select ") + kColumns +
                              QStringLiteral(" from 考试训练题库") + whereOf(m_db, scope, values) +
                              QStringLiteral(" and 题目选择 = ") + markLiteral(m_db, false) +
                              QStringLiteral(" order by id");
    QList<QuestionRow> rows;
    QSqlQuery query = sql::run(m_db, statement, values);
    while (query.next())
        rows.append(questionFrom(query));
    return rows;
}

bool QuestionTable::setToPractise(qint64 id, bool toPractise)
{
    return sql::run(m_db, QStringLiteral("update 考试训练题库 set 题目选择 = ? where id = ?"),
                    {toPractise ? 1 : 0, id})
               .numRowsAffected() > 0;
}

int QuestionTable::putBackToPractise(const QuestionScope &scope)
{
    QVariantList values;
    // The server keeps a worker's marks apart from the questions: putting the
    // scope back is deleting the worker's marks of its chapters.
    if (onServer(m_db))
        return sql::run(m_db,
                        QStringLiteral("delete from worker_known") + workerRowsWhere(scope, values),
                        values)
            .numRowsAffected();
    const QString where = whereOf(m_db, scope, values);
    return sql::run(m_db,
                    QStringLiteral("update 考试训练题库 set 题目选择 = ") +
                        markLiteral(m_db, true) + where,
                    values)
        .numRowsAffected();
}
