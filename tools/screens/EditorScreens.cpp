// Pictures of the question editor "试题编辑" on the sample database: the empty
// window, the question list of a chapter with a row chosen and its menu, the
// next page of the list, the five entry pages, a correction page, the
// new-chapter page, and the help window "试题输入帮助" page by page.
//   drillbay_screens --editor <examination.mdb> <output folder> [chapter]
// The database is copied first; nothing is saved to it.

#include "EditorScreens.h"
#include "ScreenSupport.h"

#include "editor/ui/EditorWindow.h"
#include "editor/ui/EditorWindowNames.h"
#include "editor/ui/InputHelpWindow.h"
#include "question/QuestionType.h"
#include "store/Database.h"
#include "widgets/LinkLabel.h"
#include "widgets/OutputView.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

using screens::PrintingNotifier;

class EditorShooter
{
public:
    explicit EditorShooter(QString folder) : m_folder(std::move(folder)) {}

    QString next(const QString &name)
    {
        return QStringLiteral("e%1-%2.png").arg(++m_count, 2, 10, QLatin1Char('0')).arg(name);
    }
    void operator()(QWidget *widget, const QString &name)
    {
        screens::savePicture(widget, m_folder, next(name));
    }
    // The window with its open popup menu drawn over it where it stands.
    void withMenu(QWidget *window, QWidget *menu, const QString &name)
    {
        QPixmap picture = window->grab();
        QPainter painter(&picture);
        painter.drawPixmap(window->mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))), menu->grab());
        painter.end();
        const QString path = QDir(m_folder).filePath(next(name));
        picture.save(path);
        std::fprintf(stderr, "saved %s\n", qPrintable(path));
    }

private:
    QString m_folder;
    int m_count = 0;
};

template <typename T> T *child(QWidget &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found) {
        std::fprintf(stderr, "no control %s\n", qPrintable(name));
        std::exit(1);
    }
    return found;
}

void clickLink(QWidget &window, const QString &name)
{
    QTest::mouseClick(child<LinkLabel>(window, name), Qt::LeftButton);
    QTest::qWait(50);
}

} // namespace

int editorScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --editor <examination.mdb> <output folder> "
                             "[chapter]\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    const QString chapter =
        args.size() > 2 ? args.at(2) : QStringLiteral("第六章 接地、标示牌和遮栏（变电）");
    QTemporaryDir temp;
    const QSqlDatabase db = screens::openCopy(args.at(0), temp, QStringLiteral("editor"));
    if (!db.isOpen())
        return 1;
    EditorShooter shoot(out);
    PrintingNotifier notifier;

    EditorWindow window(db, notifier);
    window.open();
    QTest::qWait(200);
    shoot(&window, QStringLiteral("empty"));

    // The first bank, then the chapter: its list opens.
    auto *banks = child<QComboBox>(window, EditorWindowNames::bankSelector);
    emit banks->activated(0);
    auto *chapters = child<QComboBox>(window, EditorWindowNames::chapterSelector);
    const int index = std::max(0, chapters->findText(chapter, Qt::MatchContains));
    chapters->setCurrentIndex(index);
    emit chapters->activated(index);
    shoot(&window, QStringLiteral("list"));

    auto *list = child<QTableWidget>(window, EditorWindowNames::questionList);
    const QPoint row = list->visualRect(list->model()->index(1, 2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    shoot(&window, QStringLiteral("list-row"));

    // The row's menu, pictured, and "修改本小题" chosen: the correction page.
    QTimer::singleShot(200, list, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shoot.withMenu(&window, menu, QStringLiteral("list-menu"));
        for (QAction *action : menu->actions()) {
            if (action->text() == QStringLiteral("修改本小题"))
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        }
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, row, list->viewport()->mapToGlobal(row));
    QCoreApplication::sendEvent(list->viewport(), &menuEvent);
    shoot(&window, QStringLiteral("correction"));

    clickLink(window, QStringLiteral("browseAll"));
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("下页")), Qt::LeftButton);
    shoot(&window, QStringLiteral("list-next-page"));

    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        clickLink(window, QStringLiteral("input%1").arg(type));
        shoot(&window, QStringLiteral("entry-type%1").arg(type));
    }

    clickLink(window, QStringLiteral("newChapter"));
    shoot(&window, QStringLiteral("new-chapter"));

    // The help window over the editor, page by page.
    InputHelpWindow help;
    QObject::connect(&window, &EditorWindow::helpRequested, &help, &InputHelpWindow::open);
    clickLink(window, QStringLiteral("inputHelp"));
    QTest::qWait(200);
    if (!help.isVisible()) {
        std::fprintf(stderr, "the help window did not open\n");
        return 1;
    }
    QScrollBar *bar = help.view()->verticalScrollBar();
    bar->setValue(0);
    for (int page = 1; page <= 3; ++page) {
        shoot(&help, QStringLiteral("help-p%1").arg(page));
        if (bar->value() >= bar->maximum())
            break;
        bar->setValue(bar->value() + bar->pageStep());
    }
    help.close();
    window.close();
    return 0;
}
