// How much of the processor one alarm run takes: times single steps of the run (Timer1Timer)
// with the real output-volume service and reports the share of each interval a step uses at
// the default 100 ms and at the shortest 10 ms. Everything but the volume is the in-memory
// platform, so only the step itself and the device's volume calls are measured.
//
//   AlarmStepBenchmark.exe [steps]     (default 2000)
#include "platform/win32/WinApi.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/win32/Win32Volume.h"
#include "startup/PermanentWindows.h"
#include "ui/fake/FakeGui.h"

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    fake::FakeEnvironment fakes;
    win32::Win32Volume volume;
    platform::Platform platform{fakes.registry, fakes.files, fakes.ini,    fakes.process,
                                fakes.desktop,  fakes.desktop, fakes.desktop, volume, fakes.sound,
                                fakes.clock,    fakes.system, fakes.dialogs, fakes.app};
    ui::Environment environment{platform, fakes.gui};
    PermanentWindows windows{environment};
    TForm1& form1 = windows.Form1;
    TForm2& form2 = windows.Form2;
    // A run of the default options that never reaches its end: the level starts over below it.
    form2.settings.CloseAtFinalVolume = false;

    std::uint16_t savedLeft = 0, savedRight = 0;
    const bool readable = volume.Get(savedLeft, savedRight);
    // A device that takes no volume makes every step look free: say so with the numbers.
    std::uint16_t probeLeft = 0, probeRight = 0;
    volume.Set(32750, 32750);
    volume.Get(probeLeft, probeRight);
    std::printf("output volume: %s; 50 %% reads back as %u/%u\n", readable ? "readable" : "NOT readable",
                probeLeft, probeRight);

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(steps));
    for (int i = 0; i < steps; ++i) {
        if (form1.playback.RunLevel >= 500) form1.playback.RunLevel = 0;
        QueryPerformanceCounter(&start);
        form1.playback.Timer1Timer();
        QueryPerformanceCounter(&end);
        times.push_back(Seconds(start, end, frequency));
    }
    volume.Set(savedLeft, savedRight);

    std::sort(times.begin(), times.end());
    double total = 0;
    for (double t : times) total += t;
    const double mean = total / steps;
    const double median = times[times.size() / 2];
    const double worst = times.back();
    std::printf("alarm step with the output-volume calls, %d steps\n", steps);
    std::printf("  mean %.1f us, median %.1f us, slowest %.1f us\n", mean * 1e6, median * 1e6, worst * 1e6);
    for (int interval : {100, 10}) {
        const double share = mean / (interval / 1000.0) * 100.0;
        std::printf("  interval %3d ms: %.3f %% of one processor; a default run of 500 steps spends %.1f ms\n",
                    interval, share, mean * 500 * 1000.0);
    }
    return 0;
}
