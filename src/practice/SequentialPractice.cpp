#include "practice/SequentialPractice.h"

#include "base/Notifier.h"
#include "practice/PracticeRun.h"
#include "practice/QuestionSource.h"
#include "practice/SequentialSetSource.h"

const QString SequentialPractice::kHandInFirstNotice =
    QStringLiteral("[软件提示]：本套试题还没有交卷，请先点击左边的【交卷评阅】按钮交卷评阅。");

SequentialPractice::SequentialPractice(QSqlDatabase db, PracticeRun &run, Notifier &notifier)
    : m_db(db), m_run(run), m_notifier(notifier)
{
}

ChapterLoader::Result SequentialPractice::loadChapter(const QString &chapter, int typeFilter,
                                                      int setSizeField)
{
    m_division.typeFilter = typeFilter;
    ChapterLoader::Result result = ChapterLoader(m_db).load(chapter, typeFilter, setSizeField);
    m_page.knownFigure = result.knownFigure;
    if (!result.ok) {
        m_notifier.inform(result.notice);
        return result;
    }
    // A new division: no set of the old list stays chosen.
    m_page.heading = ChapterPage().heading;
    m_page.setInfoLine = result.setInfoLine;
    m_page.setItems = result.setItems;
    m_page.bankChapterLine = result.bankChapterLine;
    m_page.levelLine = result.levelLine;
    m_page.hintLine = result.hintLine;
    m_page.restoreLinkText = result.restoreLinkText;
    m_page.bankId = result.bankId;
    m_page.bankName = result.bankName;
    m_division.setSize = result.setSize;
    m_division.setCount = result.setCount;
    m_division.setIndex = 0;
    m_division.highlightedSet = 0;
    m_run.chapterDivided();
    m_divisionChapter = chapter;
    m_divisionFilter = typeFilter;
    return result;
}

SequentialPractice::StartResult SequentialPractice::start(const QString &chapter, int typeFilter,
                                                          int setSizeField)
{
    StartResult result;
    m_run.showChapterPage();
    result.load = loadChapter(chapter, typeFilter, setSizeField);
    result.openPicker = !result.load.ok && result.load.openPicker;
    m_run.freeStrip();
    if (m_run.active()) {
        result.gradedRun = true;
        if (m_grade)
            m_grade();
        // Grading ends the run when its review closes; nothing is left loaded.
        if (m_run.active())
            m_run.endRun();
    }
    m_division.highlightedSet = 0;
    return result;
}

void SequentialPractice::setClicked(int row)
{
    // The set of a loaded run is what its log record and file name will name.
    if (m_run.active() || row < 0 || row >= m_page.setItems.size())
        return;
    m_page.heading = m_page.setItems.at(row);
    m_division.setIndex = row;
}

SequentialPractice::ExtractResult SequentialPractice::extract(const QString &chapter,
                                                              int examMinutesField)
{
    ExtractResult result;
    // A loaded run is handed in before anything replaces it.
    if (m_run.active()) {
        m_notifier.inform(kHandInFirstNotice);
        return result;
    }
    // The set list was divided for another chapter or type than the one
    // asked for last (a load that found nothing to practise keeps the old
    // list): what was asked for has nothing to practise.
    if (m_divisionChapter != chapter || m_divisionFilter != m_division.typeFilter) {
        m_notifier.inform(ChapterLoader::failureNotice(chapter, m_division.typeFilter));
        return result;
    }
    const RunContent set = SequentialSetSource(m_db, chapter,
                                               {m_division.typeFilter, m_division.setSize,
                                                m_division.setCount, m_division.setIndex})
                               .content();
    if (set.isEmpty()) {
        m_notifier.inform(QuestionSource::kEmptySetNotice);
        return result;
    }
    m_division.highlightedSet = m_division.setIndex;
    m_runSetIndex = m_division.setIndex;
    // The slider goes back to the whole tenths it stands for (the live delay).
    result.sliderPosition = m_run.sliderDelay() * 100;
    m_run.setSliderPosition(result.sliderPosition);
    result.countdownMinutes = examMinutesField;
    m_run.load(set);
    result.statusText = QStringLiteral(" 顺序练习 第[") + QString::number(m_division.setIndex + 1) +
                        QStringLiteral("]套，") + QStringLiteral("共有 [") +
                        QString::number(m_run.length()) + QStringLiteral("] 道");
    result.ok = true;
    return result;
}
