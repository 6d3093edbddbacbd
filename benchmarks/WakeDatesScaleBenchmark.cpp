// Ten thousand wake dates, as many as the reader takes: how long the preferences take to open
// on the Dates tab with the list filled, and how long OK takes to store them. On Windows the
// dialog is a real window and Orvella.ini a real file (in a folder of its own under %TEMP%);
// natively both are in memory, which times the program's own share.
//
//   WakeDatesScaleBenchmark[.exe] [dates]     (default 10000)
#ifdef _WIN32
#include "platform/win32/WinApi.h"
#include "platform/win32/Win32Platform.h"
#include "ui/win32/Win32Gui.h"
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/Names.h"
#include "dates/WakeDates.h"
#include "startup/PermanentWindows.h"
#include "ui/fake/FakeGui.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The dates as the preferences write them: day first, a time, every third with a description.
std::string IniText(int count) {
    std::string text = "[Position]\r\nLeft=10\r\nTop=10\r\n[Weckzeiten]\r\nZ\xE4hler=" + std::to_string(count - 1) + "\r\n";
    char entry[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(entry, sizeof entry, "%02d.%02d.%04d (%02d:%02d)%s", i % 28 + 1, i / 28 % 12 + 1,
                      2027 + i / 336 % 70, i % 24, i * 7 % 60, i % 3 == 0 ? " - Early shift" : "");
        text += std::to_string(i) + "=" + entry + "\r\n";
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : kMaxWakeDates;
    fake::FakeEnvironment fakes;
#ifdef _WIN32
    win32::Win32Gui gui("Orvella");
    win32::Win32Platform real(gui);
    const std::string folder = real.files.TempPath() + "OrvellaScale\\";
    real.files.CreateDirectory(folder);
    fakes.process.moduleFileName = folder + "Orvella.exe";
    // The options stay in memory: the benchmark leaves the user's registry alone.
    platform::Platform platform{fakes.registry, real.files,  real.ini,    fakes.process,
                                real.shell,     real.windows, real.keyboard, fakes.volume,
                                real.clock,     real.system, fakes.dialogs, gui};
    ui::Environment environment{platform, gui};
    const auto settle = [&] { gui.ProcessMessages(); };
    const char* where = "real window and file";
#else
    fakes.process.moduleFileName = "C:\\Program Files\\Orvella\\Orvella.exe";
    platform::Platform& platform = fakes.platform;
    ui::Environment& environment = fakes.environment;
    const auto settle = [] {};
    const char* where = "in memory";
#endif
    const std::string ini = ProgramFolder(fakes.process) + kIniFileName;
    platform.files.WriteFile(ini, IniText(count));

    PermanentWindows windows{environment};
    TForm2& preferences = windows.Form2;
    preferences.PageControl1.activePage = 3;  // "Dates"

    // The file read alone, as the dialog's opening reads it.
    const Clock::time_point reading = Clock::now();
    TWakeDateList read(platform.system);
    LoadWakeDates(platform, read);
    const Clock::time_point readDone = Clock::now();

    const Clock::time_point opening = Clock::now();
    preferences.Show();
    settle();
    const Clock::time_point shown = Clock::now();
    const std::size_t rows = preferences.ListView1.rows.size();
    std::printf("%d wake dates: open %.1f ms\n", count, Milliseconds(opening, shown));
    std::fflush(stdout);

    preferences.Button1.Click();
    settle();
    const Clock::time_point saved = Clock::now();

    std::string content;
    platform.files.ReadFile(ini, content, kMaxIniFileSize);
    std::printf("%d wake dates (%s)\n", count, where);
    std::printf("  the dates read from Orvella.ini:    %8.1f ms (%zu dates)\n", Milliseconds(reading, readDone),
                read.Count());
    std::printf("  open on the Dates tab, list filled: %8.1f ms (%zu rows)\n", Milliseconds(opening, shown), rows);
    std::printf("  OK, dates stored:                   %8.1f ms (Orvella.ini %zu bytes)\n",
                Milliseconds(shown, saved), content.size());
#ifdef _WIN32
    real.files.DeleteFile(ini);
    real.files.RemoveDirectory(folder);
#endif
    std::fflush(stdout);
    return rows == static_cast<std::size_t>(count) ? 0 : 1;
}
