#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The rows of one table as stored, column by column in the order of
// `columns`: a null QVariant is NULL, integers and Yes/No values are qint64,
// texts and dates (yyyy-MM-ddTHH:mm:ss) are QString, long binary values QByteArray.
struct RowSet
{
    QString table;
    QStringList columns;
    QList<QVariantList> rows;
    // One line per stored row that could not be read, with the reason.
    QStringList unreadable;
};
