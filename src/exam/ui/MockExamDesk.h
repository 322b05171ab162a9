#pragma once

#include "exam/MockExamination.h"

#include <QObject>
#include <QSqlDatabase>

class MainFrame;
class MockPaperWindow;
class Notifier;
class PracticeSession;
class QPushButton;
struct MockExamForm;

// The mock examination in the main window: "本类模拟考试" (Button7) on the
// exam group of the command page, rendered from the examination's command
// state, and the paper window that shows the examination's paper and the
// quota page's views.
class MockExamDesk : public QObject
{
    Q_OBJECT

public:
    MockExamDesk(MainFrame &frame, QSqlDatabase db, PracticeSession &session,
                 const MockExamForm &form, Notifier &notifier, MockPaperWindow &paperWindow,
                 QObject *parent = nullptr);

    MockExamination &examination() { return m_examination; }
    QPushButton *command() const { return m_command; }

    // A view of the quota page: a quota row's paper or the whole bank's.
    void showPaper(const PaperScope &scope);

Q_SIGNALS:
    // The picker's bank has no quotas: the quota page must open.
    void quotaPageRequested();

private:
    void renderCommand();

    MockExamination m_examination;
    QPushButton *m_command = nullptr;
};
