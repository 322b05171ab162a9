#pragma once

#include "practice/RunSource.h"

#include <QSqlDatabase>
#include <QString>

// One set of a chapter's questions still to practise, in stored order, as
// the chapter is divided now.
class SequentialSetSource : public RunSource
{
public:
    struct Set
    {
        int typeFilter = 0; // 0 all types, 1 … 5 one type
        int setSize = 0;
        int setCount = 0;
        int setIndex = 0; // 0-based
    };

    SequentialSetSource(QSqlDatabase db, QString chapter, Set set)
        : m_db(std::move(db)), m_chapter(std::move(chapter)), m_set(set)
    {
    }

    RunContent content() const override;

private:
    QSqlDatabase m_db;
    QString m_chapter;
    Set m_set;
};
