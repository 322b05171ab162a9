#pragma once

#include "reference/JokeDraw.h"
#include "reference/RegulationDocuments.h"
#include "reference/SloganMarquee.h"
#include "widgets/PageHandle.h"

#include <QLatin1StringView>
#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <memory>

class AboutBox;
class DocumentViewer;
class DocumentsPage;
class FileDialogs;
class IdleSource;
class LinkLabel;
class MainFrame;
class Notifier;
class OutputView;
class PasswordGate;
class QTimer;
class RandomSource;

// The object names by which tests and stored layouts find the controls.
struct ReferenceDeskNames
{
    static constexpr QLatin1StringView managementPage{"TabSheetRegulationWrite"};
    static constexpr QLatin1StringView jokeView{"RichEditJoke"};
    static constexpr QLatin1StringView readerCommand{"Label63"};
    static constexpr QLatin1StringView jokeCommand{"Label80"};
    static constexpr QLatin1StringView aboutCommand{"Label20"};
    static constexpr QLatin1StringView writingCommand{"Label10"};
    static constexpr QLatin1StringView sloganTimer{"Timer2"};
    static constexpr QLatin1StringView idleTimer{"Timer1"};
};

// The regulation documents and the extras around the practice, wired into the
// main window: "规程资料" opens the reader, "规程写入" (behind the password)
// the management page, "轻松一下" the joke page and "关于..." the about box;
// the slogan strip and the idle time of the status bar run on their timers
// from start-up. "规程写入" stands wherever the composition root puts it (on
// the settings page).
class ReferenceDesk : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        Notifier &notifier;
        FileDialogs &dialogs;
        RandomSource &random;
        IdleSource &idle;
        PasswordGate &gate;
    };

    // workFolder: where the viewed document's copy is left.
    ReferenceDesk(MainFrame &frame, QSqlDatabase db, Services services, const QString &workFolder);
    ~ReferenceDesk() override;

    // The operations behind the commands.
    void openReader();
    void viewDocument(const QString &title);
    void openManagement();
    void storeDocument(const QString &name);
    void deleteDocument(qint64 id);
    void showJoke();
    void showAbout();
    void tickSlogan();
    void toggleSlogan();
    void tickIdle();

    DocumentViewer *viewer() const { return m_viewer.get(); }
    AboutBox *aboutBox() const { return m_about.get(); }
    // "规程写入", for the page it stands on.
    LinkLabel *writingCommand() const;
    DocumentsPage *managementPage() const { return m_page; }
    PageHandle managementPageHandle() const { return m_pageHandle; }
    PageHandle jokePageHandle() const { return m_jokeHandle; }
    OutputView *jokeView() const { return m_jokeView; }
    const SloganMarquee &marquee() const { return m_marquee; }
    QTimer *sloganTimer() const { return m_sloganTimer; }

signals:
    // "规程写入" before the password was entered: the password page is to show.
    void passwordRequested();

private:
    void showSlogan();

    MainFrame &m_frame;
    Services m_services;
    std::unique_ptr<DocumentViewer> m_viewer;
    std::unique_ptr<AboutBox> m_about;
    RegulationDocuments m_documents;
    JokeDraw m_jokes;
    SloganMarquee m_marquee;
    DocumentsPage *m_page = nullptr;
    OutputView *m_jokeView = nullptr;
    PageHandle m_pageHandle;
    PageHandle m_jokeHandle;
    // Deleted with the page that takes it, or with the desk when none did.
    QPointer<LinkLabel> m_writing;
    QTimer *m_sloganTimer = nullptr;
    QTimer *m_idleTimer = nullptr;
};
