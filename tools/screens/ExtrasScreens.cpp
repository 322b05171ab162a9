// Pictures of the windows around the practice: the reader "系统帮助" with every
// stored document and every RTF file given, page by page; "试题查询" with its
// hits; the composition page and "组卷结果"; and the composed paper as a PDF.
//   drillbay_screens --extras <examination.mdb> <output folder> [FILE.rtf ...]
// The database is copied first. The PDF is left in the output folder as
// paper.pdf, for a PDF renderer to turn into pictures.

#include "ExtrasScreens.h"
#include "ScreenSupport.h"

#include "app/ui/MainWindow.h"
#include "base/Clipboard.h"
#include "base/FileDialogs.h"
#include "base/Notifier.h"
#include "base/RandomSource.h"
#include "question/QuestionType.h"
#include "reference/ui/DocumentViewer.h"
#include "search/ui/ComposedPaperWindow.h"
#include "search/ui/CompositionPage.h"
#include "search/ui/OutputCommands.h"
#include "search/ui/SearchWindow.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Database.h"
#include "store/DocumentTable.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>

namespace {

using screens::NoClipboard;
using screens::PrintingNotifier;

class NoDialogs : public FileDialogs
{
public:
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
};

class Shooter
{
public:
    explicit Shooter(QString folder) : m_folder(std::move(folder)) {}

    void operator()(QWidget *widget, const QString &name)
    {
        QTest::qWait(80);
        const QString file = QDir(m_folder).filePath(
            QStringLiteral("x%1-%2.png").arg(++m_count, 2, 10, QLatin1Char('0')).arg(name));
        widget->grab().save(file);
        std::fprintf(stderr, "saved %s\n", qPrintable(file));
    }

private:
    QString m_folder;
    int m_count = 0;
};

// The document in the reader: its first page, then page by page down to its
// end, at most `pages` pictures.
void shootDocument(Shooter &shoot, DocumentViewer &viewer, const QString &title,
                   const QByteArray &bytes, const QString &name, int pages)
{
    viewer.showDocument(title, bytes);
    QTest::qWaitFor([&viewer] { return !viewer.isReading(); }, 60000);
    QScrollBar *bar = viewer.view()->verticalScrollBar();
    bar->setValue(0);
    for (int page = 0; page < pages; ++page) {
        shoot(&viewer, QStringLiteral("%1-p%2").arg(name).arg(page + 1));
        if (bar->value() >= bar->maximum())
            break;
        bar->setValue(bar->value() + bar->pageStep());
    }
}

// The borderless windows that fill the screen do so through the window
// manager; under a bare X server the picture gets the screen's size here.
void fillScreen(QWidget &window)
{
    if (const QScreen *screen = window.screen())
        window.setGeometry(screen->geometry());
}

} // namespace

int extrasScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --extras <examination.mdb> <output folder> "
                             "[FILE.rtf ...]\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("extras"));
    if (!db.isOpen())
        return 1;
    Shooter shoot(out);
    PrintingNotifier notifier;
    NoClipboard clipboard;
    NoDialogs dialogs;
    OutputCommands commands(clipboard, notifier, dialogs);

    // The reader: the stored documents, then the files given.
    DocumentViewer viewer;
    const DocumentTable documents(db);
    const QStringList titles = documents.shownTitles();
    viewer.open(titles);
    QTest::qWait(200);
    for (int i = 0; i < titles.size(); ++i) {
        if (const std::optional<DocumentRow> row = documents.firstShown(titles.at(i)))
            shootDocument(shoot, viewer, row->title, row->data,
                          QStringLiteral("document-stored%1").arg(i + 1), 3);
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        QFile file(args.at(i));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(args.at(i)));
            continue;
        }
        const QFileInfo info(args.at(i));
        shootDocument(shoot, viewer, info.fileName(), file.readAll(),
                      QStringLiteral("document-") + info.completeBaseName(), 12);
    }
    viewer.hide();

    // The keyword search over the sample's first bank.
    const QString chapter = QStringLiteral("第六章 接地、标示牌和遮栏（变电）");
    SearchWindow search(db, notifier, commands, [chapter] { return chapter; });
    search.open();
    fillScreen(search);
    QTest::qWait(200);
    search.keywordField()->setText(QStringLiteral("接地"));
    search.searchButton()->click();
    for (int wait = 0; wait < 100 && !search.searchButton()->isEnabled(); ++wait)
        QTest::qWait(50);
    search.view()->verticalScrollBar()->setValue(0);
    shoot(&search, QStringLiteral("search-hits"));
    search.close();

    // The composition page in the main window, and the composed paper.
    MainWindow main(notifier);
    SettingsDesk settings(main, db, notifier);
    SeededRandom random(20260101);
    auto *page = new CompositionPage(db, notifier, random);
    page->setBankSource([] { return QStringLiteral("电力安全工作规程（变电部分）"); });
    const PageHandle composition = main.installPage(page);
    ComposedPaperWindow composed(page->composer(), commands);
    QObject::connect(page, &CompositionPage::paperRequested, &composed, &ComposedPaperWindow::open);
    main.show();
    QTest::qWait(200);
    page->open(PaperComposer::Scope::Bank, chapter, QStringLiteral("电力安全工作规程（变电部分）"));
    main.showPage(composition);
    shoot(&main, QStringLiteral("composition-opened"));
    // A few questions of each type, and the target set to their total.
    int total = 0;
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        page->slider(type)->setValue(std::min(page->slider(type)->maximum(), 4));
        total += page->slider(type)->value() * page->scoreField(type)->text().toInt();
    }
    page->targetField()->setFocus();
    page->targetField()->selectAll();
    QTest::keyClicks(page->targetField(), QString::number(total));
    shoot(&main, QStringLiteral("composition-chosen"));
    if (auto *confirm = page->findChild<QPushButton *>(CompositionPageNames::confirmButton))
        confirm->click();
    QTest::qWait(200);
    if (!composed.isVisible()) {
        std::fprintf(stderr, "the composed paper did not open\n");
        return 1;
    }
    fillScreen(composed);
    composed.compose();
    composed.view()->verticalScrollBar()->setValue(0);
    shoot(&composed, QStringLiteral("composed-paper"));
    QString reason;
    const QString pdf = QDir(out).filePath(QStringLiteral("paper.pdf"));
    if (!OutputCommands::writePdf(*composed.view(), pdf, &reason)) {
        std::fprintf(stderr, "no PDF: %s\n", qPrintable(reason));
        return 1;
    }
    std::fprintf(stderr, "saved %s\n", qPrintable(pdf));

    // "打印...": the system print dialog over the paper, pictured and cancelled.
    QTimer::singleShot(800, &composed, [&shoot] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            shoot(dialog, QStringLiteral("print-dialog"));
            dialog->close();
        }
    });
    commands.print(*composed.view(), &composed);
    composed.close();
    return 0;
}
