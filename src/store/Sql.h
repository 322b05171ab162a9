#pragma once

#include "base/StoreError.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

class QSqlError;

// Statement helpers of the table classes. Each table of the file has one class
// in this folder that holds all of its statements and returns typed rows:
// QuestionTable, ChapterTable, BankTable, SettingsTable, PracticeLogTable; the
// mock-examination quotas, documents, password and jokes get theirs the same
// way. Every value travels as a bound parameter, never pasted into the text
// by hand: the data file's engine binds it, and on a server the driver writes
// it in its own literal form (as its prepared statements send values anyway).
// A failed statement throws StoreError.
namespace sql {

// Prepares, binds the values in order to the '?' placeholders and executes.
// The returned query is forward-only and positioned before its first row.
QSqlQuery run(const QSqlDatabase &db, const QString &statement, const QVariantList &values = {});
// Runs an insert of one row and returns the id it was given (the statement
// gets "returning id": both engines give it back that way).
qint64 insert(const QSqlDatabase &db, const QString &statement, const QVariantList &values);
// The first column of the first row as an integer (0 when there is no row).
qint64 scalar(const QSqlDatabase &db, const QString &statement, const QVariantList &values = {});

// Integers as one bound value for the server: its array literal, cast in
// the statement ("cast(? as bigint[])"), so that one statement writes the
// hundred answers of a run.
QString arrayOf(const QList<qint64> &values);
QString arrayOf(const QList<int> &values);

// Where a statement failed: a statement that cannot even be prepared names a
// table or column that the file does not have.
enum class Stage
{
    Prepare,
    Execute,
};
// The cause of a failure, from the engine's (extended) result code.
StoreError::Cause causeOf(const QSqlError &error, Stage stage = Stage::Execute);
// The engine's message without its decorations.
QString storeText(const QSqlError &error);
// The error to throw for a failed statement.
StoreError failure(const QSqlError &error, const QString &statement, Stage stage = Stage::Execute);

} // namespace sql
