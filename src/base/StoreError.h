#pragma once

#include <QString>
#include <stdexcept>

// Thrown by the store when a statement fails. The action that the user started
// catches it and says what was not saved and why; the application-wide
// handler only drops what nobody caught. What was already written stays written.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message) : std::runtime_error(message.toStdString()) {}

    // Why the statement failed, in the user's words.
    QString reason() const { return reasonOf(QString::fromUtf8(what())); }

    // The usual causes by name (disk full, read-only, in use, damaged file),
    // otherwise the store's own text without the statement it names.
    static QString reasonOf(const QString &storeText)
    {
        const QString text = storeText.toLower();
        if (text.contains(QLatin1String("full")))
            return QStringLiteral("磁盘空间已满");
        if (text.contains(QLatin1String("readonly")) || text.contains(QLatin1String("read-only")) ||
            text.contains(QLatin1String("read only")))
            return QStringLiteral("数据文件或其所在文件夹是只读的");
        if (text.contains(QLatin1String("locked")) || text.contains(QLatin1String("busy")))
            return QStringLiteral("数据文件正被其他程序使用");
        if (text.contains(QLatin1String("no such table")) ||
            text.contains(QLatin1String("no such column")))
            return QStringLiteral("数据文件缺少所需的数据表或数据列");
        if (text.contains(QLatin1String("malformed")) ||
            text.contains(QLatin1String("not a database")))
            return QStringLiteral("数据文件已损坏");
        const qsizetype statement = storeText.indexOf(QLatin1String(" ["));
        return (statement < 0 ? storeText : storeText.left(statement)).trimmed();
    }
};
