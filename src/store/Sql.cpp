#include "store/Sql.h"

#include "store/Backend.h"
#include "store/ServerSession.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>

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

namespace {

// A server reports a five-character SQLSTATE; the data file's engine reports
// its result codes, which never take more than four digits.
bool isServerState(const QString &code)
{
    return code.size() == 5;
}

StoreError::Cause causeOfServerState(const QString &state)
{
    using Cause = StoreError::Cause;
    const QString group = state.left(2);
    if (group == QLatin1String("08") || group == QLatin1String("57") ||
        state == QLatin1String("53300"))
        return Cause::ServerLost;
    if (state == QLatin1String("42P01") || state == QLatin1String("42703") ||
        state == QLatin1String("42883"))
        return Cause::MissingPart;
    if (state == QLatin1String("42501") || group == QLatin1String("28"))
        return Cause::NoAccess;
    if (state == QLatin1String("25006"))
        return Cause::ReadOnly;
    if (state == QLatin1String("53100"))
        return Cause::DiskFull;
    if (state == QLatin1String("55P03") || group == QLatin1String("40"))
        return Cause::Busy;
    if (group == QLatin1String("XX") || group == QLatin1String("58"))
        return Cause::DiskError;
    return Cause::Failed;
}

} // namespace

StoreError::Cause causeOf(const QSqlError &error, Stage stage)
{
    using Cause = StoreError::Cause;
    const QString code = error.nativeErrorCode();
    if (isServerState(code))
        return causeOfServerState(code);
    // A server that went away mid-statement leaves no state at all.
    if (code.isEmpty() && error.type() == QSqlError::ConnectionError)
        return Cause::ServerLost;
    bool ok = false;
    const int extended = code.toInt(&ok);
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

QString storeText(const QSqlError &error)
{
    QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (!isServerState(error.nativeErrorCode()))
        return text;
    // The server's message comes as "ERROR:  what\n(SQLSTATE)": keep the what.
    const QString state = QLatin1Char('(') + error.nativeErrorCode() + QLatin1Char(')');
    if (text.endsWith(state))
        text.chop(state.size());
    // Its lines of DETAIL, HINT and CONTEXT are for the server's log.
    text = text.section(QLatin1Char('\n'), 0, 0).trimmed();
    for (const QLatin1String prefix : {QLatin1String("ERROR:"), QLatin1String("FATAL:")}) {
        if (text.startsWith(prefix))
            text = text.mid(prefix.size()).trimmed();
    }
    // A refusal raised inside a function or trigger also tells where it was
    // raised ("CONTEXT:  PL/pgSQL function …"): that is for the server's log,
    // not for the user.
    const qsizetype context = text.indexOf(QLatin1String("\nCONTEXT:"));
    if (context >= 0)
        text = text.left(context).trimmed();
    return text;
}

StoreError failure(const QSqlError &error, const QString &statement, Stage stage)
{
    return StoreError(causeOf(error, stage), storeText(error), statement,
                      isServerState(error.nativeErrorCode()) ? StoreError::Origin::Server
                                                             : StoreError::Origin::File);
}

namespace {

// A server that went away leaves its connection dead: closed here, it is
// opened again (and signed in) by the next statement. The client library does
// not always give a lost connection a state of its own: a failure without one
// on a connection that no longer answers is a lost connection too.
[[noreturn]] void throwFailure(const QSqlDatabase &db, const QSqlError &error,
                               const QString &statement, Stage stage = Stage::Execute)
{
    const StoreError thrown = failure(error, statement, stage);
    if (backendOf(db) != Backend::Server)
        throw thrown;
    if (thrown.cause() == StoreError::Cause::ServerLost ||
        (error.nativeErrorCode().isEmpty() && !ServerSession::answers(db))) {
        ServerSession::dropLost(db);
        throw StoreError(StoreError::Cause::ServerLost, storeText(error), statement,
                         StoreError::Origin::Server);
    }
    throw thrown;
}

// The statement with each '?' placeholder (outside quotes and comments)
// replaced by its value in the server driver's literal form: the very text
// the driver's prepared statement sends in its "execute" (it binds no values
// of its own). One round trip instead of the three of prepare, execute and
// deallocate, which a statement run once never earns back.
QString withValues(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QString text;
    text.reserve(statement.size() + values.size() * 8);
    const QSqlDriver *driver = db.driver();
    qsizetype next = 0;
    QChar quote;
    for (qsizetype i = 0; i < statement.size(); ++i) {
        const QChar c = statement[i];
        const QChar after = i + 1 < statement.size() ? statement[i + 1] : QChar();
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('-') && after == QLatin1Char('-')) {
            const qsizetype end = statement.indexOf(QLatin1Char('\n'), i);
            const qsizetype stop = end < 0 ? statement.size() : end;
            text += QStringView(statement).mid(i, stop - i);
            i = stop - 1;
            continue;
        } else if (c == QLatin1Char('/') && after == QLatin1Char('*')) {
            const qsizetype end = statement.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype stop = end < 0 ? statement.size() : end + 2;
            text += QStringView(statement).mid(i, stop - i);
            i = stop - 1;
            continue;
        } else if (c == QLatin1Char('?')) {
            if (next >= values.size()) {
                next = values.size() + 1;
                break;
            }
            const QVariant &value = values[next++];
            QSqlField field(QString(), value.metaType());
            if (value.isNull())
                field.clear();
            else
                field.setValue(value);
            text += driver->formatValue(field);
            continue;
        }
        text += c;
    }
    if (next != values.size()) {
        // A statement of this program with more or fewer places than values.
        throw StoreError(StoreError::Cause::Failed, QStringLiteral("语句的参数个数不符"), statement,
                         StoreError::Origin::Server);
    }
    return text;
}

} // namespace

QSqlQuery run(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    const bool server = backendOf(db) == Backend::Server;
    if (server)
        ServerSession::reopenIfClosed(db);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // The server runs every statement as it is, its values written in.
    if (server) {
        const QString text = values.isEmpty() ? statement : withValues(db, statement, values);
        if (!query.exec(text))
            throwFailure(db, query.lastError(), statement);
        return query;
    }
    if (!query.prepare(statement))
        throwFailure(db, query.lastError(), statement, Stage::Prepare);
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
        throwFailure(db, error, statement);
    }
    return query;
}

qint64 insert(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query = run(db, statement + QStringLiteral(" returning id"), values);
    const qint64 id = query.next() ? query.value(0).toLongLong() : 0;
    query.finish();
    return id;
}

namespace {

template <typename Integer> QString arrayText(const QList<Integer> &values)
{
    QString text = QStringLiteral("{");
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += QLatin1Char(',');
        text += QString::number(values[i]);
    }
    return text + QLatin1Char('}');
}

} // namespace

QString arrayOf(const QList<qint64> &values)
{
    return arrayText(values);
}

QString arrayOf(const QList<int> &values)
{
    return arrayText(values);
}

qint64 scalar(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    QSqlQuery query = run(db, statement, values);
    return query.next() ? query.value(0).toLongLong() : 0;
}

} // namespace sql
