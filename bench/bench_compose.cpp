// Composing a paper of 150 questions from the whole synthetic bank, showing
// it in the output view and writing it as an A4 PDF, each beside a baseline
// from the same run: reading 150 rows, an unstyled plain-text view, and the
// same text as an unstyled PDF.
// Usage: bench_compose DATABASE
#include "BenchUtil.h"
#include "base/Notifier.h"
#include "base/RandomSource.h"
#include "question/QuestionType.h"
#include "search/PaperComposer.h"
#include "search/ui/OutputCommands.h"
#include "store/Database.h"
#include "store/QuestionTable.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    QString error;
    QSqlDatabase db =
        Database::open(QString::fromLocal8Bit(argv[1]), QStringLiteral("bench"), &error);
    if (!db.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QSqlQuery bankQuery =
        sql::run(db, QStringLiteral("select database_name from database_name order by id limit 1"));
    const QString bank = bankQuery.next() ? bankQuery.value(0).toString() : QString();
    bankQuery.finish();

    SilentNotifier notifier;
    SeededRandom random(20261209);
    PaperComposer composer(db, notifier, random);
    composer.open(PaperComposer::Scope::Bank, QString(), bank);
    // 150 questions: 60 single, 40 multiple, 20 fill-in, 20 true/false, 10 essays.
    const int drawn[5] = {60, 40, 20, 20, 10};
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        composer.moveSlider(type, drawn[type - 1]);
    }

    StyledText paper;
    const double composed = medianMs(7, [&] { paper = composer.compose(); });
    qint64 sink = 0;
    const double rows = medianMs(
        7, [&] { sink += QuestionTable(db).read(QuestionScope::bank(1), 150, 5000).size(); });

    OutputView view;
    view.resize(900, 700);
    view.show();
    const double shown = medianMs(5, [&] {
        view.clearLines();
        view.setLines(paper);
        view.scrollToEnd();
        QCoreApplication::processEvents();
    });
    QPlainTextEdit bare;
    bare.resize(900, 700);
    bare.show();
    const QString plain = plainText(paper);
    const double bareShown = medianMs(5, [&] {
        bare.setPlainText(plain);
        QCoreApplication::processEvents();
    });

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paper.pdf"));
    QString reason;
    bool written = true;
    const double pdf =
        medianMs(3, [&] { written = OutputCommands::writePdf(view, path, &reason) && written; });
    const double barePdf = medianMs(3, [&] {
        QPdfWriter writer(dir.filePath(QStringLiteral("plain.pdf")));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        QTextDocument document(plain);
        document.print(&writer);
    });

    std::printf("paper of %lld lines, %lld PDF bytes\n", static_cast<long long>(paper.size()),
                static_cast<long long>(QFileInfo(path).size()));
    std::printf("compose 150 questions: %.2f ms (baseline: 150 rows read %.2f ms)\n", composed,
                rows);
    std::printf("show the paper: %.2f ms (baseline: unstyled plain-text view %.2f ms)\n", shown,
                bareShown);
    std::printf("write the PDF: %.2f ms (baseline: the plain text as PDF %.2f ms)\n", pdf, barePdf);
    if (!written || sink <= 0) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 1;
    }
    const bool composedInTime = bench("compose_150", composed, 100, rows);
    const bool shownInTime = bench("compose_show_150", shown, 300, bareShown);
    const bool pdfInTime = bench("compose_pdf_150", pdf, 2000, barePdf);
    return exitCode(composedInTime && shownInTime && pdfInTime);
}
