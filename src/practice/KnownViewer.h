#pragma once

#include "base/StyledText.h"
#include "practice/KnownViewBuilder.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class KnownQuestions;

// What the viewer of known questions shows and what its controls do: the
// chapter's known questions as they were when it was filled, the detail of
// the row clicked last, and putting questions back to practise. The window
// renders display() after every changed() and forwards the clicks.
//
// The viewer is modeless: the main window may change its chapter while it is
// up. Its restores act on the chapter it lists, which only "【查看】" (fill)
// changes; the main window's known figure is always that of its own chapter.
class KnownViewer : public QObject
{
    Q_OBJECT

public:
    struct Display
    {
        QString countLabel = known::countLabel(0);
        QList<known::GridRow> rows{known::GridRow{}};
        int rowsSerial = 0; // grows whenever the rows are replaced
        StyledText detail;
        int detailSerial = 0; // grows whenever the detail is replaced
    };

    // chapter names the current chapter of the main window when asked.
    KnownViewer(KnownQuestions &known, std::function<QString()> chapter, QObject *parent = nullptr);

    const Display &display() const { return m_display; }
    // The id of the row clicked last, as its grid cell shows it; empty until
    // a row is clicked, then kept while the program runs.
    const QString &selectedId() const { return m_selectedId; }
    // The chapter whose known questions are listed (the main window's
    // chapter at the last fill).
    const QString &listedChapter() const { return m_listed; }

    // Lists the current chapter's known questions ("【查看】" before showing).
    void fill();
    // A click on grid row `row` (0-based): its question in the detail view.
    // An empty row does nothing.
    void clickRow(int row);
    // "恢复此题" and "全部恢复" (the listed chapter's known questions).
    void restoreOne();
    void restoreAll();

signals:
    void changed();
    // The main window's known figure after a restore.
    void figureChanged(const QString &figure);

private:
    void list();
    void refillAfterRestore();

    KnownQuestions &m_known;
    std::function<QString()> m_chapter;
    Display m_display;
    QString m_selectedId;
    QString m_listed;
};
