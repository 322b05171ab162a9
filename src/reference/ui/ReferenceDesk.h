#pragma once

#include "reference/JokeDraw.h"
#include "reference/RegulationDocuments.h"
#include "reference/SloganMarquee.h"

#include <QObject>
#include <QSqlDatabase>

class AboutBox;
class DocumentViewer;
class DocumentsPage;
class FileDialogs;
class IdleSource;
class MainFrame;
class Notifier;
class OutputView;
class PasswordGate;
class QTimer;
class RandomSource;

// The regulation documents and the extras around the practice, wired into the
// main window: "规程资料" opens the reader, "规程写入" (behind the password)
// the management page, "轻松一下" the joke page and "关于..." the about box;
// the slogan strip and the idle time of the status bar run on their timers
// from start-up.
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
    ReferenceDesk(MainFrame &frame, QSqlDatabase db, Services services, DocumentViewer &viewer,
                  AboutBox &about, const QString &workFolder);

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

    DocumentsPage *managementPage() const { return m_page; }
    OutputView *jokeView() const { return m_jokeView; }
    const SloganMarquee &marquee() const { return m_marquee; }
    QTimer *sloganTimer() const { return m_sloganTimer; }

private:
    void showSlogan();

    MainFrame &m_frame;
    Services m_services;
    DocumentViewer &m_viewer;
    AboutBox &m_about;
    RegulationDocuments m_documents;
    JokeDraw m_jokes;
    SloganMarquee m_marquee;
    DocumentsPage *m_page = nullptr;
    OutputView *m_jokeView = nullptr;
    QTimer *m_sloganTimer = nullptr;
    QTimer *m_idleTimer = nullptr;
};
