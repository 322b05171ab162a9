#pragma once

#include "practice/RunSource.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

class RandomSource;

// A random run: questions drawn without repeats from every chapter of the
// current chapter's bank, or from the current chapter alone. Questions marked
// as known are candidates like the others. The run keeps the candidates'
// order (storage order), not the order of drawing.
class RandomPracticeSource : public RunSource
{
public:
    enum class Scope
    {
        Bank,
        Chapter
    };

    // The questions the draw chooses from.
    struct Candidates
    {
        bool chapterFound = false; // false: no such chapter, nothing to draw from
        QString scopeName;         // the bank's name or the chapter's name
        QList<qint64> ids;         // in storage order
    };

    RandomPracticeSource(QSqlDatabase db, RandomSource &random, Scope scope, QString chapter,
                         int setSize);

    // How many questions a run takes from this many candidates: the set size,
    // or every candidate when there are fewer (never more than a run holds).
    static int runSize(int candidateCount, int setSize);

    // One statement: the ids of the scope's questions.
    Candidates candidates() const;
    // Draws count of the candidates and reads their rows with one statement,
    // in the candidates' order. Questions deleted since the ids were read are
    // left out, so the run may be shorter than count.
    RunContent draw(const Candidates &candidates, int count) const;
    // Both: a run of runSize() questions (empty when there is no candidate).
    RunContent content() const override;

private:
    QSqlDatabase m_db;
    RandomSource &m_random;
    Scope m_scope;
    QString m_chapter;
    int m_setSize;
};
