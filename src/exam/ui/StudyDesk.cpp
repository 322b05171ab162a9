#include "exam/ui/StudyDesk.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "exam/PracticeSession.h"
#include "exam/StudyStatistics.h"
#include "exam/ui/ChapterPage.h"
#include "exam/ui/RunDesk.h"
#include "exam/ui/StatisticsWindow.h"
#include "exam/ui/WrongBookWindow.h"
#include "settings/ui/SettingsDesk.h"
#include "settings/ui/StudySettingsBox.h"
#include "store/AddedTables.h"
#include "widgets/LinkLabel.h"
#include "widgets/MainFrame.h"
#include "widgets/QtFileDialogs.h"

#include "base/Clock.h"

#include <QCheckBox>
#include <QHBoxLayout>
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

} // namespace

StudyDesk::StudyDesk(MainFrame &, const DeskServices &services, RunDesk &desk,
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
    m_practiceLink = new LinkLabel(QStringLiteral("错题练习"), practiceRow);
    m_practiceLink->setObjectName(QStringLiteral("WrongBookPracticeLink"));
    m_practiceLink->setToolTip(WrongBookPractice::kHint);
    m_bankOption = new QCheckBox(QStringLiteral("全题库"), practiceRow);
    m_bankOption->setObjectName(QStringLiteral("WrongBookBankOption"));
    m_bankOption->setToolTip(QStringLiteral("选中时练习本题库所有章节的错题"));
    rowLayout->addWidget(m_practiceLink);
    rowLayout->addWidget(m_bankOption);
    rowLayout->addStretch(1);
    desk.chapterPage()->addLogLink(practiceRow);
    connect(m_practiceLink, &LinkLabel::clicked, this, [this] {
        m_practice.start(m_bankOption->isChecked() ? WrongBookSource::Scope::Bank
                                                   : WrongBookSource::Scope::Chapter);
    });

    m_bookLink = new LinkLabel(QStringLiteral("错题本"));
    m_bookLink->setObjectName(QStringLiteral("WrongBookLink"));
    m_bookLink->setToolTip(QStringLiteral("查看错题本中的试题，可以移出或清空"));
    desk.chapterPage()->addLogLink(m_bookLink);
    m_bookWindow = std::make_unique<WrongBookWindow>(m_viewer);
    m_bookWindow->hide();
    connect(m_bookLink, &LinkLabel::clicked, this, [this] {
        if (!m_available) {
            m_services.notifier.inform(WrongBookPractice::unavailableNotice());
            return;
        }
        m_bookWindow->open(m_desk.session().frame().chapter);
    });

    m_statisticsLink = new LinkLabel(QStringLiteral("学习统计"));
    m_statisticsLink->setObjectName(QStringLiteral("StatisticsLink"));
    m_statisticsLink->setToolTip(
        QStringLiteral("查看练习成绩的变化、各章掌握情况和模拟考试及格预测"));
    desk.chapterPage()->addLogLink(m_statisticsLink);
    m_systemDialogs = std::make_unique<QtFileDialogs>();
    m_statisticsWindow = std::make_unique<StatisticsWindow>(services.notifier, *m_systemDialogs);
    m_statisticsWindow->hide();
    connect(m_statisticsLink, &LinkLabel::clicked, this, &StudyDesk::openStatistics);

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
