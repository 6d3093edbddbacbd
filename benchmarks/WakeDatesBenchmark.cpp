// Ten thousand wake dates with the real file service under Wine or Windows: how long the
// preferences' OK takes to save them (Orvella.ini built anew and replaced in one step), how long
// their opening takes to load them into the sorted list, and how long the agent takes to read
// and plan them. The file lies in a folder of its own under the temporary-files folder, which
// stands in for the program folder; it starts as a file whose damaged counter says 2147483647.
//
//   WakeDatesBenchmark.exe [dates]     (default 10000)
//
// Prints the figures; exit code 1 when the save takes a second or more.
#include "platform/win32/WinApi.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "agent/AgentWatcher.h"
#include "common/Names.h"
#include "dates/WakeDates.h"
#include "platform/fake/FakePlatform.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32System.h"

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::min(std::atoi(argv[1]), kMaxWakeDates)) : kMaxWakeDates;

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "OrvellaWakeDatesBenchmark\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string ini = folder + "Orvella.ini";

    fake::FakePlatform fakes;
    win32::Win32FileSystem files;
    win32::Win32System system;
    fakes.process.moduleFileName = folder + "Orvella.exe";  // the code measured takes it for the program's
    fakes.clock.now = {2027, 1, 5, 6, 0, 0};
    platform::Platform platform{fakes.registry, files,         fakes.ini,   fakes.process, fakes.desktop, fakes.desktop,
                                fakes.desktop,  fakes.volume, fakes.clock, system,        fakes.dialogs, fakes.app};

    files.WriteFile(ini, "[Position]\r\nLeft=3\r\nTop=4\r\n[Weckzeiten]\r\nZ\xE4hler=2147483647\r\n0=old\r\n");
    TWakeDateList list(system);
    for (int i = 0; i < count; ++i) {
        const long long minutes = 6 * 60 + 37LL * i;  // from 05.01.2027, 06:00, some days apart
        TWakeDate date{static_cast<int>(5 + minutes / 1440 % 20), static_cast<int>(1 + minutes / 1440 / 20 % 12),
                       2027 + static_cast<int>(minutes / 1440 / 240), "", "Wake " + std::to_string(i)};
        char time[8];
        std::snprintf(time, sizeof time, "%02d:%02d", static_cast<int>(minutes / 60 % 24), static_cast<int>(minutes % 60));
        date.time = time;
        list.Add(FormatWakeDate(date));
    }

    LARGE_INTEGER frequency, start, saved, loaded, planned;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    SaveWakeDates(platform, list);
    QueryPerformanceCounter(&saved);
    TWakeDateList again(system);
    LoadWakeDates(platform, again);
    QueryPerformanceCounter(&loaded);
    AgentWatcher watcher(platform);
    watcher.Reload();
    platform::LocalTime next{};
    const bool hasNext = watcher.NextWake(next);
    QueryPerformanceCounter(&planned);

    std::string content;
    files.ReadFile(ini, content, kMaxIniFileSize);
    DeleteFileA(ini.c_str());
    RemoveDirectoryA(folder.c_str());

    const double saveMs = Milliseconds(start, saved, frequency);
    std::printf("%d wake dates, Orvella.ini of %u bytes\n", count, static_cast<unsigned>(content.size()));
    std::printf("save (preferences' OK):        %8.1f ms\n", saveMs);
    std::printf("load (preferences' opening):   %8.1f ms%s\n", Milliseconds(saved, loaded, frequency),
                again.Entries() == list.Entries() ? "" : "  (NOT THE DATES SAVED)");
    std::printf("read and plan (the agent):     %8.1f ms%s\n", Milliseconds(loaded, planned, frequency),
                hasNext ? "" : "  (NOTHING PLANNED)");
    return saveMs < 1000.0 ? 0 : 1;
}
