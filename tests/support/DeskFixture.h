#pragma once

#include "RecordingClipboard.h"
#include "RecordingNotifier.h"
#include "TestDatabase.h"

#include "app/ui/MainWindow.h"
#include "exam/ReviewActions.h"
#include "exam/ui/PracticeDesk.h"
#include "exam/ui/ReviewWindow.h"

// The main window with its practice desk and review window over a fresh
// database, put together as the program does. The test fills the database
// and shows the window.
struct DeskFixture
{
    TestDatabase db;
    RecordingNotifier notifier;
    RecordingClipboard clipboard;
    ReviewActions actions{clipboard, notifier};
    ReviewWindow review{actions};
    MainWindow main{db.db(), notifier};
    PracticeDesk desk{main, db.db(), notifier, main.startupSettings(), main.settingsForm(), review};
};
