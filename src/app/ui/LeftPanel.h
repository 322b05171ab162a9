#pragma once

#include "widgets/MainFrame.h"

#include <QList>
#include <QStackedWidget>

class QLabel;
class QToolButton;
class QVBoxLayout;

// The main window's left panel: the command page with its titled groups, and
// the practice page of a run with the countdown, "交卷评阅", the run's own
// commands and "◀ 返回功能菜单".
class LeftPanel : public QStackedWidget
{
    Q_OBJECT

public:
    explicit LeftPanel(QWidget *parent = nullptr);

    void addCommand(MainFrame::CommandGroup group, QWidget *command);
    void addPracticeCommand(QWidget *command);
    void showPage(MainFrame::LeftPage page);
    void render(const MainFrame::RunCommands &commands);
    void showCountdown(const QString &text);

signals:
    void gradeRequested();

private:
    QWidget *buildCommandPage();
    QWidget *buildPracticePage();

    QWidget *m_commandPage = nullptr;
    QWidget *m_practicePage = nullptr;
    QList<QWidget *> m_groupBoxes;
    QList<QVBoxLayout *> m_groupLayouts;
    QLabel *m_countdown = nullptr;
    QToolButton *m_gradeButton = nullptr;
    QToolButton *m_practiceBack = nullptr;
    QVBoxLayout *m_practiceCommands = nullptr; // below the grade button
};
