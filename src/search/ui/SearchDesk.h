#pragma once

#include "base/DeskServices.h"
#include "search/PaperComposer.h"
#include "widgets/PageHandle.h"
#include "widgets/QtFileDialogs.h"

#include <QLatin1StringView>
#include <QObject>
#include <memory>

class ComposedPaperWindow;
class CompositionPage;
class LinkLabel;
class MainFrame;
class OutputCommands;
class SearchWindow;

// The object names by which tests and stored layouts find the controls.
struct SearchDeskNames
{
    static constexpr QLatin1StringView compositionPage{"TabSheetCompose"};
    static constexpr QLatin1StringView searchCommand{"Label17"};
    static constexpr QLatin1StringView composeChapterCommand{"Label2"};
    static constexpr QLatin1StringView composeBankCommand{"Label134"};
};

// Searching and composing papers from the main window: "本类试题查询",
// "本章试题组卷" and "本类试题组卷" on the tools group, the composition page,
// and the windows "试题查询" and "组卷结果". Both read the current bank and
// chapter of the selection.
class SearchDesk : public QObject
{
    Q_OBJECT

public:
    // searchNotifier, paperNotifier: the notices over the two windows.
    SearchDesk(MainFrame &frame, const DeskServices &services, Notifier &searchNotifier,
               Notifier &paperNotifier, QObject *parent = nullptr);
    ~SearchDesk() override;

    // Opens the composition page for the scope and shows it.
    void openComposition(PaperComposer::Scope scope);

    SearchWindow *searchWindow() const { return m_search.get(); }
    ComposedPaperWindow *composedPaper() const { return m_composed.get(); }
    CompositionPage *compositionPage() const { return m_page; }
    PageHandle compositionPageHandle() const { return m_handle; }

private:
    LinkLabel *addCommand(const QString &text, QLatin1StringView name);

    MainFrame &m_frame;
    Selection &m_selection;
    QtFileDialogs m_searchDialogs;
    QtFileDialogs m_paperDialogs;
    std::unique_ptr<OutputCommands> m_searchCommands;
    std::unique_ptr<OutputCommands> m_paperCommands;
    std::unique_ptr<SearchWindow> m_search;
    std::unique_ptr<ComposedPaperWindow> m_composed;
    CompositionPage *m_page = nullptr;
    PageHandle m_handle;
};
