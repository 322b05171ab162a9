#pragma once

#include "base/DeskServices.h"
#include "exam/RandomPractice.h"

#include <QLatin1StringView>
#include <QObject>

class MainFrame;
class QPushButton;
class RunDesk;
class SettingsForm;

// The object names by which tests and stored layouts find the controls.
struct RandomPracticeDeskNames
{
    static constexpr QLatin1StringView bankCommand{"Button10"};
    static constexpr QLatin1StringView chapterCommand{"Button9"};
};

// Random practice in the main window: "本类随机练习" and "本章随机练习" on the
// practice group draw a run through the program's random source.
class RandomPracticeDesk : public QObject
{
    Q_OBJECT

public:
    RandomPracticeDesk(MainFrame &frame, const DeskServices &services, RunDesk &desk,
                       SettingsForm &form, QObject *parent = nullptr);

    RandomPractice &practice() { return m_practice; }
    QPushButton *bankButton() const { return m_bank; }
    QPushButton *chapterButton() const { return m_chapter; }

private:
    QPushButton *addCommand(MainFrame &frame, QLatin1StringView name, const QString &text,
                            RandomPracticeSource::Scope scope);

    RandomPractice m_practice;
    QPushButton *m_bank = nullptr;
    QPushButton *m_chapter = nullptr;
};
