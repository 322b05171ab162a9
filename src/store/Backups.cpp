#include "store/Backups.h"

#include "store/Backend.h"
#include "store/Database.h"
#include "store/EngineCopy.h"
#include "store/Sql.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>

namespace {

const QString kPrefix = QStringLiteral("examination-");
const QString kSuffix = QStringLiteral(".mdb");
const QString kPartSuffix = QStringLiteral(".part");
const QString kNoteTable = QStringLiteral("backup_note");

// The names of complete copies: the time they were made and the serial within
// that second (1 for none).
const QRegularExpression &namePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^examination-(\\d{8}-\\d{6})(?:-(\\d+))?\\.mdb$"));
    return pattern;
}

struct Named
{
    QDateTime made;
    int serial = 0;
};

std::optional<Named> parseName(const QString &fileName)
{
    const QRegularExpressionMatch match = namePattern().match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime made =
        QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
    if (!made.isValid())
        return std::nullopt;
    return Named{made, match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()};
}

// A connection of its own for one file, removed again when done.
class SideConnection
{
public:
    SideConnection(const QString &path, bool readOnly)
        : m_name(QStringLiteral("backup-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        if (readOnly)
            m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_db.open();
    }
    ~SideConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    SideConnection(const SideConnection &) = delete;
    SideConnection &operator=(const SideConnection &) = delete;

    QSqlDatabase &db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

QString quoted(const QString &name)
{
    QString inner = name;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// The tables of one schema of the connection ("main" or an attached one).
QStringList tablesOf(const QSqlDatabase &db, const QString &schema)
{
    QSqlQuery query = sql::run(db, QStringLiteral("select name from %1.sqlite_master where "
                                                  "type='table' and name not like 'sqlite_%' "
                                                  "order by name")
                                       .arg(schema));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QStringList columnsOf(const QSqlDatabase &db, const QString &schema, const QString &table)
{
    QSqlQuery query =
        sql::run(db, QStringLiteral("pragma %1.table_info(%2)").arg(schema, quoted(table)));
    QStringList names;
    while (query.next())
        names << query.value(1).toString();
    return names;
}

bool hasSequence(const QSqlDatabase &db, const QString &schema)
{
    return sql::scalar(db, QStringLiteral("select count(*) from %1.sqlite_master where "
                                          "name='sqlite_sequence'")
                               .arg(schema)) > 0;
}

} // namespace

Backups::Backups(QSqlDatabase db, int keep, qint64 maxBytes)
    : m_db(std::move(db)), m_keep(keep), m_maxBytes(maxBytes)
{
}

bool Backups::madeByProgram() const
{
    return backendOf(m_db) == Backend::File;
}

QString Backups::folder() const
{
    return QFileInfo(m_db.databaseName()).absoluteDir().filePath(QLatin1String(kFolder));
}

Backups::Entry Backups::make(const QString &step, const QDateTime &now, const QString &spare)
{
    const QDir dir(folder());
    if (!QDir().mkpath(dir.path()) || !QFileInfo(dir.path()).isDir())
        throw StoreError(StoreError::Cause::FolderNotWritable,
                         QStringLiteral("cannot make the folder %1").arg(dir.path()));
    // Copies broken off earlier (the program was killed) are dropped, with
    // the journal of a note cut short.
    for (const QString &part : dir.entryList(
             {kPrefix + QStringLiteral("*") + kPartSuffix + QStringLiteral("*")}, QDir::Files))
        QFile::remove(dir.filePath(part));

    const QString stamp = now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = kPrefix + stamp + kSuffix;
    for (int serial = 2; QFileInfo::exists(dir.filePath(name)); ++serial)
        name = kPrefix + stamp + QLatin1Char('-') + QString::number(serial) + kSuffix;
    const QString target = dir.filePath(name);
    const QString part = target + kPartSuffix;
    auto dropPart = qScopeGuard([&part] { QFile::remove(part); });

    EngineCopy::copy(m_db, part);
    {
        SideConnection copy(part, false);
        if (!copy.db().isOpen())
            throw sql::failure(copy.db().lastError(), QStringLiteral("open ") + part);
        // Written beside and renamed: a copy cut short by a crash never takes
        // the name, so the note need not wait for the disk.
        sql::run(copy.db(), QStringLiteral("pragma synchronous = off"));
        // A copy is one file, whatever journal the data file keeps.
        sql::run(copy.db(), QStringLiteral("pragma journal_mode = delete")).finish();
        sql::run(copy.db(),
                 QStringLiteral("create table %1 (step text, made text)").arg(kNoteTable));
        sql::run(copy.db(),
                 QStringLiteral("insert into %1 (step, made) values (?, ?)").arg(kNoteTable),
                 {step, now.toString(Qt::ISODate)});
    }
    if (!QFile::rename(part, target))
        throw StoreError(StoreError::Cause::FolderNotWritable,
                         QStringLiteral("cannot rename %1").arg(part));
    dropPart.dismiss();
    trim(spare.isEmpty() ? target : spare);
    return Entry{target, now, QFileInfo(target).size(), step};
}

void Backups::trim(const QString &spare)
{
    QList<Entry> entries = list();
    const QString kept = QFileInfo(spare).absoluteFilePath();
    qint64 total = 0;
    for (const Entry &entry : entries)
        total += entry.bytes;
    // Oldest first off the end; the newest copy and the spared one stay.
    int count = static_cast<int>(entries.size());
    for (int i = count - 1; i >= 1; --i) {
        const Entry &entry = entries.at(i);
        if (count <= m_keep && total <= m_maxBytes)
            break;
        if (QFileInfo(entry.path).absoluteFilePath() == kept)
            continue;
        if (QFile::remove(entry.path)) {
            --count;
            total -= entry.bytes;
        }
    }
}

QList<Backups::Entry> Backups::list() const
{
    if (!madeByProgram())
        return {};
    struct Found
    {
        Entry entry;
        int serial = 0;
    };
    QList<Found> found;
    const QDir dir(folder());
    for (const QFileInfo &file :
         dir.entryInfoList({kPrefix + QStringLiteral("*") + kSuffix}, QDir::Files)) {
        const std::optional<Named> named = parseName(file.fileName());
        if (!named)
            continue;
        found << Found{Entry{file.absoluteFilePath(), named->made, file.size(), QString()},
                       named->serial};
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        return a.entry.made != b.entry.made ? a.entry.made > b.entry.made : a.serial > b.serial;
    });
    QList<Entry> entries;
    for (Found &one : found) {
        one.entry.step = stepOf(one.entry.path);
        entries << one.entry;
    }
    return entries;
}

bool Backups::madeOn(const QDate &day) const
{
    const QDir dir(folder());
    for (const QString &name :
         dir.entryList({kPrefix + QStringLiteral("*") + kSuffix}, QDir::Files)) {
        const std::optional<Named> named = parseName(name);
        if (named && named->made.date() == day)
            return true;
    }
    return false;
}

QString Backups::stepOf(const QString &path)
{
    SideConnection copy(path, true);
    if (!copy.db().isOpen())
        return {};
    QSqlQuery query(copy.db());
    if (!query.exec(QStringLiteral("select step from %1 limit 1").arg(kNoteTable)) || !query.next())
        return {};
    return query.value(0).toString();
}

QString Backups::problemWith(const QString &path) const
{
    if (!QFileInfo(path).isFile())
        return QStringLiteral("找不到备份文件：%1").arg(QDir::toNativeSeparators(path));
    const QString name =
        QStringLiteral("backup-check-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString reason;
    {
        // The check the program makes of its data file at start: a database
        // holding every table and column.
        QSqlDatabase db = Database::open(path, name, &reason, Database::Access::ReadOnly);
        if (db.isOpen()) {
            // Then every page of it.
            QSqlQuery check(db);
            if (!check.exec(QStringLiteral("pragma integrity_check"))) {
                reason = QStringLiteral("备份文件已损坏：%1").arg(check.lastError().text());
            } else {
                QStringList faults;
                while (check.next() && faults.size() < 3)
                    faults << check.value(0).toString();
                if (faults != QStringList{QStringLiteral("ok")})
                    reason =
                        QStringLiteral("备份文件已损坏：%1").arg(faults.join(QLatin1Char(';')));
            }
            check.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return reason;
}

void Backups::restore(const QString &path)
{
    sql::run(m_db, QStringLiteral("attach database ? as backup"), {QDir::toNativeSeparators(path)});
    const auto detach = qScopeGuard([this] {
        QSqlQuery query(m_db);
        query.exec(QStringLiteral("detach database backup"));
    });
    const QStringList restored = tablesOf(m_db, QStringLiteral("backup"));
    Transaction change(m_db);
    for (const QString &table : tablesOf(m_db, QStringLiteral("main"))) {
        sql::run(m_db, QStringLiteral("delete from main.%1").arg(quoted(table)));
        // A table the copy lacks was added after it: it held nothing then.
        if (!restored.contains(table, Qt::CaseInsensitive))
            continue;
        const QStringList theirs = columnsOf(m_db, QStringLiteral("backup"), table);
        QStringList common;
        for (const QString &column : columnsOf(m_db, QStringLiteral("main"), table)) {
            if (theirs.contains(column, Qt::CaseInsensitive))
                common << quoted(column);
        }
        const QString list = common.join(QLatin1Char(','));
        sql::run(m_db, QStringLiteral("insert into main.%1 (%2) select %2 from backup.%1")
                           .arg(quoted(table), list));
    }
    if (hasSequence(m_db, QStringLiteral("main"))) {
        sql::run(m_db, QStringLiteral("delete from main.sqlite_sequence"));
        if (hasSequence(m_db, QStringLiteral("backup")))
            sql::run(m_db, QStringLiteral("insert into main.sqlite_sequence (name, seq) select "
                                          "name, seq from backup.sqlite_sequence"));
    }
    change.commit();
}
