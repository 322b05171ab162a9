#pragma once

#include "base/DeskServices.h"
#include "exam/ReviewActions.h"

#include <QLatin1StringView>
#include <QObject>
#include <memory>

class MainFrame;
class PaperBrowseWindow;
class QToolButton;
class RunDesk;

// The object names by which tests and stored layouts find the controls.
struct PaperViewDeskNames
{
    static constexpr QLatin1StringView browseCommand{"SpeedButton10"};
};

// The paper view of a run: "边做边查阅试卷" on the practice page shows the
// run's paper in the window "试卷查看".
class PaperViewDesk : public QObject
{
    Q_OBJECT

public:
    PaperViewDesk(MainFrame &frame, const DeskServices &services, RunDesk &desk,
                  QObject *parent = nullptr);
    ~PaperViewDesk() override;

    PaperBrowseWindow *window() const { return m_window.get(); }
    QToolButton *command() const { return m_command; }

private:
    RunDesk &m_desk;
    ReviewActions m_actions;
    std::unique_ptr<PaperBrowseWindow> m_window;
    QToolButton *m_command = nullptr;
};
