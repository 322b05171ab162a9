#pragma once

#include "widgets/PageHandle.h"

#include <QLatin1StringView>
#include <QObject>
#include <QString>

class LinkLabel;
class MainFrame;
class QLabel;
class QuotaPage;
class Selection;

// The object names by which tests and stored layouts find the controls.
struct QuotaCommandsNames
{
    static constexpr QLatin1StringView settingsLink{"Label130"};
    static constexpr QLatin1StringView figure{"Label77"};
    static constexpr QLatin1StringView redrawLink{"Label9"};
};

// The quota commands of the command page: "模拟考试抽题设置" opens the quota
// page and, while the pointer rests on it, "已抽题数:" shows the total quota
// of the selection's bank; "重新抽题" re-draws a bank's quotas, or sends the
// user to the quota page for that bank when it has none. The bank re-drawn
// is the one whose quotas the quota page shows while that page is up, the
// selection's bank otherwise.
class QuotaCommands : public QObject
{
    Q_OBJECT

public:
    // pageHandle: the quota page as installed in the frame.
    QuotaCommands(MainFrame &frame, QuotaPage &page, PageHandle pageHandle,
                  const Selection &selection, QObject *parent = nullptr);

    // Shows the quota page opened with the selection's bank, or with the given bank.
    void openPage();
    void openPage(qint64 bankId);
    // "重新抽题".
    void redraw();

    LinkLabel *settingsLink() const { return m_settings; }
    LinkLabel *redrawLink() const { return m_redraw; }
    QLabel *figure() const { return m_figure; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MainFrame &m_frame;
    QuotaPage &m_page;
    PageHandle m_pageHandle;
    const Selection &m_selection;
    LinkLabel *m_settings = nullptr;
    LinkLabel *m_redraw = nullptr;
    QLabel *m_figure = nullptr;
};
