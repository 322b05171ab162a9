#pragma once

#include "editor/ListDraft.h"
#include "store/QuestionTable.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>

// A question list checked against the chapter it is to go into: each draft
// with its status, "可导入" or the first rule of the entry pages it breaks
// (in the entry pages' own words), or "与本章已有试题重复" when the chapter,
// or a question before it in the list, already holds its stem.
class ImportPlan
{
public:
    inline static const QString kImportable = QStringLiteral("可导入");
    inline static const QString kDuplicate = QStringLiteral("与本章已有试题重复");
    inline static const QString kUnknownType = QStringLiteral("[软件提示]：题型无法识别.");

    struct Item
    {
        ListDraft source;
        QString status;
        bool importable = false;
        QuestionRow row; // what is stored, when importable
    };

    // What the store step did.
    struct Outcome
    {
        bool stored = false;
        QString message;              // why nothing was stored; empty when stored
        std::array<int, 6> perType{}; // stored questions by type code
        int total = 0;
    };

    ImportPlan() = default;
    // Checks every draft; chapterStems are the stems the chapter holds.
    ImportPlan(const QList<ListDraft> &drafts, const QStringList &chapterStems);
    // The same, the chapter's stems read from the store.
    static ImportPlan forChapter(const QList<ListDraft> &drafts, QSqlDatabase db, qint64 chapterId);

    const QList<Item> &items() const { return m_items; }
    // Drafts of the type (code 1 … 5; 0 every type) that can or cannot be stored.
    int count(int type, bool importable) const;
    int importableCount() const { return count(0, true); }

    // Stores every importable question in one transaction, in list order.
    // Nothing is stored when the chapter is gone or a write fails; the
    // outcome then says why.
    Outcome store(QSqlDatabase db, qint64 chapterId) const;

    // The report after the store step: the stored count by type, then each
    // draft left out with its line and reason.
    QStringList report(const Outcome &outcome) const;
    // "单选题 12 道，可导入 10 道 …": the counts by type and status.
    QStringList summary() const;

private:
    QList<Item> m_items;
};
