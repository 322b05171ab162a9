#pragma once

#include "widgets/MainFrame.h"

#include <QFrame>

class LinkLabel;
class QLabel;

// The main window's top bar: "★选择章节：" with the chapter link, the run
// status and the live result "[正率/客观题]".
class TopBarPanel : public QFrame
{
    Q_OBJECT

public:
    explicit TopBarPanel(QWidget *parent = nullptr);

    void render(const MainFrame::TopBar &bar);

signals:
    void chapterLinkClicked();

private:
    void setChapterName(const QString &name);

    QString m_chapterName;
    QLabel *m_chapterCaption = nullptr;
    LinkLabel *m_chapterLink = nullptr;
    QLabel *m_runStatus = nullptr;
    QLabel *m_result = nullptr;
};
