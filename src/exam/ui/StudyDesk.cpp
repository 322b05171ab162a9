#include "exam/ui/StudyDesk.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "exam/PracticeSession.h"
#include "exam/StudyStatistics.h"
#include "exam/ui/RunDesk.h"
#include "exam/ui/StatisticsWindow.h"
#include "exam/ui/WrongBookWindow.h"
#include "settings/ui/SettingsDesk.h"
#include "settings/ui/StudySettingsBox.h"
#include "store/AddedTables.h"
#include "widgets/MainFrame.h"
#include "widgets/QtFileDialogs.h"

#include "base/Clock.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <exception>

namespace {

bool tablesPresent(const QSqlDatabase &db)
{
    try {
        return AddedTables::present(db);
    } catch (const std::exception &) {
        return false;
    }
}

QPushButton *commandButton(const QString &text, const QString &name, const QString &hint)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setMinimumHeight(28);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    return button;
}

} // namespace

StudyDesk::StudyDesk(MainFrame &frame, const DeskServices &services, RunDesk &desk,
                     SettingsDesk &settings, QObject *parent)
    : QObject(parent), m_services(services), m_desk(desk), m_available(tablesPresent(services.db)),
      m_recorder(services.db), m_settings(services.db),
      m_practice(services.db, desk.session(), settings.form(), services.notifier),
      m_viewer(services.db, services.notifier)
{
    m_practice.setAvailable(m_available);
    if (m_available)
        desk.session().setStudyRecorder(&m_recorder);

    // "错题练习" with its bank option beside it.
    auto *practiceRow = new QWidget;
    practiceRow->setObjectName(QStringLiteral("WrongBookPracticeRow"));
    auto *rowLayout = new QHBoxLayout(practiceRow);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    m_practiceButton =
        commandButton(QStringLiteral("错题练习"), QStringLiteral("WrongBookPracticeButton"),
                      WrongBookPractice::kHint);
    m_bankOption = new QCheckBox(QStringLiteral("全题库"), practiceRow);
    m_bankOption->setObjectName(QStringLiteral("WrongBookBankOption"));
    m_bankOption->setToolTip(QStringLiteral("选中时练习本题库所有章节的错题"));
    rowLayout->addWidget(m_practiceButton, 1);
    rowLayout->addWidget(m_bankOption);
    frame.addCommand(MainFrame::CommandGroup::Practice, practiceRow);
    connect(m_practiceButton, &QPushButton::clicked, this, [this] {
        m_practice.start(m_bankOption->isChecked() ? WrongBookSource::Scope::Bank
                                                   : WrongBookSource::Scope::Chapter);
    });

    m_bookButton = commandButton(QStringLiteral("错题本"), QStringLiteral("WrongBookButton"),
                                 QStringLiteral("查看错题本中的试题，可以移出或清空"));
    frame.addCommand(MainFrame::CommandGroup::Practice, m_bookButton);
    m_bookWindow = std::make_unique<WrongBookWindow>(m_viewer);
    m_bookWindow->hide();
    connect(m_bookButton, &QPushButton::clicked, this, [this] {
        if (!m_available) {
            m_services.notifier.inform(WrongBookPractice::unavailableNotice());
            return;
        }
        m_bookWindow->open(m_desk.session().frame().chapter);
    });

    m_statisticsButton =
        commandButton(QStringLiteral("学习统计"), QStringLiteral("StatisticsButton"),
                      QStringLiteral("查看练习成绩的变化、各章掌握情况和模拟考试及格预测"));
    frame.addCommand(MainFrame::CommandGroup::Practice, m_statisticsButton);
    m_systemDialogs = std::make_unique<QtFileDialogs>();
    m_statisticsWindow = std::make_unique<StatisticsWindow>(services.notifier, *m_systemDialogs);
    m_statisticsWindow->hide();
    connect(m_statisticsButton, &QPushButton::clicked, this, &StudyDesk::openStatistics);

    m_settingsBox = new StudySettingsBox(m_settings, services.notifier);
    m_settingsBox->setEnabled(m_available);
    settings.addCommand(m_settingsBox);
}

StudyDesk::~StudyDesk() = default;

void StudyDesk::setFileDialogs(FileDialogs *dialogs)
{
    m_statisticsWindow->setFileDialogs(dialogs ? *dialogs : *m_systemDialogs);
}

void StudyDesk::openStatistics()
{
    if (!m_available) {
        m_services.notifier.inform(WrongBookPractice::unavailableNotice());
        return;
    }
    const QDate today = m_services.clock.now().date();
    try {
        m_statisticsWindow->fill(StudyStatistics::read(m_services.db,
                                                       m_desk.session().frame().chapter, today,
                                                       m_settings.passMark()),
                                 today);
    } catch (const StoreError &error) {
        m_services.notifier.inform(QStringLiteral("[软件提示]：学习统计没有读出，原因：") +
                                   error.reason() + QStringLiteral("。"));
        return;
    }
    m_statisticsWindow->show();
    m_statisticsWindow->raise();
    m_statisticsWindow->activateWindow();
}
