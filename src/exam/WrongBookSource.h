#pragma once

#include "practice/RunSource.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// A run from the wrong-question book: the book's questions of the current
// chapter, or of every chapter of its bank, newest mistakes first, at most
// the set size of them. Questions or chapters deleted meanwhile are left out.
class WrongBookSource : public RunSource
{
public:
    enum class Scope
    {
        Chapter,
        Bank
    };

    WrongBookSource(QSqlDatabase db, Scope scope, QString chapter, int setSize);

    // Whether the current chapter exists at all (nothing to practise otherwise).
    bool chapterFound() const;
    // The ids the run takes, newest mistakes first.
    QList<qint64> ids() const;
    // Those questions read whole, in the same order.
    RunContent contentOf(const QList<qint64> &ids) const;
    RunContent content() const override;

private:
    QSqlDatabase m_db;
    Scope m_scope;
    QString m_chapter;
    int m_setSize;
};
