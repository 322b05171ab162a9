#pragma once

#include "base/StyledText.h"

#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QString>

class Notifier;

// What the "错题本" viewer shows and what its controls do: the book's
// questions of the current chapter's bank (or of one chapter of it), newest
// mistakes first, the full question with its answer for the row selected,
// removing one question and clearing a chapter's. Entries of deleted
// questions or chapters are never listed. The window renders display() after
// every changed() and forwards the user's actions.
class WrongBookViewer : public QObject
{
    Q_OBJECT

public:
    struct Row
    {
        qint64 questionId = 0;
        qint64 chapterId = 0;
        QString chapter;
        QString stem; // cut as in the other question lists
        int timesWrong = 0;
        QString lastWrong; // yyyy-MM-dd
    };
    struct ChapterChoice
    {
        qint64 id = 0; // 0: every chapter of the bank
        QString label; // name and count
    };
    struct Display
    {
        QString title;
        QList<ChapterChoice> chapters{{0, QString()}};
        int chapterIndex = 0;
        QList<Row> rows;
        int selected = -1;
        StyledText detail;
        int serial = 0; // grows whenever anything above changes
    };

    WrongBookViewer(QSqlDatabase db, Notifier &notifier, QObject *parent = nullptr);

    static QString countTitle(const QString &bank, int count);
    static QString removeQuestion();
    static QString clearQuestion(const QString &chapter, int count);
    static QString noChapterNotice();
    static QString notChangedNotice(const QString &reason);
    static QString notReadNotice(const QString &reason);

    const Display &display() const { return m_display; }

    // Lists the book of the chapter's bank, every chapter; the chapter filter
    // is kept when that chapter still has entries.
    void fill(const QString &currentChapter);
    // The chapter choice (index into display().chapters).
    void chooseChapter(int index);
    // A row clicked: its full text and answer in the detail.
    void select(int row);
    // "移出错题本": after the user's yes, the selected question leaves the book.
    void removeSelected();
    // "清空本章错题": after the user's yes, every entry of the chosen chapter.
    void clearChapter();

signals:
    void changed();

private:
    void reload();

    QSqlDatabase m_db;
    Notifier &m_notifier;
    qint64 m_bankId = 0;
    QString m_bankName;
    qint64 m_chapterId = 0;
    Display m_display;
};
