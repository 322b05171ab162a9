#pragma once

#include "base/StyledText.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>

class Notifier;

// The keyword search of "试题查询": finds every question of the current
// chapter's bank whose stem holds the keyword exactly as typed (blanks,
// case and "<BR>" markers included) and lists the hits as question blocks in
// storage order. The bank is read once, in stretches, so that the window can
// show the hits found so far and stay responsive; nothing is kept between
// searches.
class KeywordSearch
{
public:
    // Longest keyword the field takes, in GBK bytes.
    static constexpr int kMaxKeywordLength = 50;

    struct Bank
    {
        qint64 id = 0; // 0 when the chapter is unknown
        QString name;
        int questions = 0;
    };

    KeywordSearch(QSqlDatabase db, Notifier &notifier);

    // The bank of the chapter with the name, and how many questions it holds.
    Bank bankOf(const QString &chapterName) const;

    static QString bankNotice(const Bank &bank);
    static QString countNotice(int hits);
    static QString emptyKeywordNotice();
    static QString copyNotice();

    // "查询": the bank notice, then the keyword check. True when a pass has
    // begun: the view is emptied and shows heading() and then what next() finds.
    bool start(const QString &chapterName, const QString &keyword);
    // The red heading naming the keyword and the blank line under it.
    StyledText heading() const;
    // Reads the next stretch of at most `rows` questions, ending it early once
    // `maxHits` were found, and hands the blocks of its hits to `write`. The
    // cap keeps each stretch's writing short when most questions match, so
    // the window shows the first hits soon and stays responsive. After the
    // last stretch the pass ends with the count notice, given once the hits
    // are written; a failed read ends it with a notice saying so.
    static constexpr int kHitsPerStretch = 250;
    void next(int rows, const std::function<void(const StyledText &)> &write,
              int maxHits = kHitsPerStretch);
    // Ends the pass without a notice (the window was closed).
    void stop() { m_running = false; }
    bool running() const { return m_running; }
    int hits() const { return m_hits; }

private:
    void finish();

    QSqlDatabase m_db;
    Notifier &m_notifier;
    Bank m_bank;
    QString m_keyword;
    // The pass reads the ids from the bank's smallest to its largest as they
    // were when the first stretch began.
    bool m_spanKnown = false;
    qint64 m_lastId = 0; // the last question read
    qint64 m_lastToRead = 0;
    int m_hits = 0;
    bool m_running = false;
};
