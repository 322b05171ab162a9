#include "reference/ui/ReferenceDesk.h"

#include "reference/IdleSource.h"
#include "reference/IdleTime.h"
#include "reference/MemoryStatus.h"
#include "reference/ui/AboutBox.h"
#include "reference/ui/DocumentViewer.h"
#include "reference/ui/DocumentsPage.h"
#include "settings/PasswordGate.h"
#include "widgets/LinkLabel.h"
#include "widgets/MainFrame.h"
#include "widgets/OutputView.h"

#include <QTimer>

namespace {

constexpr int kJokePoints = 10;

LinkLabel *command(const QString &text, QLatin1StringView name)
{
    auto *link = new LinkLabel(text);
    link->setObjectName(name);
    return link;
}

} // namespace

ReferenceDesk::ReferenceDesk(MainFrame &frame, QSqlDatabase db, Services services,
                             const QString &workFolder)
    : QObject(&frame), m_frame(frame), m_services(services),
      m_viewer(std::make_unique<DocumentViewer>()), m_about(std::make_unique<AboutBox>()),
      m_documents(db, services.notifier, services.dialogs, workFolder),
      m_jokes(db, services.random, services.notifier), m_marquee(services.random)
{
    m_viewer->hide();
    m_about->hide();

    // Pages of the main window.
    m_page = new DocumentsPage(RegulationDocuments::kNameLimit);
    m_page->setObjectName(ReferenceDeskNames::managementPage);
    m_pageHandle = frame.installPage(m_page);
    connect(m_page, &DocumentsPage::storeRequested, this, &ReferenceDesk::storeDocument);
    connect(m_page, &DocumentsPage::deleteRequested, this, &ReferenceDesk::deleteDocument);
    m_jokeView = new OutputView;
    m_jokeView->setObjectName(ReferenceDeskNames::jokeView);
    m_jokeView->setDefaultFont(FontFamily::Song, kJokePoints);
    m_jokeHandle = frame.installPage(m_jokeView);

    // Commands.
    LinkLabel *reader = command(QStringLiteral("规程资料"), ReferenceDeskNames::readerCommand);
    LinkLabel *joke = command(QStringLiteral("轻松一下"), ReferenceDeskNames::jokeCommand);
    LinkLabel *aboutCommand = command(QStringLiteral("关于..."), ReferenceDeskNames::aboutCommand);
    frame.addCommand(MainFrame::CommandGroup::Extras, reader);
    frame.addCommand(MainFrame::CommandGroup::Extras, joke);
    frame.addCommand(MainFrame::CommandGroup::Extras, aboutCommand);
    m_writing = command(QStringLiteral("规程写入"), ReferenceDeskNames::writingCommand);
    connect(reader, &LinkLabel::clicked, this, &ReferenceDesk::openReader);
    connect(joke, &LinkLabel::clicked, this, &ReferenceDesk::showJoke);
    connect(aboutCommand, &LinkLabel::clicked, this, &ReferenceDesk::showAbout);
    connect(m_writing, &LinkLabel::clicked, this, &ReferenceDesk::openManagement);
    connect(m_viewer.get(), &DocumentViewer::titleClicked, this, &ReferenceDesk::viewDocument);

    // The slogan strip and the idle time run from start-up.
    connect(&frame, &MainFrame::sloganStripClicked, this, &ReferenceDesk::toggleSlogan);
    m_sloganTimer = new QTimer(this);
    m_sloganTimer->setObjectName(ReferenceDeskNames::sloganTimer);
    m_sloganTimer->setInterval(SloganMarquee::kTickMs);
    connect(m_sloganTimer, &QTimer::timeout, this, &ReferenceDesk::tickSlogan);
    m_sloganTimer->start();
    m_idleTimer = new QTimer(this);
    m_idleTimer->setObjectName(ReferenceDeskNames::idleTimer);
    m_idleTimer->setInterval(idle::kTickMs);
    connect(m_idleTimer, &QTimer::timeout, this, &ReferenceDesk::tickIdle);
    m_idleTimer->start();
    showSlogan();
}

ReferenceDesk::~ReferenceDesk()
{
    if (m_writing && !m_writing->parent())
        delete m_writing.data();
}

LinkLabel *ReferenceDesk::writingCommand() const
{
    return m_writing.data();
}

void ReferenceDesk::openReader()
{
    m_viewer->open(m_documents.readerTitles());
}

void ReferenceDesk::viewDocument(const QString &title)
{
    m_viewer->clearDocument();
    if (const std::optional<DocumentRow> row = m_documents.view(title))
        m_viewer->showDocument(row->title, row->data);
}

void ReferenceDesk::openManagement()
{
    if (!m_services.gate.accepted()) {
        emit passwordRequested();
        return;
    }
    m_page->setDocuments(m_documents.managementList());
    m_frame.showPage(m_pageHandle);
}

void ReferenceDesk::storeDocument(const QString &name)
{
    const RegulationDocuments::StoreResult result = m_documents.store(name);
    if (result == RegulationDocuments::StoreResult::NoName)
        return;
    if (result != RegulationDocuments::StoreResult::Cancelled)
        m_page->setFilePath(m_documents.chosenFile());
    if (result == RegulationDocuments::StoreResult::Stored) {
        // Read back, so the list shows the name as it was stored.
        m_page->setDocuments(m_documents.managementList());
        m_page->clearName();
    }
}

void ReferenceDesk::deleteDocument(qint64 id)
{
    if (id == 0)
        return;
    m_documents.remove(id);
    m_page->setDocuments(m_documents.managementList());
}

void ReferenceDesk::showJoke()
{
    m_jokeView->setLines(JokeDraw::pageLines(m_jokes.next()));
    m_frame.showPage(m_jokeHandle);
}

void ReferenceDesk::showAbout()
{
    m_about->open(MemoryStatus::read());
}

void ReferenceDesk::tickSlogan()
{
    m_marquee.tick();
    showSlogan();
}

void ReferenceDesk::toggleSlogan()
{
    m_marquee.toggle();
    if (m_marquee.running())
        m_sloganTimer->start();
    else
        m_sloganTimer->stop();
    showSlogan();
}

void ReferenceDesk::showSlogan()
{
    m_frame.showSlogan(m_marquee.text(), m_marquee.x(), m_marquee.running());
}

void ReferenceDesk::tickIdle()
{
    m_frame.showIdleTime(idle::statusText(m_services.idle.idleMilliseconds()));
}
