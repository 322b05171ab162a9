#pragma once

#include "practice/ChapterLoader.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

class Notifier;
class PracticeRun;

// Sequential practice of the current chapter: loading the chapter (also for
// the picker), the chapter page with its set list, and extracting a set into
// the practice run.
class SequentialPractice
{
public:
    // Texts of the chapter page and of the known figure; they keep their
    // previous values when a load fails.
    struct ChapterPage
    {
        QString heading = QStringLiteral("请选择分割试题,并点击【提取试题】调入试题");
        QString setInfoLine;
        QStringList setItems; // row i = set index i; draw row highlightedSet red
        QString bankChapterLine;
        QString levelLine;
        QString hintLine;        // 20 px below the level line
        QString restoreLinkText; // on the level line, 610 px right of its start
        QString knownFigure;     // bottom bar
        qint64 bankId = 0;
        QString bankName;
    };

    struct StartResult
    {
        ChapterLoader::Result load;
        bool gradedRun = false;  // an active run was handed to grading
        bool openPicker = false; // open the picker after the notice
    };

    struct ExtractResult
    {
        bool ok = false;              // false: the empty-set notice was shown, no run
        int sliderPosition = 0;       // put the settings page slider here
        int countdownMinutes = 0;     // start the countdown with these minutes
        QString statusText;           // run status text of the top bar
        int switchPanelAfterMs = 200; // then show the practice page of the left panel
        // Also on success: show "【此题会做不练习】", hide "★选择章节：" and the
        // chapter link, disable the picture leading back to the command page.
    };

    // "提取试题" while a run is loaded and not yet graded.
    static const QString kHandInFirstNotice;

    SequentialPractice(QSqlDatabase db, PracticeRun &run, Notifier &notifier);

    // Grading of an active run when sequential practice starts. It is expected
    // to end the run (PracticeRun::endRun) when its review closes.
    void setGradeHandler(std::function<void()> grade) { m_grade = std::move(grade); }

    // Loads the chapter with the type filter and the set-size field: on
    // success the page texts and the run's division change; on failure the
    // notice is shown and nothing but the known figure changes. The picker
    // uses it with typeFilter 0 and opens itself again when openPicker is set.
    ChapterLoader::Result loadChapter(const QString &chapter, int typeFilter, int setSizeField);

    // "本章顺序练习" (typeFilter 0) or the type choice box (item + 1).
    StartResult start(const QString &chapter, int typeFilter, int setSizeField);

    // A set chosen in the set list (click or keys); ignored while a run is loaded.
    void setClicked(int row);

    // "提取试题": the chosen set of the chapter into the run. Refused with a
    // notice while a run is loaded, and when the set list was divided for
    // another chapter or type than the one asked for last.
    ExtractResult extract(const QString &chapter, int examMinutesField);

    // How the chapter's questions still to practise are cut into sets, and
    // which set is chosen.
    struct SetDivision
    {
        int setSize = 0;
        int setCount = 0;
        int setIndex = 0;       // the chosen set: the one "提取试题" loads
        int highlightedSet = 0; // the set drawn red in the list
        int typeFilter = 0;     // 0 all types, 1 … 5 one type
    };

    const ChapterPage &page() const { return m_page; }
    const SetDivision &division() const { return m_division; }
    // The set the run extracted last came from. It stays that set when the
    // chapter is divided anew under a loaded run (a restore of the bank), so
    // the run is graded, logged and saved as its own set.
    int runSetIndex() const { return m_runSetIndex; }
    // The known figure as marking and restoring questions write it (chapter
    // known ":" chapter total); the next chapter load writes its own.
    void setKnownFigure(const QString &figure) { m_page.knownFigure = figure; }
    // After grading, the list marks the set the run came from.
    void markGradedSet() { m_division.highlightedSet = m_runSetIndex; }

private:
    QSqlDatabase m_db;
    PracticeRun &m_run;
    Notifier &m_notifier;
    std::function<void()> m_grade;
    ChapterPage m_page;
    SetDivision m_division;
    int m_runSetIndex = 0;
    // Chapter and type filter the set list was divided for; -1 before the first load.
    QString m_divisionChapter;
    int m_divisionFilter = -1;
};
