#pragma once

#include "SourceTree.h"

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// The Jet file of an older installation beside the project, and its rows as
// stored (written by an independent writer).
inline QString legacyBankPath()
{
    return sourceTreePath(QStringLiteral("../shared/fixtures/legacy/legacy_bank.mdb"));
}

inline QJsonObject legacyBankRows()
{
    QFile file(sourceTreePath(QStringLiteral("../shared/fixtures/legacy/legacy_bank.json")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll())
        .object()
        .value(QStringLiteral("tables"))
        .toObject();
}

// A copy of the fixture cut to the given number of bytes.
inline QByteArray legacyBankBytes()
{
    QFile file(legacyBankPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
