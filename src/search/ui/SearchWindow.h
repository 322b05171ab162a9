#pragma once

#include "search/KeywordSearch.h"
#include "search/ui/OutputCommands.h"

#include <QLatin1StringView>
#include <QSqlDatabase>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;
class OutputView;

// The object names by which tests and stored layouts find the controls.
struct SearchWindowNames
{
    static constexpr QLatin1StringView window{"TForm17"};
    static constexpr QLatin1StringView panel{"Panel1"};
    static constexpr QLatin1StringView keywordHint{"Label1"};
    static constexpr QLatin1StringView keywordField{"Edit1"};
    static constexpr QLatin1StringView searchButton{"Button1"};
    static constexpr QLatin1StringView closeButton{"Button2"};
    static constexpr QLatin1StringView hitsView{"RichEdit1"};
};

// "试题查询": the keyword field, "查询" and "关闭" on a white panel,
// the hits in the output view beside it. The pass over the bank runs in
// stretches between event-loop turns, so the hits appear as they are found
// and "关闭" stays usable; closing the window ends the pass.
class SearchWindow : public QWidget
{
    Q_OBJECT

public:
    // The first stretch is short, so the first hits show at once.
    static constexpr int kFirstStretch = 500;
    static constexpr int kStretch = 4000;

    SearchWindow(QSqlDatabase db, Notifier &notifier, OutputCommands &commands,
                 std::function<QString()> currentChapter, QWidget *parent = nullptr);

    // Empties the view and shows the window modally; the keyword stays.
    void open();

    QLineEdit *keywordField() const { return m_keyword; }
    QPushButton *searchButton() const { return m_searchButton; }
    OutputView *view() const { return m_view; }
    const KeywordSearch &search() const { return m_search; }

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void runSearch();
    void nextStretch();
    void copy();

    KeywordSearch m_search;
    OutputCommands &m_commands;
    std::function<QString()> m_currentChapter;
    QLineEdit *m_keyword = nullptr;
    QPushButton *m_searchButton = nullptr;
    OutputView *m_view = nullptr;
    QTimer m_stretchTimer;
    bool m_firstStretch = true;
};
