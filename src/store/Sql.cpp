#include "store/Sql.h"

#include <QSqlError>

namespace sql {

namespace {

// The engine's primary result codes and the extended ones the program tells apart.
enum ResultCode : int
{
    kError = 1,
    kPermission = 3,
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kIoError = 10,
    kCorrupt = 11,
    kFull = 13,
    kCannotOpen = 14,
    kAuthorization = 23,
    kNotADatabase = 26,
    kReadOnlyMoved = kReadOnly | (4 << 8),
    kReadOnlyDirectory = kReadOnly | (6 << 8),
};

} // namespace

StoreError::Cause causeOf(const QSqlError &error, Stage stage)
{
    using Cause = StoreError::Cause;
    bool ok = false;
    const int extended = error.nativeErrorCode().toInt(&ok);
    if (!ok)
        return Cause::Failed;
    switch (extended) {
    case kReadOnlyDirectory:
        return Cause::FolderNotWritable;
    case kReadOnlyMoved:
        return Cause::Moved;
    default:
        break;
    }
    switch (extended & 0xFF) {
    case kError:
        return stage == Stage::Prepare ? Cause::MissingPart : Cause::Failed;
    case kPermission:
    case kAuthorization:
        return Cause::NoAccess;
    case kBusy:
    case kLocked:
        return Cause::InUse;
    case kReadOnly:
        return Cause::ReadOnly;
    case kIoError:
        return Cause::DiskError;
    case kCorrupt:
    case kNotADatabase:
        return Cause::Damaged;
    case kFull:
        return Cause::DiskFull;
    case kCannotOpen:
        // The file itself is open: what cannot be opened is the journal that
        // a change makes beside it.
        return Cause::FolderNotWritable;
    default:
        return Cause::Failed;
    }
}

StoreError failure(const QSqlError &error, const QString &statement, Stage stage)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return StoreError(causeOf(error, stage), text, statement);
}

QSqlQuery run(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw failure(query.lastError(), statement, Stage::Prepare);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        // A statement prepared before another program changed the file's
        // tables fails only when it runs: whether it still prepares tells a
        // missing table or column from any other refusal.
        if (causeOf(error) == StoreError::Cause::Failed) {
            QSqlQuery again(db);
            if (!again.prepare(statement) &&
                causeOf(again.lastError(), Stage::Prepare) == StoreError::Cause::MissingPart)
                throw failure(again.lastError(), statement, Stage::Prepare);
        }
        throw failure(error, statement);
    }
    return query;
}

qint64 scalar(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query = run(db, statement, values);
    return query.next() ? query.value(0).toLongLong() : 0;
}

} // namespace sql
