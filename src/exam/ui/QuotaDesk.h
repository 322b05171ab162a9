#pragma once

#include "base/DeskServices.h"
#include "exam/MockExamForm.h"
#include "widgets/PageHandle.h"

#include <QObject>

class MainFrame;
class QuotaCommands;
class QuotaPage;
struct PaperScope;

// The mock examination's quotas in the main window: the quota page and, on
// the exam group, "模拟考试抽题设置" with the figure "已抽题数:" and
// "重新抽题". Keeps the examination settings that the page edits.
class QuotaDesk : public QObject
{
    Q_OBJECT

public:
    QuotaDesk(MainFrame &frame, const DeskServices &services, QObject *parent = nullptr);

    // The examination settings, as the quota page edits them.
    MockExamForm &form() { return m_form; }
    QuotaPage *page() const { return m_page; }
    PageHandle pageHandle() const { return m_handle; }
    QuotaCommands *commands() const { return m_commands; }

    // Shows the quota page opened with the selection's bank.
    void openPage();

signals:
    // A view of the quota page: a quota row's paper or the whole bank's.
    void paperRequested(const PaperScope &scope);

private:
    MockExamForm m_form;
    QuotaPage *m_page = nullptr;
    PageHandle m_handle;
    QuotaCommands *m_commands = nullptr;
};
