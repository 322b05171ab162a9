#include "search/ui/SearchDesk.h"

#include "base/Selection.h"
#include "search/ui/ComposedPaperWindow.h"
#include "search/ui/CompositionPage.h"
#include "search/ui/OutputCommands.h"
#include "search/ui/SearchWindow.h"
#include "widgets/LinkLabel.h"
#include "widgets/MainFrame.h"

SearchDesk::SearchDesk(MainFrame &frame, const DeskServices &services, Notifier &searchNotifier,
                       Notifier &paperNotifier, QObject *parent)
    : QObject(parent), m_frame(frame), m_selection(services.selection)
{
    m_searchCommands =
        std::make_unique<OutputCommands>(services.clipboard, searchNotifier, m_searchDialogs);
    m_paperCommands =
        std::make_unique<OutputCommands>(services.clipboard, paperNotifier, m_paperDialogs);

    Selection *selection = &m_selection;
    m_search = std::make_unique<SearchWindow>(services.db, searchNotifier, *m_searchCommands,
                                              [selection] { return selection->chapter(); });
    m_search->hide();
    m_searchDialogs.setParent(m_search.get());

    m_page = new CompositionPage(services.db, services.notifier, services.random);
    m_page->setObjectName(SearchDeskNames::compositionPage);
    m_page->setBankSource([selection] { return selection->bankName(); });
    m_handle = frame.installPage(m_page);
    m_composed = std::make_unique<ComposedPaperWindow>(m_page->composer(), *m_paperCommands);
    m_composed->hide();
    m_paperDialogs.setParent(m_composed.get());

    connect(addCommand(QStringLiteral("本类试题查询"), SearchDeskNames::searchCommand),
            &LinkLabel::clicked, m_search.get(), &SearchWindow::open);
    connect(addCommand(QStringLiteral("本章试题组卷"), SearchDeskNames::composeChapterCommand),
            &LinkLabel::clicked, this, [this] { openComposition(PaperComposer::Scope::Chapter); });
    connect(addCommand(QStringLiteral("本类试题组卷"), SearchDeskNames::composeBankCommand),
            &LinkLabel::clicked, this, [this] { openComposition(PaperComposer::Scope::Bank); });
    connect(m_page, &CompositionPage::paperRequested, m_composed.get(), &ComposedPaperWindow::open);
}

SearchDesk::~SearchDesk() = default;

void SearchDesk::openComposition(PaperComposer::Scope scope)
{
    m_page->open(scope, m_selection.chapter(), m_selection.bankName());
    m_frame.showPage(m_handle);
}

LinkLabel *SearchDesk::addCommand(const QString &text, QLatin1StringView name)
{
    auto *link = new LinkLabel(text);
    link->setObjectName(name);
    m_frame.addCommand(MainFrame::CommandGroup::Tools, link);
    return link;
}
