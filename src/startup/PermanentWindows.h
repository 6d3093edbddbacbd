#pragma once
#include "dates/DateForm.h"
#include "mainwindow/MainForm.h"
#include "playback/ShutdownForm.h"
#include "preferences/PreferencesForm.h"
#include "ui/Gui.h"

// The main program's four permanent windows, created and tied together: the main window, the
// preferences dialog (which holds the options), the date entry dialog and the shutdown
// countdown. They live until the program ends. The start-up makes them this way, and so do
// the tests, the fuzz targets and the benchmarks.
struct PermanentWindows {
    explicit PermanentWindows(ui::Environment& environment);
    PermanentWindows(const PermanentWindows&) = delete;
    PermanentWindows& operator=(const PermanentWindows&) = delete;

    TForm1 Form1;
    TForm2 Form2;
    TForm3 Form3;
    TForm6 Form6;
};
