#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QVector>

class RandomSource;

// The draw behind the mock examination: a chapter's questions of one type
// drawn without repeats, and the re-draw of every quota of a bank. The draw
// only reads questions and writes quota rows; a loaded practice run is never
// touched.
class QuotaDraw
{
public:
    QuotaDraw(QSqlDatabase db, RandomSource &random) : m_db(std::move(db)), m_random(random) {}

    struct Drawn
    {
        QVector<qint64> ids; // in drawing order
        int held = 0;        // the chapter's questions of the type
    };
    // `quota` distinct questions of the chapter's type, or all of them when it
    // holds fewer. Throws StoreError when the questions cannot be read.
    Drawn draw(qint64 chapterId, int type, int quota) const;

    struct Redrawn
    {
        int drawn = 0;          // the questions drawn in all
        QStringList shortLines; // chapters that held fewer than their quota
        int goneRows = 0;       // rows of chapters that no longer exist, left alone
    };
    // Draws every quota above 0 of the bank anew and stores the lists, and
    // as each row's total the questions drawn for it (fewer than its quotas
    // where its chapter holds fewer), in one transaction; lists of quota 0
    // stay as stored. Throws StoreError when it fails; nothing is changed then.
    Redrawn redrawBank(qint64 bankId);

private:
    QSqlDatabase m_db;
    RandomSource &m_random;
};
