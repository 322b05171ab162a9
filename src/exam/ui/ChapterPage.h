#pragma once

#include "exam/PracticeSession.h"
#include "practice/SequentialPractice.h"

#include <QLatin1StringView>
#include <QStringList>
#include <QWidget>

class ChapterListDelegate;
class LinkLabel;
class QVBoxLayout;
class OutputView;
class QLabel;
class QListWidget;
class QPushButton;

// The object names by which tests and stored layouts find the controls.
struct ChapterPageNames
{
    static constexpr QLatin1StringView page{"TabSheet10"};
    static constexpr QLatin1StringView extractButton{"Button27"};
    static constexpr QLatin1StringView restoreLink{"Label66"};
    static constexpr QLatin1StringView logView{"RichEdit9"};
    static constexpr QLatin1StringView listLogLink{"Label122"};
    static constexpr QLatin1StringView deleteLogLink{"Label25"};
};

// The chapter page: the set list of the current chapter with
// "提取试题", the bank and chapter, the learning level and the practice log.
// It shows what sequential practice and the session hold and forwards clicks.
class ChapterPage : public QWidget
{
    Q_OBJECT

public:
    // The restore link stands this far right of the level line's start, the
    // hint line this far below it.
    static constexpr int kRestoreLinkOffset = 610;
    static constexpr int kHintLineOffset = 20;

    explicit ChapterPage(PracticeSession &session, QWidget *parent = nullptr);

    // highlightedSet: the set extracted last; chosenSet: the set "提取试题" takes.
    void render(const SequentialPractice::ChapterPage &page, int highlightedSet, int chosenSet,
                const PracticeSession::Frame &frame);

    QLabel *headingLabel() const { return m_heading; }
    QListWidget *setList() const { return m_list; }
    ChapterListDelegate *setListDelegate() const { return m_delegate; }
    QPushButton *extractButton() const { return m_extract; }
    LinkLabel *restoreLink() const { return m_restore; }
    // A link of another feature under the log's own two (the page takes it).
    void addLogLink(QWidget *link);
    OutputView *logView() const { return m_log; }

signals:
    // The restore link was clicked: the whole bank goes back to practise.
    void restoreRequested();

private:
    void setClicked(int row);

    PracticeSession &m_session;
    QLabel *m_heading = nullptr;
    QLabel *m_setInfo = nullptr;
    QListWidget *m_list = nullptr;
    ChapterListDelegate *m_delegate = nullptr;
    QPushButton *m_extract = nullptr;
    QLabel *m_bankChapter = nullptr;
    QLabel *m_level = nullptr;
    LinkLabel *m_restore = nullptr;
    QLabel *m_hint = nullptr;
    OutputView *m_log = nullptr;
    LinkLabel *m_listLog = nullptr;
    LinkLabel *m_deleteLog = nullptr;
    QVBoxLayout *m_logLinks = nullptr;
    QStringList m_items;
    int m_logSerial = -1;
};
