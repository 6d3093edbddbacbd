// How long programs take from their start to their main window being visible: starts each
// program in turn (interleaved, the order swapped every round), polls every millisecond for a
// visible top-level window of the given class (and title) that belongs to the new process
// (a dialog of the process before it counts as a failure: the start asked a question),
// then ends the process and waits until it and its single-instance mutex are gone, and a
// moment more (-s) while the wine server and the desktop clean up after it, so that no start
// pays for the one before. Prints median, minimum, maximum and mean per program, and the ratio
// of each median to the last program's.
//
//   StartupBenchmark.exe [-n starts] [-t timeout-ms] [-s settle-ms] [-v]
//                        LABEL PROGRAM CLASS TITLE MUTEX  [LABEL PROGRAM CLASS TITLE MUTEX ...]
//
// TITLE and MUTEX may be "-" (any title; no mutex to wait for). Each program starts in its
// own folder. One start of each program before the measured ones warms the file cache.
// Exit code: 0 measured, 1 a program failed to start or show its window, 2 wrong arguments.
#include "platform/win32/WinApi.h"
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Subject {
    std::string label, program, windowClass, title, mutex;
    std::vector<double> seconds;
};

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A visible top-level window of the class (and title) owned by the process.
bool WindowShown(const Subject& s, DWORD processId) {
    const char* title = s.title == "-" ? nullptr : s.title.c_str();
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, s.windowClass.c_str(), title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return true;
    }
    return false;
}

// A message box or dialog of the process: a question the program asked before its window.
bool DialogShown(DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return true;
    }
    return false;
}

// What the process shows instead, to tell why its window never came (a question, an error).
BOOL CALLBACK ListWindow(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != static_cast<DWORD>(processId)) return TRUE;
    char windowClass[128] = "", title[256] = "";
    GetClassNameA(window, windowClass, sizeof(windowClass));
    GetWindowTextA(window, title, sizeof(title));
    std::fprintf(stderr, "    window class \"%s\" title \"%s\"%s\n", windowClass, title,
                 IsWindowVisible(window) ? " (visible)" : "");
    return TRUE;
}

bool MutexGone(const std::string& name) {
    if (name == "-") return true;
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    if (!mutex) return true;
    CloseHandle(mutex);
    return false;
}

bool WaitUntilMutexGone(const std::string& name, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!MutexGone(name)) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(1);
    }
    return true;
}

