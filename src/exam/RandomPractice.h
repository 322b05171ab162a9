#pragma once

#include "exam/RandomPracticeSource.h"

#include <QSqlDatabase>
#include <QString>

class Notifier;
class PracticeSession;
class RandomSource;
class SettingsForm;

// "本类随机练习" and "本章随机练习": tells the user what is drawn from where,
// draws the run and starts it through the session in place of any loaded run,
// with the countdown at the examination time.
class RandomPractice
{
public:
    // The commands' hint on the command page.
    static const QString kHint;
    // The run status of the top bar: "随机练习状态 [n]道".
    static QString statusText(int count);
    // Shown before the draw: where from, how many candidates, the set size.
    static QString scopeNotice(RandomPracticeSource::Scope scope, const QString &name,
                               int candidateCount, int setSize);
    // Shown when the scope holds fewer candidates than the set size: all are drawn.
    static QString fewerNotice(int candidateCount, int setSize);
    // Shown once the run is loaded.
    static QString startNotice(int count);
    // Shown instead of a run when there is nothing to draw from.
    static QString emptyNotice(RandomPracticeSource::Scope scope, bool chapterFound);
    // Shown when the questions cannot be read; the loaded run, if any, stays.
    static QString readFailedNotice(const QString &reason);

    // The left panel shows the practice page this long after the run started.
    static constexpr int kPanelDelayMs = 500;

    RandomPractice(QSqlDatabase db, PracticeSession &session, SettingsForm &form,
                   Notifier &notifier, RandomSource &random);

    // Draws from the scope around the session's current chapter and starts
    // the run. False, loading nothing, when there is nothing to draw or a
    // grading is in progress.
    bool start(RandomPracticeSource::Scope scope);

private:
    QSqlDatabase m_db;
    PracticeSession &m_session;
    SettingsForm &m_form;
    Notifier &m_notifier;
    RandomSource &m_random;
};
