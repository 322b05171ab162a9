#include "reference/ui/DocumentViewer.h"

#include "reference/RegulationDocuments.h"
#include "widgets/CjkFonts.h"
#include "widgets/Theme.h"

#include "RtfReader.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QScreen>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QVBoxLayout>

namespace {

QWidget *whiteStrip(QWidget *parent)
{
    auto *strip = new QWidget(parent);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, theme::colour(theme::Colour::Paper));
    strip->setPalette(palette);
    return strip;
}

} // namespace

DocumentViewer::DocumentViewer(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(QStringLiteral("系统帮助"));
    resize(1024, 700);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    QWidget *top = whiteStrip(this);
    top->setObjectName(QStringLiteral("Panel1"));
    top->setFixedHeight(kStripWidth);
    outer->addWidget(top);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    QWidget *left = whiteStrip(this);
    left->setFixedWidth(kStripWidth);
    middle->addWidget(left);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    // 宋体 11 pt.
    QFont listFont = cjk::song(15);
    listFont.setPointSize(11);
    m_list->setFont(listFont);
    m_list->setFixedWidth(kListWidth);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit titleClicked(item->text()); });
    middle->addWidget(m_list);
    m_view = new QTextEdit(this);
    m_view->setObjectName(QStringLiteral("RichEdit1"));
    m_view->setReadOnly(true);
    m_view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    middle->addWidget(m_view, 1);
    QWidget *right = whiteStrip(this);
    right->setFixedWidth(kStripWidth);
    middle->addWidget(right);
    outer->addLayout(middle, 1);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    outer->addWidget(status);
    clearDocument();
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
    replaceDocument(new QTextDocument(m_view));
}

void DocumentViewer::showDocument(const QString &title, const QByteArray &data)
{
    setWindowTitle(title);
    // The document is read apart from the view and shown whole, so the view
    // lays it out once.
    auto *document = new QTextDocument(m_view);
    if (!rtf::readInto(data, *document)) {
        document->setDefaultFont(m_view->font());
        document->setPlainText(RegulationDocuments::plainText(data));
    }
    replaceDocument(document);
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
