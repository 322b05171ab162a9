// Walks through one sequential set of the sample database and saves a picture
// of the main window at every step, the review window, a full strip, the
// settings page and the picker.
//   drillbay_screens <examination.mdb> <output folder> [chapter]
// The database is copied first; the copy takes the log record.
//   drillbay_screens --extras ...   pictures of the reader, search and papers
//                                   (see ExtrasScreens.cpp)
//   drillbay_screens --quota ...    pictures of the quota page (QuotaScreens.cpp)
//   drillbay_screens --known ...    the known-question items and viewer (KnownScreens.cpp)
//   drillbay_screens --mock ...     the mock examination and its paper (MockScreens.cpp)
//   drillbay_screens --random ...   a random run, the paper view, the score page and
//                                   the redo (RandomScreens.cpp)
//   drillbay_screens --editor ...   the question editor and its help window
//                                   (EditorScreens.cpp)
//   drillbay_screens --passwords ...  the password pages (PasswordScreens.cpp)
//   drillbay_screens --study ...    the wrong-question book and the statistics (StudyScreens.cpp)
//   drillbay_screens --backups ...  the key map and the backups (BackupScreens.cpp)
//   drillbay_screens --transfer ...   the conversion at start and the bank import
//                                     (TransferScreens.cpp)

#include "BackupScreens.h"
#include "EditorScreens.h"
#include "ExtrasScreens.h"
#include "KnownScreens.h"
#include "MockScreens.h"
#include "PasswordScreens.h"
#include "QuotaScreens.h"
#include "RandomScreens.h"
#include "ResultsScreens.h"
#include "ScreenSupport.h"
#include "StudyScreens.h"
#include "TransferScreens.h"
#include "app/ui/MainWindow.h"
#include "base/Clipboard.h"
#include "base/Clock.h"
#include "base/DeskServices.h"
#include "base/Notifier.h"
#include "base/RandomSource.h"
#include "base/Selection.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/RunDesk.h"
#include "practice/ui/EssayPage.h"
#include "practice/ui/FillInPage.h"
#include "practice/ui/MultipleChoicePage.h"
#include "practice/ui/PickerWindow.h"
#include "practice/ui/SingleChoicePage.h"
#include "practice/ui/TrueFalsePage.h"
#include "question/QuestionType.h"
#include "settings/ui/SettingsDesk.h"
#include "store/Database.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace {

using screens::NoClipboard;
using screens::PrintingNotifier;

QString g_out;
int g_count = 0;

void shoot(QWidget *widget, const QString &name)
{
    QTest::qWait(60);
    const QString file = QDir(g_out).filePath(
        QStringLiteral("%1-%2.png").arg(++g_count, 2, 10, QLatin1Char('0')).arg(name));
    widget->grab().save(file);
    std::fprintf(stderr, "saved %s\n", qPrintable(file));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    theme::apply(app);
    if (argc > 1 && qstrcmp(argv[1], "--extras") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return extrasScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--editor") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return editorScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--study") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return studyScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--known") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return knownScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--random") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return randomScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--mock") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return mockScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--passwords") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return passwordScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--transfer") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return transferScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--backups") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return backupScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--quota") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return quotaScreens(args);
    }
    if (argc > 1 && qstrcmp(argv[1], "--results") == 0) {
        QStringList args;
        for (int i = 2; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        return resultsScreens(args);
    }
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: drillbay_screens <examination.mdb> <output folder> [chapter]\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(g_out);
    const QString chapter = argc > 3 ? QString::fromLocal8Bit(argv[3])
                                     : QStringLiteral("第六章 接地、标示牌和遮栏（变电）");
    QTemporaryDir temp;
    const QSqlDatabase db =
        screens::openCopy(QString::fromLocal8Bit(argv[1]), temp, QStringLiteral("screens"));
    if (!db.isOpen())
        return 1;

    PrintingNotifier notifier;
    NoClipboard clipboard;
    SystemClock clock;
    SeededRandom random(20260101);
    Selection selection;
    const DeskServices services{db, notifier, clipboard, random, clock, selection};
    MainWindow main(notifier);
    SettingsDesk settings(main, db, notifier);
    RunDesk desk(main, services, settings);
    KnownBar known(main, services, desk);
    main.show();
    QTest::qWait(100);

    desk.chooseChapter(chapter);
    shoot(&main, QStringLiteral("chapter-chosen"));
    main.findChild<QPushButton *>(RunDeskNames::sequentialCommand)->click();
    desk.session().setClicked(0);
    desk.session().extract();
    QTest::qWait(300);

    PracticeRun &run = desk.run();
    for (int k = 1; k <= run.length(); ++k) {
        const int type = run.question(k).typeCode;
        shoot(&main, QStringLiteral("q%1-type%2").arg(k).arg(type));
        switch (question::fromCode(type)) {
        case QuestionType::SingleChoice:
            desk.singleChoicePage()->choiceButtons().at(k % 2 ? 0 : 1)->click();
            break;
        case QuestionType::MultipleChoice:
            desk.multipleChoicePage()->checkBoxes().at(0)->click();
            desk.multipleChoicePage()->checkBoxes().at(2)->click();
            break;
        case QuestionType::FillIn:
            desk.fillInPage()->answerField()->setFocus();
            QTest::keyClicks(desk.fillInPage()->answerField(), QStringLiteral("abc"));
            break;
        case QuestionType::TrueFalse:
            desk.trueFalsePage()->trueButton()->click();
            break;
        case QuestionType::Essay:
            desk.essayPage()->answerView()->setFocus();
            QTest::keyClicks(desk.essayPage()->answerView(), QStringLiteral("answer text"));
            break;
        default:
            break;
        }
        shoot(&main, QStringLiteral("q%1-answered").arg(k));
        if (!question::isObjective(type) ||
            question::fromCode(type) == QuestionType::MultipleChoice) {
            // The reveal: half a second after pointing at the panel.
            run.revealHover();
            QTest::qWait(700);
            shoot(&main, QStringLiteral("q%1-revealed").arg(k));
        }
        if (run.current() == k)
            emit main.nextRequested();
        QTest::qWait(50);
    }
    while (run.current() <= run.length()) {
        emit main.nextRequested();
        QTest::qWait(20);
    }
    shoot(&main, QStringLiteral("score"));

    QTimer::singleShot(400, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            shoot(modal, QStringLiteral("review"));
            modal->close();
        }
    });
    emit main.gradeRequested();
    QTest::qWait(100);
    shoot(&main, QStringLiteral("after-grading"));
    desk.session().listLog();
    shoot(&main, QStringLiteral("chapter-with-log"));

    // A run of 300 questions shows the whole strip.
    QVector<RunQuestion> many(300);
    for (int i = 0; i < many.size(); ++i) {
        many[i].typeCode = 1 + i % 5;
        many[i].stem = QStringLiteral("第%1题").arg(i + 1);
        many[i].correctAnswer = QStringLiteral("1");
    }
    run.load(many, RunMode::RandomPractice, false);
    for (int i = 0; i < 40; ++i)
        run.next();
    shoot(&main, QStringLiteral("strip-300"));

    // The settings page and the bank and chapter picker.
    main.showPage(settings.pageHandle());
    shoot(&main, QStringLiteral("settings"));
    PickerWindow picker(db, notifier);
    picker.show();
    shoot(&picker, QStringLiteral("picker"));
    return 0;
}
