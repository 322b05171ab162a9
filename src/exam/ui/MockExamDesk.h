#pragma once

#include "base/DeskServices.h"
#include "exam/MockExamination.h"
#include "exam/ReviewActions.h"

#include <QLatin1StringView>
#include <QObject>
#include <memory>

class MainFrame;
class MockPaperWindow;
class PracticeSession;
class QPushButton;
struct MockExamForm;

// The object names by which tests and stored layouts find the controls.
struct MockExamDeskNames
{
    static constexpr QLatin1StringView examCommand{"Button7"};
};

// The mock examination in the main window: "本类模拟考试" on the exam group of
// the command page, rendered from the examination's command state, and the
// paper window that shows the examination's paper and the quota page's
// views. The examination is of the selection's bank.
class MockExamDesk : public QObject
{
    Q_OBJECT

public:
    // paperNotifier: the notices over the paper window.
    MockExamDesk(MainFrame &frame, const DeskServices &services, PracticeSession &session,
                 const MockExamForm &form, Notifier &paperNotifier, QObject *parent = nullptr);
    ~MockExamDesk() override;

    MockExamination &examination() { return m_examination; }
    QPushButton *command() const { return m_command; }
    MockPaperWindow *paperWindow() const { return m_paperWindow.get(); }

    // A view of the quota page: a quota row's paper or the whole bank's.
    void showPaper(const PaperScope &scope);

Q_SIGNALS:
    // The selection's bank has no quotas: the quota page must open.
    void quotaPageRequested();

private:
    void renderCommand();

    MockExamination m_examination;
    ReviewActions m_paperActions;
    std::unique_ptr<MockPaperWindow> m_paperWindow;
    QPushButton *m_command = nullptr;
};
