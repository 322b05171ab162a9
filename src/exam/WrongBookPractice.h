#pragma once

#include "exam/WrongBookSource.h"

#include <QSqlDatabase>
#include <QString>

class Notifier;
class PracticeSession;
class SettingsForm;

// "错题练习": practises the wrong-question book's questions of the current
// chapter (or, with the bank option, of its whole bank), newest mistakes
// first and at most the set size, as a run of its own kind with the countdown
// at the examination time.
class WrongBookPractice
{
public:
    static const QString kHint;
    // The left panel shows the practice page this long after the run started.
    static constexpr int kPanelDelayMs = 500;

    static QString statusText(int count);
    static QString startNotice(WrongBookSource::Scope scope, int count);
    static QString emptyNotice(WrongBookSource::Scope scope, bool chapterFound);
    static QString unavailableNotice();
    static QString readFailedNotice(const QString &reason);

    WrongBookPractice(QSqlDatabase db, PracticeSession &session, SettingsForm &form,
                      Notifier &notifier);

    // Off while the file holds no book (it could not be added).
    void setAvailable(bool available) { m_available = available; }

    // Loads and starts the run in place of any loaded run; false, loading
    // nothing, after a notice when the book has nothing there.
    bool start(WrongBookSource::Scope scope);

private:
    QSqlDatabase m_db;
    PracticeSession &m_session;
    SettingsForm &m_form;
    Notifier &m_notifier;
    bool m_available = true;
};