// One start: seconds from CreateProcess to the visible window, or a negative number.
double MeasureOnce(const Subject& s, DWORD timeoutMs, DWORD settleMs) {
    if (!WaitUntilMutexGone(s.mutex, timeoutMs)) {
        std::fprintf(stderr, "%s: the mutex \"%s\" is held before the start\n", s.label.c_str(), s.mutex.c_str());
        return -1;
    }
    std::string commandLine = "\"" + s.program + "\"";
    const std::string folder = FolderOf(s.program);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};

    const LARGE_INTEGER start = Now();
    if (!CreateProcessA(s.program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        std::fprintf(stderr, "%s: cannot start %s (error %lu)\n", s.label.c_str(), s.program.c_str(),
                     GetLastError());
        return -1;
    }
    double elapsed = -1;
    for (;;) {
        if (WindowShown(s, process.dwProcessId)) {
            elapsed = Seconds(start, Now());
            break;
        }
        if (DialogShown(process.dwProcessId)) {
            // Not a ready installation: the time would include the user's answer.
            std::fprintf(stderr, "%s: asks something before its window shows:\n", s.label.c_str());
            EnumWindows(ListWindow, static_cast<LPARAM>(process.dwProcessId));
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            std::fprintf(stderr, "%s: ended with %lu before showing a \"%s\" window\n", s.label.c_str(), code,
                         s.windowClass.c_str());
            break;
        }
        if (Seconds(start, Now()) * 1000 > timeoutMs) {
            std::fprintf(stderr, "%s: no visible \"%s\" window after %lu ms; it shows:\n", s.label.c_str(),
                         s.windowClass.c_str(), timeoutMs);
            EnumWindows(ListWindow, static_cast<LPARAM>(process.dwProcessId));
            break;
        }
        Sleep(1);
    }

    TerminateProcess(process.hProcess, 0);
    const bool ended = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!ended) {
        std::fprintf(stderr, "%s: the process does not end\n", s.label.c_str());
        return -1;
    }
    // The next start must not meet this one's mutex and end as a second copy.
    if (!WaitUntilMutexGone(s.mutex, timeoutMs)) {
        std::fprintf(stderr, "%s: the mutex \"%s\" outlives the process\n", s.label.c_str(), s.mutex.c_str());
        return -1;
    }
    Sleep(settleMs);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: StartupBenchmark.exe [-n starts] [-t timeout-ms] [-s settle-ms] [-v]\n"
                 "       LABEL PROGRAM CLASS TITLE MUTEX [LABEL PROGRAM CLASS TITLE MUTEX ...]\n"
                 "       (TITLE, MUTEX: \"-\" for any title, no mutex)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int starts = 15;
    DWORD timeoutMs = 20000;
    DWORD settleMs = 250;
    bool verbose = false;
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] != '\0'; ++i) {
        if (!std::strcmp(argv[i], "-n") && i + 1 < argc) starts = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "-t") && i + 1 < argc) timeoutMs = static_cast<DWORD>(std::atol(argv[++i]));
        else if (!std::strcmp(argv[i], "-s") && i + 1 < argc) settleMs = static_cast<DWORD>(std::atol(argv[++i]));
        else if (!std::strcmp(argv[i], "-v")) verbose = true;
        else return Usage();
    }
    std::vector<Subject> subjects;
    for (; i + 5 <= argc; i += 5) subjects.push_back(Subject{argv[i], argv[i + 1], argv[i + 2], argv[i + 3], argv[i + 4], {}});
    if (i != argc || subjects.empty() || starts < 1) return Usage();

    timeBeginPeriod(1);  // Sleep(1) sleeps one millisecond, not a whole scheduler tick
    // Not counted: the first start of each program reads its files from the disk.
    for (const Subject& s : subjects)
        if (MeasureOnce(s, timeoutMs, settleMs) < 0) return 1;
    for (int round = 0; round < starts; ++round) {
        // Interleaved, every other round in the opposite order, so that neither program
        // always follows the other.
        for (std::size_t k = 0; k < subjects.size(); ++k) {
            Subject& s = subjects[round % 2 ? subjects.size() - 1 - k : k];
            const double seconds = MeasureOnce(s, timeoutMs, settleMs);
            if (seconds < 0) return 1;
            s.seconds.push_back(seconds);
            if (verbose) std::printf("  round %2d  %-10s %7.1f ms\n", round + 1, s.label.c_str(), seconds * 1000);
        }
    }
    timeEndPeriod(1);

    std::printf("start to visible window, %d starts each (interleaved):\n", starts);
    std::printf("  %-10s %9s %9s %9s %9s\n", "program", "median", "min", "max", "mean");
    for (const Subject& s : subjects) {
        double total = 0;
        for (double v : s.seconds) total += v;
        std::printf("  %-10s %6.1f ms %6.1f ms %6.1f ms %6.1f ms\n", s.label.c_str(), Median(s.seconds) * 1000,
                    *std::min_element(s.seconds.begin(), s.seconds.end()) * 1000,
                    *std::max_element(s.seconds.begin(), s.seconds.end()) * 1000, total / s.seconds.size() * 1000);
    }
    const Subject& base = subjects.back();
    for (std::size_t k = 0; k + 1 < subjects.size(); ++k)
        std::printf("ratio of the medians, %s / %s: %.2f\n", subjects[k].label.c_str(), base.label.c_str(),
                    Median(subjects[k].seconds) / Median(base.seconds));
    return 0;
}
