#pragma once

#include "base/StyledText.h"

#include <QSqlDatabase>
#include <QString>

class Notifier;
class RandomSource;

// "轻松一下": one stored joke, drawn at random and decoded, and the lines of
// the joke page around it.
class JokeDraw
{
public:
    JokeDraw(QSqlDatabase db, RandomSource &random, Notifier &notifier)
        : m_db(std::move(db)), m_random(random), m_notifier(notifier)
    {
    }

    // A joke drawn from every stored joke, each equally likely; empty when
    // there is none, when the decoder refuses it or when the jokes cannot be
    // read (which is told).
    QString next();

    // The joke page: an empty line, the view's own empty line, "【每日一笑】",
    // an empty line and the joke, a paragraph a line, all in the view's
    // default font and colour.
    static StyledText pageLines(const QString &joke);

private:
    QSqlDatabase m_db;
    RandomSource &m_random;
    Notifier &m_notifier;
};
