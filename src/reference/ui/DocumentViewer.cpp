#include "reference/ui/DocumentViewer.h"

#include "reference/RegulationDocuments.h"
#include "widgets/Theme.h"

#include "RtfReader.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>

namespace {

QWidget *whiteStrip(QWidget *parent)
{
    auto *strip = new QWidget(parent);
    theme::paintPaper(strip);
    return strip;
}

} // namespace

// One document read on its thread: the thread makes the document and hands it
// over by leaving it here; stop ends the reading early.
struct DocumentViewer::Reading
{
    std::atomic<bool> stop{false};
    QTextDocument *document = nullptr;
};

DocumentViewer::DocumentViewer(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(DocumentViewerNames::window);
    setWindowTitle(QStringLiteral("系统帮助"));
    resize(1024, 700);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    QWidget *top = whiteStrip(this);
    top->setObjectName(DocumentViewerNames::topPanel);
    top->setFixedHeight(kStripWidth);
    outer->addWidget(top);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    QWidget *left = whiteStrip(this);
    left->setFixedWidth(kStripWidth);
    middle->addWidget(left);
    m_list = new QListWidget(this);
    m_list->setObjectName(DocumentViewerNames::documentList);
    m_list->setFont(theme::font(theme::FontRole::DocumentList));
    m_list->setFixedWidth(kListWidth);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit titleClicked(item->text()); });
    middle->addWidget(m_list);
    m_view = new QTextEdit(this);
    m_view->setObjectName(DocumentViewerNames::documentView);
    m_view->setReadOnly(true);
    m_view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    middle->addWidget(m_view, 1);
    QWidget *right = whiteStrip(this);
    right->setFixedWidth(kStripWidth);
    middle->addWidget(right);
    outer->addLayout(middle, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(DocumentViewerNames::statusBar);
    status->setSizeGripEnabled(false);
    outer->addWidget(status);
    // Shown while a document is read.
    m_busy = new QWidget(status);
    m_busy->setObjectName(QStringLiteral("ReadingIndicator"));
    auto *busyLayout = new QHBoxLayout(m_busy);
    busyLayout->setContentsMargins(4, 0, 4, 0);
    busyLayout->addWidget(new QLabel(kReadingText, m_busy));
    auto *bar = new QProgressBar(m_busy);
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    bar->setFixedSize(120, 12);
    busyLayout->addWidget(bar);
    status->addWidget(m_busy);
    m_busy->hide();
    clearDocument();
}

DocumentViewer::~DocumentViewer()
{
    // A reading under way ends soon once told to stop; its document is not wanted.
    for (auto &[thread, reading] : m_running) {
        reading->stop = true;
        thread->wait();
        delete thread;
        delete std::exchange(reading->document, nullptr);
    }
}

void DocumentViewer::open(const QStringList &titles)
{
    setTitles(titles);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    showMaximized();
    raise();
    activateWindow();
}

void DocumentViewer::setTitles(const QStringList &titles)
{
    m_list->clear();
    m_list->addItems(titles);
}

QStringList DocumentViewer::titles() const
{
    QStringList all;
    for (int i = 0; i < m_list->count(); ++i)
        all << m_list->item(i)->text();
    return all;
}

void DocumentViewer::clearDocument()
{
    dropReading();
    replaceDocument(new QTextDocument(m_view));
}

void DocumentViewer::showDocument(const QString &title, const QByteArray &data)
{
    setWindowTitle(title);
    dropReading();
    // The document is read apart from the view and shown whole, so the view
    // lays it out once.
    auto reading = std::make_shared<Reading>();
    const QFont font = m_view->font();
    QThread *home = thread();
    QThread *worker = QThread::create([reading, data, font, home] {
        auto *document = new QTextDocument;
        rtf::ReadOptions options;
        options.stop = &reading->stop;
        if (!rtf::readInto(data, *document, options)) {
            document->setDefaultFont(font);
            document->setPlainText(RegulationDocuments::plainText(data));
        }
        document->moveToThread(home);
        reading->document = document;
    });
    m_wanted = reading;
    m_running.emplace_back(worker, reading);
    connect(worker, &QThread::finished, this,
            [this, worker, reading] { readingDone(worker, reading); });
    setBusy(true);
    worker->start();
}

void DocumentViewer::readingDone(QThread *thread, const std::shared_ptr<Reading> &reading)
{
    thread->wait();
    m_running.erase(
        std::remove_if(m_running.begin(), m_running.end(),
                       [thread](const auto &running) { return running.first == thread; }),
        m_running.end());
    thread->deleteLater();
    std::unique_ptr<QTextDocument> document(std::exchange(reading->document, nullptr));
    if (reading != m_wanted)
        return; // dropped meanwhile
    m_wanted.reset();
    setBusy(false);
    if (!document)
        return;
    document->setParent(m_view);
    replaceDocument(document.release());
    emit documentShown();
}

void DocumentViewer::dropReading()
{
    if (!m_wanted)
        return;
    m_wanted->stop = true;
    m_wanted.reset();
    setBusy(false);
}

void DocumentViewer::setBusy(bool busy)
{
    if (busy == !m_busy->isHidden())
        return;
    m_busy->setVisible(busy);
    // The view's own cursor comes back when the reading ends.
    QWidget *viewport = m_view->viewport();
    if (busy) {
        m_idleCursor = viewport->cursor();
        viewport->setCursor(Qt::BusyCursor);
    } else {
        viewport->setCursor(m_idleCursor);
    }
}

void DocumentViewer::closeEvent(QCloseEvent *event)
{
    dropReading();
    QWidget::closeEvent(event);
}

void DocumentViewer::replaceDocument(QTextDocument *document)
{
    QTextFrameFormat frame = document->rootFrame()->frameFormat();
    frame.setLeftMargin(kLeftMargin);
    document->rootFrame()->setFrameFormat(frame);
    // The view's first document belongs to the view itself, which lets it go;
    // the ones made here are deleted here.
    QTextDocument *old = m_view->document();
    const bool ours = old && old->parent() == m_view;
    m_view->setDocument(document);
    if (ours)
        delete old;
}
