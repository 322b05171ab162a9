#pragma once

#include "RecordingNotifier.h"
#include "TestDatabase.h"

#include "editor/ui/EditorWindow.h"
#include "editor/ui/EditorWindowNames.h"
#include "store/QuestionTable.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

// Pictures of the windows for people to look at, when DRILLBAY_SHOTS names a folder.
inline void shoot(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("DRILLBAY_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The window with its open popup menu drawn over it where it stands.
inline void shootWithMenu(QWidget *window, QWidget *menu, const QString &name)
{
    const QString folder = qEnvironmentVariable("DRILLBAY_SHOTS");
    if (folder.isEmpty())
        return;
    QPixmap picture = window->grab();
    QPainter painter(&picture);
    painter.drawPixmap(window->mapFromGlobal(menu->mapToGlobal(QPoint(0, 0))), menu->grab());
    painter.end();
    picture.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The editor window on a fresh database: the bank "电力安全规程" with the
// chapters "第一章 总则" and "第二章 保证安全的组织措施".
struct Editor
{
    TestDatabase db;
    RecordingNotifier notifier;
    qint64 bank = 0;
    qint64 chapter = 0;
    EditorWindow window{db.db(), notifier};

    Editor()
    {
        bank = db.addBank(QStringLiteral("电力安全规程"));
        chapter = db.addChapter(bank, QStringLiteral("第一章 总则"));
        db.addChapter(bank, QStringLiteral("第二章 保证安全的组织措施"));
    }
    template <typename T> T *find(const QString &name, QWidget *in = nullptr) const
    {
        T *found = (in ? in : const_cast<EditorWindow *>(&window))->findChild<T *>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }
    QTableWidget *list() const { return find<QTableWidget>(EditorWindowNames::questionList); }
    void chooseFirstChapter()
    {
        window.open();
        auto *banks = find<QComboBox>(EditorWindowNames::bankSelector);
        emit banks->activated(0);
        auto *chapters = find<QComboBox>(EditorWindowNames::chapterSelector);
        emit chapters->activated(0);
    }
    int questions() const { return QuestionTable(db.db()).count(QuestionScope::chapter(chapter)); }

    // The middle of a row of the list, on its viewport.
    QPoint rowPoint(int row) const
    {
        return list()->visualRect(list()->model()->index(row, 2)).center();
    }
    // A left click on the row, as the trainer selects it.
    void clickRow(int row) const
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(row));
    }

    // Opens the list's menu and chooses the item with the text, by a click on
    // it or by arrow keys and Return. row >= 0: a right-click on that row;
    // row < 0: the menu key on the selected row. False when no menu opened or
    // it had no such item.
    bool chooseFromMenu(int row, const QString &item, bool byKeys = false) const
    {
        QTableWidget *grid = list();
        const int at = row >= 0 ? row : std::max(grid->currentRow(), 0);
        const QPoint point = rowPoint(at);
        if (row >= 0)
            QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, point);
        bool chosen = false;
        QTimer::singleShot(0, grid, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            QAction *wanted = nullptr;
            for (QAction *action : menu->actions()) {
                if (action->text() == item)
                    wanted = action;
            }
            if (!wanted) {
                menu->close();
                return;
            }
            shootWithMenu(grid->window(), menu, QStringLiteral("editor-list-menu"));
            chosen = true;
            if (byKeys) {
                for (int step = 0; step < 8 && menu->activeAction() != wanted; ++step)
                    QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(wanted).center());
            }
        });
        // A right-click reaches the viewport under the pointer; the menu key
        // reaches the list, which has the focus.
        if (row >= 0) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                                    grid->viewport()->mapToGlobal(point));
            QCoreApplication::sendEvent(grid->viewport(), &event);
        } else {
            QContextMenuEvent event(QContextMenuEvent::Keyboard,
                                    grid->viewport()->mapTo(grid, point),
                                    grid->viewport()->mapToGlobal(point));
            QCoreApplication::sendEvent(grid, &event);
        }
        return chosen;
    }
};
