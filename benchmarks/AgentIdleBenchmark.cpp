// How much processor time the companion agent takes while it waits: starts Agent.exe from this
// program's folder with one wake date a day ahead in Orvella.ini (so its timer is armed and
// the folder watched), lets it settle, then reads its kernel and user time before and after
// an idle interval and prints the difference. The agent is closed with WM_CLOSE at the end,
// and the folder's Orvella.ini is put back as it was.
//
// Wine reports no processor times for other processes; there the agent's Linux process is
// found through drive Z: (its command line is the agent's path) and its times are read from
// its /proc entry instead.
//
//   AgentIdleBenchmark.exe [seconds]        (10 unless given)
//
// Exit code: 0 measured and below the bound, 1 above it, 2 the agent did not start or another
// agent runs already (the one started would end at once, and nothing of it be measured).
#include "platform/win32/WinApi.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Processor time a sleeping agent may take per idle interval: what the window system's own
// housekeeping costs, far below one wake-up per second.
constexpr double kBoundMs = 20.0;

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool ReadAll(const std::string& path, std::string& content) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) content.append(buffer, n);
    std::fclose(f);
    return true;
}

void WriteAll(const std::string& path, const std::string& content) {
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
}

double WindowsProcessorMs(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// The /proc folder (as seen through drive Z:) of the Linux process whose command line starts
// with `program`; empty when there is none.
std::string LinuxProcessFolder(const std::string& program) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return "";
    std::string result;
    do {
        const std::string name = found.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string commandLine;
        if (ReadAll("Z:\\proc\\" + name + "\\cmdline", commandLine) &&
            lstrcmpiA(commandLine.substr(0, program.size()).c_str(), program.c_str()) == 0 &&
            (commandLine.size() == program.size() || commandLine[program.size()] == ' ' ||
             commandLine[program.size()] == '\0'))
            result = "Z:\\proc\\" + name + "\\";
    } while (result.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return result;
}

// User and system time of a Linux process from its stat file, in clock ticks of 10 ms.
double LinuxProcessorMs(const std::string& procFolder) {
    std::string stat;
    if (!ReadAll(procFolder + "stat", stat)) return -1;
    const std::size_t name = stat.rfind(')');
    if (name == std::string::npos) return -1;
    // After the name: state is the first field, user time the twelfth, system time the thirteenth.
    unsigned long long user = 0, system = 0;
    if (std::sscanf(stat.c_str() + name + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user,
                    &system) != 2)
        return -1;
    return static_cast<double>(user + system) * 10.0;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::string folder = ProgramFolder();
    const std::string ini = folder + "Orvella.ini";
    if (FindWindowA("TApplication", "Orvella Agent")) {
        std::printf("an agent runs already: end it first, or this measures nothing\n");
        return 2;
    }
    std::string saved;
    const bool hadIni = ReadAll(ini, saved);

    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER t;
    t.LowPart = file.dwLowDateTime;
    t.HighPart = file.dwHighDateTime;
    t.QuadPart += 24ULL * 3600 * 10000000;
    file.dwLowDateTime = t.LowPart;
    file.dwHighDateTime = t.HighPart;
    SYSTEMTIME tomorrow;
    FileTimeToSystemTime(&file, &tomorrow);
    char entry[64];
    std::snprintf(entry, sizeof entry, "%02d.%02d.%04d (%02d:%02d)", tomorrow.wDay, tomorrow.wMonth, tomorrow.wYear,
                  tomorrow.wHour, tomorrow.wMinute);
    WriteAll(ini, std::string("[Weckzeiten]\r\nZ\xE4hler=0\r\n0=") + entry + "\r\n");

    std::string command = "\"" + folder + "Agent.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION agent{};
    int result = 2;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &agent)) {
        HWND window = nullptr;
        for (int i = 0; i < 200 && !window; ++i) {
            Sleep(50);
            window = FindWindowA("TApplication", "Orvella Agent");
        }
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        if (window && owner != agent.dwProcessId) {
            std::printf("the agent's window belongs to another process\n");
        } else if (window) {
            Sleep(2000);  // past its start
            // A started process has always used some time; none means the system does not say.
            const std::string procFolder =
                WindowsProcessorMs(agent.hProcess) > 0 ? "" : LinuxProcessFolder(folder + "Agent.exe");
            const auto processorMs = [&] {
                return procFolder.empty() ? WindowsProcessorMs(agent.hProcess) : LinuxProcessorMs(procFolder);
            };
            if (!procFolder.empty()) std::printf("measured through %s\n", procFolder.c_str());
            const double before = processorMs();
            Sleep(static_cast<DWORD>(seconds) * 1000);
            const double after = processorMs();
            const double used = after - before;
            std::printf("agent processor time: %.1f ms for its start, %.1f ms while waiting %d s (bound %.0f ms)\n",
                        before, used, seconds, kBoundMs);
            const bool alive = WaitForSingleObject(agent.hProcess, 0) == WAIT_TIMEOUT;
            if (!alive) std::printf("the agent ended during the measurement\n");
            result = before > 0 && alive && used <= kBoundMs ? 0 : 1;
            PostMessageA(window, WM_CLOSE, 0, 0);
        } else {
            std::printf("the agent's window did not appear\n");
        }
        if (WaitForSingleObject(agent.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(agent.hProcess, 1);
        CloseHandle(agent.hThread);
        CloseHandle(agent.hProcess);
    } else {
        std::printf("Agent.exe could not be started from %s\n", folder.c_str());
    }

    if (hadIni)
        WriteAll(ini, saved);
    else
        DeleteFileA(ini.c_str());
    return result;
}
