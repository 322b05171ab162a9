#include "exam/ui/RandomPracticeDesk.h"

#include "exam/ui/RunDesk.h"
#include "widgets/MainFrame.h"

#include <QPushButton>

RandomPracticeDesk::RandomPracticeDesk(MainFrame &frame, const DeskServices &services,
                                       RunDesk &desk, SettingsForm &form, QObject *parent)
    : QObject(parent),
      m_practice(services.db, desk.session(), form, services.notifier, services.random)
{
    m_bank = addCommand(frame, RandomPracticeDeskNames::bankCommand, QStringLiteral("本类随机练习"),
                        RandomPracticeSource::Scope::Bank);
    m_chapter = addCommand(frame, RandomPracticeDeskNames::chapterCommand,
                           QStringLiteral("本章随机练习"), RandomPracticeSource::Scope::Chapter);
}

QPushButton *RandomPracticeDesk::addCommand(MainFrame &frame, QLatin1StringView name,
                                            const QString &text, RandomPracticeSource::Scope scope)
{
    auto *command = new QPushButton(text);
    command->setObjectName(name);
    command->setMinimumHeight(28);
    command->setCursor(Qt::PointingHandCursor);
    command->setToolTip(RandomPractice::kHint);
    connect(command, &QPushButton::clicked, this, [this, scope] { m_practice.start(scope); });
    frame.addCommand(MainFrame::CommandGroup::Practice, command);
    return command;
}
