#include "TestRegistry.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QTest>
#include <memory>
#include <vector>

// Runs every registered test class, or only the class named by the first
// argument ("test_exam PracticeSessionTest [testfunction ...]").
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A run against the server needs the tests' own server: without one the
    // entry is skipped (scripts/test starts one).
    if (qEnvironmentVariable("DRILLBAY_TEST_BACKEND") == QLatin1String("server") &&
        qEnvironmentVariableIsEmpty("DRILLBAY_TEST_SERVER")) {
        qWarning("DRILLBAY_TEST_SERVER is not set: no server to test against");
        return 77;
    }
    QApplication app(argc, argv);
    // Windows under test look as in the program: its font and style sheet.
    theme::apply(app);

    QString only;
    std::vector<char *> args(argv, argv + argc);
    if (argc > 1 && argv[1][0] != '-') {
        only = QString::fromLocal8Bit(argv[1]);
        args.erase(args.begin() + 1);
    }
    int failed = 0;
    bool found = only.isEmpty();
    for (const auto &make : testing::registry()) {
        std::unique_ptr<QObject> test(make());
        if (!only.isEmpty() && QString::fromLatin1(test->metaObject()->className()) != only)
            continue;
        found = true;
        failed += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    if (!found) {
        qWarning("no test class named %s", qPrintable(only));
        return 2;
    }
    return failed == 0 ? 0 : 1;
}
