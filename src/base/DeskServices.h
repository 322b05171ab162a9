#pragma once

#include <QSqlDatabase>

class Clipboard;
class Clock;
class Notifier;
class RandomSource;
class Selection;

// What the composition root hands every feature's desk: the data file, the
// notices over the main window, the clipboard, the one random source and the
// one clock of the program, and the current bank and chapter.
struct DeskServices
{
    QSqlDatabase db;
    Notifier &notifier;
    Clipboard &clipboard;
    RandomSource &random;
    Clock &clock;
    Selection &selection;
};
