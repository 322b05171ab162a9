#include "TestDatabase.h"
#include "TestRegistry.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "exam/ui/RunDesk.h"
#include "practice/ui/PickerWindow.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

// The picker and a loaded run: the chapter of a run that is not yet graded
// cannot change, so extracting a set closes an open picker and the chapter
// link does not open it again until the run is graded.
class PickerLockTest : public QObject
{
    Q_OBJECT

private slots:
    void pickerClosedWhileARunIsLoaded()
    {
        TestDatabase db;
        const int bank = db.addBank(QStringLiteral("变电安规"));
        const int chapter = db.addChapter(bank, QStringLiteral("第三章"));
        db.addChapter(bank, QStringLiteral("第六章"));
        for (int i = 0; i < 3; ++i)
            db.addQuestion(chapter, 1, QStringLiteral("题"), {}, QStringLiteral("1"));
        Windows windows(db.db(), db.db());
        PickerWindow *picker = windows.picker();
        PracticeSession &session = windows.runDesk()->session();

        QVERIFY(session.chooseChapter(QStringLiteral("第三章")));
        // Opened before the extraction and left open.
        Q_EMIT windows.main()->chapterLinkClicked();
        QVERIFY(picker->isVisible());
        session.startSequential(0);
        session.extract();
        QVERIFY(windows.runDesk()->run().active());
        QVERIFY(!picker->isVisible());
        Q_EMIT windows.main()->chapterLinkClicked();
        QVERIFY(!picker->isVisible());

        // Graded (the review is closed as soon as it is up): the link opens it again.
        QTimer closer;
        closer.setInterval(20);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        closer.start();
        session.grade();
        closer.stop();
        QVERIFY(!windows.runDesk()->run().active());
        Q_EMIT windows.main()->chapterLinkClicked();
        QVERIFY(picker->isVisible());
        picker->hide();
    }
};

DRILLBAY_TEST(PickerLockTest)
#include "PickerLockTest.moc"
