#pragma once

#include <QObject>
#include <QString>
#include <functional>

class LinkLabel;
class MainFrame;
class QLabel;
class QuotaPage;

// The quota commands of the command page: "模拟考试抽题设置" opens the quota
// page and, while the pointer rests on it, "已抽题数:" shows the total quota
// of the picker's bank; "重新抽题" re-draws a bank's quotas, or sends the
// user to the quota page for that bank when it has none. The bank re-drawn
// is the one whose quotas the quota page shows while that page is up, the
// picker's bank otherwise.
class QuotaCommands : public QObject
{
    Q_OBJECT

public:
    struct PickerBank
    {
        std::function<qint64()> id;
        std::function<QString()> name;
    };

    QuotaCommands(MainFrame &frame, QuotaPage &page, PickerBank bank, QObject *parent = nullptr);

    // Shows the quota page opened with the picker's bank, or with the given bank.
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
    PickerBank m_bank;
    LinkLabel *m_settings = nullptr;
    LinkLabel *m_redraw = nullptr;
    QLabel *m_figure = nullptr;
};
