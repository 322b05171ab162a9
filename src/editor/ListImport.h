#pragma once

#include "editor/ImportPlan.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class Notifier;

// What the window "批量导入试题" works on: the bank and chapter chosen, the
// list read (a file or the paste box) and its plan against the chapter, the
// import and its report. Every notice comes from here.
class ListImport
{
public:
    // A grid row of the preview.
    struct Row
    {
        QString line;
        QString type;
        QString stem; // cut
        QString answer;
        QString points;
        QString status;
        bool importable = false;
    };

    static constexpr int kStemChars = 40;
    inline static const QString kNothingToImport = QStringLiteral("[软件提示]：没有可导入的试题.");
    inline static const QString kNoChapter = QStringLiteral("[软件提示]：请先选择试题库和章节.");

    ListImport(QSqlDatabase db, Notifier &notifier);

    // Reads the enabled banks anew; the first becomes the chosen one.
    void reloadBanks();
    QStringList bankNames() const;
    void chooseBank(int index);
    int bankIndex() const { return m_bankIndex; }
    QStringList chapterNames() const;
    // The chosen chapter; the list read is checked against it anew.
    void chooseChapter(int index);
    qint64 chapterId() const { return m_chapterId; }
    int chapterIndex() const;
    // Chooses the chapter with the id and its bank; false when no enabled
    // bank holds it (the choice then stays).
    bool chooseChapterById(qint64 chapterId);

    // Reads the list; false (with the notice shown) when it cannot be read,
    // and the preview is then empty.
    bool readFile(const QString &path);
    bool readText(const QString &text);

    QList<Row> rows() const;
    QStringList summary() const { return m_plan.summary(); }
    bool hasImportable() const { return m_plan.importableCount() > 0; }

    // Stores every importable question; the report, or the notice of why
    // nothing was stored. After a store the list is checked anew (its
    // questions are now in the chapter).
    QStringList importAll();
    QString lastSource() const { return m_source; }

private:
    void replan();

    QSqlDatabase m_db;
    Notifier &m_notifier;
    QList<BankRow> m_banks;
    int m_bankIndex = -1;
    QList<ChapterRow> m_chapters;
    qint64 m_chapterId = 0;
    QList<ListDraft> m_drafts;
    ImportPlan m_plan;
    QString m_source;
};
