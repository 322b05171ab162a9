#include "RecordingNotifier.h"
#include "ScriptedFileDialogs.h"
#include "TestDatabase.h"
#include "TestRegistry.h"

#include "base/GbkText.h"
#include "reference/RegulationDocuments.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

qint64 addDocument(TestDatabase &db, qint64 id, const QString &title, const QByteArray &data,
                   const QString &flag = QStringLiteral("3"))
{
    QSqlQuery query(db.db());
    query.prepare(QStringLiteral("insert into help (id, title, data, flag) values (?, ?, ?, ?)"));
    query.addBindValue(id);
    query.addBindValue(title);
    query.addBindValue(data);
    query.addBindValue(flag);
    if (!query.exec())
        qFatal("document not added");
    return id;
}

struct StoredRow
{
    QString title;
    QByteArray data;
    QString flag;
};

QList<StoredRow> storedRows(TestDatabase &db)
{
    QSqlQuery query(db.db());
    query.exec(QStringLiteral("select title, data, flag from help order by id"));
    QList<StoredRow> rows;
    while (query.next())
        rows << StoredRow{query.value(0).toString(), query.value(1).toByteArray(),
                          query.value(2).toString()};
    return rows;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("test file not written");
    return path;
}

QStringList titlesOf(const QList<DocumentEntry> &entries)
{
    QStringList titles;
    for (const DocumentEntry &entry : entries)
        titles << entry.title;
    return titles;
}

} // namespace

class RegulationDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void readerListsShownDocumentsByIdManagementListsAll()
    {
        TestDatabase db;
        addDocument(db, 7, QStringLiteral("线路规程"), "{\\rtf1 b}");
        addDocument(db, 2, QStringLiteral("变电规程"), "{\\rtf1 a}");
        addDocument(db, 5, QStringLiteral("草稿"), "x", QStringLiteral("1"));
        addDocument(db, 9, QStringLiteral("无标记"), "x", QStringLiteral(""));
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        QCOMPARE(documents.readerTitles(),
                 (QStringList{QStringLiteral("变电规程"), QStringLiteral("线路规程")}));
        const QList<DocumentEntry> all = documents.managementList();
        QCOMPARE(titlesOf(all),
                 (QStringList{QStringLiteral("变电规程"), QStringLiteral("草稿"),
                              QStringLiteral("线路规程"), QStringLiteral("无标记")}));
        QCOMPARE(all.first().id, qint64(2));
        QCOMPARE(all.last().id, qint64(9));
        QVERIFY(notifier.notices.isEmpty());
    }

    void viewFindsTheShownDocumentWithTheLowestId_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<qint64>("id"); // 0: nothing shown
        QTest::newRow("exact title") << QStringLiteral("安规") << qint64(3);
        QTest::newRow("blanks and controls trimmed") << QStringLiteral(" \t安规\r\n") << qint64(3);
        QTest::newRow("only the hidden row has it") << QStringLiteral("隐藏") << qint64(0);
        QTest::newRow("unknown title") << QStringLiteral("没有") << qint64(0);
        QTest::newRow("inner blank kept") << QStringLiteral("安 规") << qint64(0);
    }
    void viewFindsTheShownDocumentWithTheLowestId()
    {
        QFETCH(QString, clicked);
        QFETCH(qint64, id);
        TestDatabase db;
        addDocument(db, 8, QStringLiteral("安规"), "second");
        addDocument(db, 3, QStringLiteral("安规"), "first");
        addDocument(db, 1, QStringLiteral("安规"), "hidden", QStringLiteral("2"));
        addDocument(db, 4, QStringLiteral("隐藏"), "hidden", QStringLiteral("1"));
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        const std::optional<DocumentRow> row = documents.view(clicked);
        QCOMPARE(row ? row->id : 0, id);
        const QString copy = work.filePath(QStringLiteral("abc.rtf"));
        if (id == 0) {
            QVERIFY(!QFile::exists(copy));
            QCOMPARE(documents.viewedCopyPath(), QString());
        } else {
            QCOMPARE(row->data, QByteArray("first"));
            QCOMPARE(row->title, QStringLiteral("安规"));
            QCOMPARE(fileBytes(copy), QByteArray("first"));
            QCOMPARE(documents.viewedCopyPath(), copy);
        }
    }

    void viewingTwiceLeavesOneCopyOfTheSecond()
    {
        TestDatabase db;
        addDocument(db, 1, QStringLiteral("甲"), QByteArray("{\\rtf1 long first document}"));
        addDocument(db, 2, QStringLiteral("乙"), QByteArray("{\\rtf1 b}"));
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        QVERIFY(documents.view(QStringLiteral("甲")));
        QVERIFY(documents.view(QStringLiteral("乙")));
        QCOMPARE(QDir(work.path()).entryList(QDir::Files), QStringList{QStringLiteral("abc.rtf")});
        QCOMPARE(fileBytes(work.filePath(QStringLiteral("abc.rtf"))), QByteArray("{\\rtf1 b}"));
    }

    void readOnlyCopyIsReplaced()
    {
        TestDatabase db;
        addDocument(db, 1, QStringLiteral("甲"), QByteArray("new"));
        QTemporaryDir work;
        const QString copy = writeFile(work, QStringLiteral("abc.rtf"), "old and longer");
        QVERIFY(QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        QVERIFY(documents.view(QStringLiteral("甲")));
        QCOMPARE(fileBytes(copy), QByteArray("new"));
        QVERIFY(QFileInfo(copy).isWritable());
    }

    // The copy is written beside and renamed over its name: a symbolic link
    // put there is replaced, and what it points at stays as it was.
    void copyReplacesALinkAtItsName_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::newRow("link to a read-only file") << false;
        QTest::newRow("link to nothing yet") << true;
    }
    void copyReplacesALinkAtItsName()
    {
        QFETCH(bool, dangling);
        TestDatabase db;
        addDocument(db, 1, QStringLiteral("甲"), QByteArray("{\\rtf1 new}"));
        QTemporaryDir work;
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("kept.txt"));
        const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner;
        if (!dangling) {
            writeFile(elsewhere, QStringLiteral("kept.txt"), "must stay");
            QVERIFY(QFile::setPermissions(target, readOnly));
        }
        const QString copy = work.filePath(QStringLiteral("abc.rtf"));
        QVERIFY(QFile::link(target, copy));
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        QVERIFY(documents.view(QStringLiteral("甲")));

        QVERIFY(!QFileInfo(copy).isSymLink());
        QCOMPARE(fileBytes(copy), QByteArray("{\\rtf1 new}"));
        QCOMPARE(documents.viewedCopyPath(), copy);
        if (dangling) {
            QVERIFY(!QFileInfo::exists(target));
        } else {
            QCOMPARE(fileBytes(target), QByteArray("must stay"));
            // The mode bits, not what the user running the test may do.
            const QFileDevice::Permissions userBits =
                QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
            QCOMPARE(QFile::permissions(target) & ~userBits, readOnly);
        }
        // Nothing else is left beside the copy.
        QCOMPARE(QDir(work.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QStringLiteral("abc.rtf")});
    }

    // The view shows the stored bytes; a folder that takes no copy changes nothing.
    void viewDoesNotDependOnTheCopy()
    {
        TestDatabase db;
        addDocument(db, 1, QStringLiteral("甲"), QByteArray("{\\rtf1 x}"));
        QTemporaryDir work;
        // A folder below a plain file cannot exist.
        const QString blocked =
            writeFile(work, QStringLiteral("file"), "x") + QStringLiteral("/folder");
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        RegulationDocuments documents(db.db(), notifier, dialogs, blocked);
        const std::optional<DocumentRow> row = documents.view(QStringLiteral("甲"));
        QVERIFY(row);
        QCOMPARE(row->data, QByteArray("{\\rtf1 x}"));
        QCOMPARE(documents.viewedCopyPath(), QString());
        QVERIFY(notifier.notices.isEmpty());
    }

    void storeChecksNameAndFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file"); // "": cancelled; "missing", "folder", "empty", "huge"
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("notice");
        using R = RegulationDocuments::StoreResult;
        QTest::newRow("empty name") << QString() << "doc" << int(R::NoName) << false
                                    << QStringLiteral("[软件提示]:请输入文档名.");
        QTest::newRow("name GBK cannot carry")
            << QStringLiteral("规程😀") << "doc" << int(R::Refused) << false
            << QStringLiteral("[软件提示]：“新增加的规程名”中有无法保存的字符，请修改后再试。");
        QTest::newRow("dialog cancelled")
            << QStringLiteral("安规") << QString() << int(R::Cancelled) << true << QString();
        QTest::newRow("missing file")
            << QStringLiteral("安规") << "missing" << int(R::Refused) << true
            << QStringLiteral("[软件提示]：文件“missing.rtf”无法读取，规程没有保存。");
        QTest::newRow("a folder") << QStringLiteral("安规") << "folder" << int(R::Refused) << true
                                  << QStringLiteral(
                                         "[软件提示]：文件“folder.rtf”无法读取，规程没有保存。");
        QTest::newRow("empty file")
            << QStringLiteral("安规") << "empty" << int(R::Refused) << true
            << QStringLiteral("[软件提示]：文件“empty.rtf”是空的，规程没有保存。");
        QTest::newRow("one byte over 50 MB")
            << QStringLiteral("安规") << "huge" << int(R::Refused) << true
            << QStringLiteral("[软件提示]：文件“huge.rtf”超过 50M 字节，规程没有保存。");
    }
    void storeChecksNameAndFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QFETCH(int, result);
        QFETCH(bool, asked);
        QFETCH(QString, notice);
        TestDatabase db;
        QTemporaryDir files;
        ScriptedFileDialogs dialogs;
        const QString path = files.filePath(file + QStringLiteral(".rtf"));
        if (file == QLatin1String("doc"))
            writeFile(files, QStringLiteral("doc.rtf"), "{\\rtf1 x}");
        else if (file == QLatin1String("folder"))
            QVERIFY(QDir(files.path()).mkdir(QStringLiteral("folder.rtf")));
        else if (file == QLatin1String("empty"))
            writeFile(files, QStringLiteral("empty.rtf"), QByteArray());
        else if (file == QLatin1String("huge")) {
            QFile huge(path);
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.resize(RegulationDocuments::kLargestFile + 1));
        }
        if (!file.isEmpty())
            dialogs.answers << path;
        RecordingNotifier notifier;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        QCOMPARE(int(documents.store(name)), result);
        QCOMPARE(dialogs.captions.size(), asked ? 1 : 0);
        QCOMPARE(notifier.notices, notice.isEmpty() ? QStringList() : QStringList{notice});
        QVERIFY(storedRows(db).isEmpty());
    }

    void storedDocumentKeepsNameAsTypedAndBytes()
    {
        TestDatabase db;
        QTemporaryDir files;
        // Bytes of every value, zero included, and GBK text.
        QByteArray bytes = gbk::encode(QStringLiteral("{\\rtf1\\ansicpg936 电力}"));
        bytes.append('\0').append(char(0xff)).append("tail");
        ScriptedFileDialogs dialogs;
        const QString chosen = writeFile(files, QStringLiteral("安规.rtf"), bytes);
        dialogs.answers << chosen;
        RecordingNotifier notifier;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        const QString name = QStringLiteral("安规") + QString(23, QChar(u'字'));
        QCOMPARE(documents.store(name), RegulationDocuments::StoreResult::Stored);
        QVERIFY(notifier.notices.isEmpty());
        const QList<StoredRow> rows = storedRows(db);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].title, name);
        QCOMPARE(rows[0].data, bytes);
        QCOMPARE(rows[0].flag, QStringLiteral("3"));
        QCOMPARE(documents.chosenFile(), QDir::toNativeSeparators(chosen));
        // Two documents may share a title; the reader shows the older one.
        dialogs.answers << writeFile(files, QStringLiteral("b.rtf"), "other");
        QCOMPARE(documents.store(name), RegulationDocuments::StoreResult::Stored);
        QCOMPARE(titlesOf(documents.managementList()), (QStringList{name, name}));
        QCOMPARE(documents.view(name)->data, bytes);
    }

    // Stored trimmed, as the reader looks titles up: blanks at the ends of a
    // name never hide its document.
    void storedNameIsTrimmed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: nothing stored
        QTest::newRow("blanks at both ends") << QStringLiteral(" 安规 ") << QStringLiteral("安规");
        QTest::newRow("tab, return and line feed")
            << QStringLiteral("\t安 规\r\n") << QStringLiteral("安 规");
        QTest::newRow("blanks only") << QStringLiteral("   ") << QString();
    }
    void storedNameIsTrimmed()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        TestDatabase db;
        QTemporaryDir files;
        ScriptedFileDialogs dialogs;
        dialogs.answers << writeFile(files, QStringLiteral("a.rtf"), "{\\rtf1 a}");
        RecordingNotifier notifier;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        documents.store(typed);
        if (stored.isEmpty()) {
            QCOMPARE(notifier.notices, QStringList{QStringLiteral("[软件提示]:请输入文档名.")});
            QVERIFY(dialogs.captions.isEmpty());
            QVERIFY(storedRows(db).isEmpty());
            return;
        }
        QVERIFY(notifier.notices.isEmpty());
        QCOMPARE(storedRows(db).size(), 1);
        QCOMPARE(storedRows(db).first().title, stored);
        QCOMPARE(documents.readerTitles(), QStringList{stored});
        QCOMPARE(documents.view(stored)->data, QByteArray("{\\rtf1 a}"));
    }

    void failedStoreIsToldAndTheNextOneWorks()
    {
        TestDatabase db;
        db.refuseWrites(QStringLiteral("insert"), QStringLiteral("help"),
                        QStringLiteral("database or disk is full"));
        QTemporaryDir files;
        const QString path = writeFile(files, QStringLiteral("a.rtf"), "{\\rtf1 a}");
        ScriptedFileDialogs dialogs;
        dialogs.answers << path << path;
        RecordingNotifier notifier;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        QCOMPARE(documents.store(QStringLiteral("安规")), RegulationDocuments::StoreResult::Failed);
        QCOMPARE(notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：规程没有保存，原因：数据文件拒绝了这次操作"
                                            "（详细信息：database or disk is full）。")});
        QVERIFY(storedRows(db).isEmpty());
        db.acceptWrites();
        QCOMPARE(documents.store(QStringLiteral("安规")), RegulationDocuments::StoreResult::Stored);
        QCOMPARE(storedRows(db).size(), 1);
    }

    void removeDeletesTheDocumentOfTheRow_data()
    {
        QTest::addColumn<qint64>("id");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QList<qint64>>("left");
        QTest::newRow("first of one title, any flag") << qint64(1) << true << QList<qint64>{2, 3};
        QTest::newRow("second of one title") << qint64(3) << true << QList<qint64>{1, 2};
        QTest::newRow("gone meanwhile") << qint64(9) << false << QList<qint64>{1, 2, 3};
        QTest::newRow("nothing selected") << qint64(0) << false << QList<qint64>{1, 2, 3};
    }
    void removeDeletesTheDocumentOfTheRow()
    {
        QFETCH(qint64, id);
        QFETCH(bool, removed);
        QFETCH(QList<qint64>, left);
        TestDatabase db;
        addDocument(db, 1, QStringLiteral("安规"), "old", QStringLiteral("1"));
        addDocument(db, 2, QStringLiteral("线路"), "x");
        addDocument(db, 3, QStringLiteral("安规"), "new");
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        QCOMPARE(documents.remove(id), removed);
        QList<qint64> ids;
        for (const DocumentEntry &entry : documents.managementList())
            ids << entry.id;
        QCOMPARE(ids, left);
        QVERIFY(notifier.notices.isEmpty());
    }

    void failedRemoveAndReadAreTold()
    {
        TestDatabase db;
        addDocument(db, 1, QStringLiteral("安规"), "x");
        db.refuseWrites(QStringLiteral("delete"), QStringLiteral("help"),
                        QStringLiteral("database is locked"));
        RecordingNotifier notifier;
        ScriptedFileDialogs dialogs;
        QTemporaryDir work;
        RegulationDocuments documents(db.db(), notifier, dialogs, work.path());
        QVERIFY(!documents.remove(1));
        QCOMPARE(notifier.notices,
                 QStringList{QStringLiteral("[软件提示]：规程没有删除，原因：数据文件拒绝了这次操作"
                                            "（详细信息：database is locked）。")});
        QCOMPARE(titlesOf(documents.managementList()), QStringList{QStringLiteral("安规")});
        db.exec(QStringLiteral("drop table help"));
        QCOMPARE(documents.readerTitles(), QStringList());
        QVERIFY(!documents.view(QStringLiteral("安规")));
        QCOMPARE(notifier.notices.size(), 3);
        QCOMPARE(notifier.notices.last(),
                 QStringLiteral(
                     "[软件提示]：规程资料没有读出，原因：数据文件缺少所需的数据表或数据列。"));
    }

    void plainTextOfOtherFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8") << QStringLiteral("第一条 总则").toUtf8()
                               << QStringLiteral("第一条 总则");
        QTest::newRow("gbk") << gbk::encode(QStringLiteral("第一条 总则"))
                             << QStringLiteral("第一条 总则");
        QTest::newRow("ascii") << QByteArray("rule 1") << QStringLiteral("rule 1");
    }
    void plainTextOfOtherFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(RegulationDocuments::plainText(bytes), text);
    }
};

DRILLBAY_TEST(RegulationDocumentsTest)
#include "RegulationDocumentsTest.moc"
