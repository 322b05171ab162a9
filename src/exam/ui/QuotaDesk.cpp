#include "exam/ui/QuotaDesk.h"

#include "exam/ui/QuotaCommands.h"
#include "exam/ui/QuotaPage.h"
#include "widgets/MainFrame.h"

QuotaDesk::QuotaDesk(MainFrame &frame, const DeskServices &services, QObject *parent)
    : QObject(parent)
{
    m_page =
        new QuotaPage(services.db, services.notifier, services.random, m_form, services.selection);
    m_handle = frame.installPage(m_page);
    m_commands = new QuotaCommands(frame, *m_page, m_handle, services.selection, this);
    connect(m_page, &QuotaPage::paperRequested, this, &QuotaDesk::paperRequested);
}

void QuotaDesk::openPage()
{
    m_commands->openPage();
}
