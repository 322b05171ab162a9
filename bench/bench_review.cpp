// Times the review of a full run of 300 questions: building the lines and
// showing them in the output view (offscreen is fine). The run is made up in
// memory, so a database argument is accepted and not used.
#include "BenchUtil.h"
#include "exam/ReviewBuilder.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QPlainTextEdit>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QList<RunQuestion> run;
    for (int k = 1; k <= 300; ++k) {
        RunQuestion q;
        q.typeCode = 1 + k % 5;
        q.stem =
            QStringLiteral(
                "在带电设备附近进行工作时，工作人员与带电部分之间应保持的安全距离是多少？第%1题")
                .arg(k);
        q.optionA = QStringLiteral("0.35米");
        q.optionB = QStringLiteral("0.60米");
        q.optionC = QStringLiteral("0.70米");
        q.optionD = QStringLiteral("1.00米");
        q.correctAnswer = q.typeCode == 2   ? QStringLiteral("134")
                          : q.typeCode == 4 ? QStringLiteral("1")
                                            : QStringLiteral("2");
        q.userAnswer = k % 3 ? q.correctAnswer : QString();
        q.points = 2;
        run << q;
    }

    ReviewBuilder::Review review;
    const double built =
        medianMs(9, [&] { review = ReviewBuilder::build(QStringLiteral("第一章"), run); });

    OutputView view;
    view.resize(900, 700);
    view.show();
    const double shown = medianMs(5, [&] {
        view.setLines(review.lines);
        view.scrollToTop();
        QCoreApplication::processEvents();
    });

    // Baselines from the same run: joining the same text, and showing it unstyled.
    QString plain;
    const double joined = medianMs(9, [&] { plain = plainText(review.lines); });
    QPlainTextEdit bare;
    bare.resize(900, 700);
    bare.show();
    const double bareShown = medianMs(5, [&] {
        bare.setPlainText(plain);
        QCoreApplication::processEvents();
    });

    std::printf("review of 300 questions: %lld lines\n",
                static_cast<long long>(review.lines.size()));
    std::printf("build the review lines: %.2f ms (baseline: plain join of the text %.2f ms)\n",
                built, joined);
    std::printf("show them in the output view: %.2f ms (baseline: unstyled plain-text view "
                "%.2f ms)\n",
                shown, bareShown);
    const bool builtInTime = bench("review_build_300", built, 50, joined);
    const bool shownInTime = bench("review_show_300", shown, 300, bareShown);
    return exitCode(builtInTime && shownInTime);
}
