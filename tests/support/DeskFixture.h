#pragma once

#include "RecordingClipboard.h"
#include "RecordingNotifier.h"
#include "ScriptedRandom.h"
#include "TestDatabase.h"

#include "app/ui/MainWindow.h"
#include "base/Clock.h"
#include "base/DeskServices.h"
#include "base/Selection.h"
#include "exam/ui/KnownBar.h"
#include "exam/ui/RunDesk.h"
#include "settings/ui/SettingsDesk.h"

// The main window with the settings desk, the run desk and the known-questions
// bar over a fresh database, put together as the program does. The test fills
// the database and shows the window.
struct DeskFixture
{
    TestDatabase db;
    RecordingNotifier notifier;
    RecordingClipboard clipboard;
    ScriptedRandom random;
    SystemClock clock;
    Selection selection;
    DeskServices services{db.db(), notifier, clipboard, random, clock, selection};
    MainWindow main{notifier};
    SettingsDesk settings{main, db.db(), notifier};
    RunDesk desk{main, services, settings};
    KnownBar known{main, services, desk};
};
