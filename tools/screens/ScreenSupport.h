#pragma once

#include "base/Clipboard.h"
#include "base/Notifier.h"
#include "store/Database.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cstdio>

// What every walk of the screens tool shares: notices and questions printed
// (every question answered yes), a clipboard that takes anything, and a
// picture saved after the window has had time to paint.
namespace screens {

class PrintingNotifier : public Notifier
{
public:
    void inform(const QString &text) override
    {
        std::fprintf(stderr, "notice: %s\n", qPrintable(text));
    }
    bool askYesNo(const QString &, const QString &text, Icon) override
    {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        return true;
    }
    bool askOkCancel(const QString &, const QString &text) override
    {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        return true;
    }
};

class NoClipboard : public Clipboard
{
public:
    bool setText(const QString &) override { return true; }
};

// Waits `settleMs` for pending painting, then saves the widget as `file` in `folder`.
inline void savePicture(QWidget *widget, const QString &folder, const QString &file,
                        int settleMs = 80)
{
    QTest::qWait(settleMs);
    const QString path = QDir(folder).filePath(file);
    widget->grab().save(path);
    std::fprintf(stderr, "saved %s\n", qPrintable(path));
}

// Copies the database at source into temp, writable so that the walk may
// store, and opens the copy; prints why and returns a closed database when it
// cannot.
inline QSqlDatabase openCopy(const QString &source, const QTemporaryDir &temp,
                             const QString &connection)
{
    const QString copy = temp.filePath(QStringLiteral("examination.mdb"));
    if (!QFile::copy(source, copy)) {
        std::fprintf(stderr, "cannot copy the database\n");
        return {};
    }
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QString error;
    QSqlDatabase db = Database::open(copy, connection, &error);
    if (!db.isOpen())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return db;
}

} // namespace screens
