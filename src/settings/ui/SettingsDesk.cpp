#include "settings/ui/SettingsDesk.h"

#include "settings/ui/SettingsPage.h"
#include "widgets/MainFrame.h"

#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <exception>

namespace {

Settings loadSettings(const SettingsStore &store)
{
    try {
        return store.load();
    } catch (const std::exception &error) {
        // An unreadable settings row leaves the built-in values.
        qWarning("drillbay: settings not read: %s", error.what());
        return Settings();
    }
}

} // namespace

SettingsDesk::SettingsDesk(MainFrame &frame, QSqlDatabase db, Notifier &notifier, QObject *parent)
    : QObject(parent), m_frame(frame), m_store(std::move(db)), m_startup(loadSettings(m_store)),
      m_form(m_startup)
{
    m_command = new QPushButton(QStringLiteral("系统配置"));
    m_command->setObjectName(SettingsDeskNames::settingsCommand);
    m_command->setMinimumHeight(26);
    m_command->setCursor(Qt::PointingHandCursor);
    m_command->setToolTip(
        QStringLiteral("系统提示：设定系统配置如分割试题的多少，是否显示即时答案等，下次启动有效"));
    frame.addCommand(MainFrame::CommandGroup::System, m_command);

    m_page = new SettingsPage(m_form, m_store, notifier);
    m_handle = frame.installPage(m_page);
    connect(m_command, &QPushButton::clicked, this, [this] { m_frame.showPage(m_handle); });
    connect(m_page, &SettingsPage::quitRequested, this, [this] { m_frame.quitWithoutAsking(); });
    connect(m_page, &SettingsPage::backToQuestions, this, &SettingsDesk::backToQuestions);
    connect(m_page, &SettingsPage::sliderPositionChanged, this, &SettingsDesk::delayMoved);
}

void SettingsDesk::addCommand(QWidget *command)
{
    m_page->regulationArea()->addWidget(command, 0, Qt::AlignLeft);
}

void SettingsDesk::refresh()
{
    // Only the delay is changed underneath the page; other fields keep what
    // the user is typing.
    if (m_page->delaySlider()->value() != m_form.sliderPosition())
        m_page->refresh();
}
