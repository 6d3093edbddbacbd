// The companion agent under Wine: a wake date written while it runs wakes the main program
// (the wake call set, Orvella.exe /S started, the player playing), WM_CLOSE ends it with exit
// code 0, and a second copy ends at once. A huge damaged Orvella.ini does not knock it over, and
// a date it fired stays fired when it is started again. A repeating date rings on its weekdays
// from its first day on. Its icon in the notification area names the next wake call, follows the
// saved dates and the option "Agent - Symbol", and goes with the agent.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <thread>
#include <vector>

#include "E2eSupport.h"

namespace {

const char* const kKey = "Software\\Orvella";
const char* const kPlayerClass = "Winamp v1.x";

// The minute of local time `minutes` from the current one (the next with at least 15 seconds to
// go for 1).
SYSTEMTIME Minute(long long minutes) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER t;
    t.LowPart = file.dwLowDateTime;
    t.HighPart = file.dwHighDateTime;
    const long long second = 10000000LL, minute = 60 * second;
    t.QuadPart = static_cast<unsigned long long>((static_cast<long long>(t.QuadPart) / minute + minutes) * minute);
    if (minutes > 0 && now.wSecond > 45) t.QuadPart += minute;
    file.dwLowDateTime = t.LowPart;
    file.dwHighDateTime = t.HighPart;
    SYSTEMTIME at;
    FileTimeToSystemTime(&file, &at);
    return at;
}

// That minute as an entry text.
std::string WakeDate(long long minutes = 1, const char* description = "e2e") {
    const SYSTEMTIME at = Minute(minutes);
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d (%02d:%02d) - %s", at.wDay, at.wMonth, at.wYear, at.wHour,
                  at.wMinute, description);
    return text;
}

// The tip of the agent's icon for a wake call at that minute.
std::string NextWakeTip(long long minutes, const char* description) {
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const SYSTEMTIME at = Minute(minutes);
    char text[96];
    std::snprintf(text, sizeof text, "Next wake call: %s %02d.%02d. %02d:%02d \x96 %s", days[at.wDayOfWeek], at.wDay,
                  at.wMonth, at.wHour, at.wMinute, description);
    return text;
}

// The tips of the icons in Wine's notification area. Without a system tray on the X display,
// Wine's explorer shows the icons in its own window "__winex11_standalone_tray", with one tooltip
// window (owned by it) for each icon, which holds the tip the program gave the shell. Those
// tooltips live in explorer's process, so their text is asked for with a TOOLINFO in explorer's
// memory. Nothing, with `readable` false, when explorer's bitness differs from the test's.
std::vector<std::string> TrayTips(bool& readable) {
    std::vector<std::string> tips;
    readable = false;
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    if (!tray) {
        readable = true;  // no icon was ever shown
        return tips;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(tray, &pid);
    HANDLE explorer = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                                  FALSE, pid);
    if (!explorer) return tips;
    BOOL ours = FALSE, theirs = FALSE;
    IsWow64Process(GetCurrentProcess(), &ours);
    IsWow64Process(explorer, &theirs);
    const std::size_t kChars = 256;
    char* remote = ours == theirs ? static_cast<char*>(VirtualAllocEx(explorer, nullptr, sizeof(TTTOOLINFOW) + kChars * 2,
                                                                      MEM_COMMIT, PAGE_READWRITE))
                                  : nullptr;
    if (remote) {
        readable = true;
        wchar_t* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "tooltips_class32", nullptr));) {
            if (GetWindow(w, GW_OWNER) != tray) continue;
            TTTOOLINFOW info{};
            info.cbSize = sizeof info;
            DWORD_PTR answer = 0;
            WriteProcessMemory(explorer, remote, &info, sizeof info, nullptr);
            if (!SendMessageTimeoutW(w, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 2000,
                                     &answer) || !answer)
                continue;
            ReadProcessMemory(explorer, remote, &info, sizeof info, nullptr);
            info.lpszText = remoteText;
            const wchar_t none = 0;
            WriteProcessMemory(explorer, remoteText, &none, sizeof none, nullptr);
            WriteProcessMemory(explorer, remote, &info, sizeof info, nullptr);
            SendMessageTimeoutW(w, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 2000,
                                &answer);
            wchar_t text[kChars] = L"";
            ReadProcessMemory(explorer, remoteText, text, sizeof text - 2, nullptr);
            char tip[kChars * 2] = "";
            WideCharToMultiByte(1252, 0, text, -1, tip, sizeof tip, nullptr, nullptr);
            tips.push_back(tip);
        }
        VirtualFreeEx(explorer, remote, 0, MEM_RELEASE);
    }
    CloseHandle(explorer);
    return tips;
}

// The tip of the agent's icon as the agent itself tells it: the title of its hidden icon window
// is the tip the shell took, empty while it shows no icon.
std::string IconTip() {
    HWND icon = FindWindowA("Orvella Agent Icon", nullptr);
    char text[256] = "";
    if (icon) GetWindowTextA(icon, text, sizeof text);
    return text;
}

// The shell holds this tip, or none at all for nullptr; where explorer's tips cannot be read, the
// agent's own account counts.
bool ShellShows(const char* tip) {
    bool readable = false;
    const std::vector<std::string> tips = TrayTips(readable);
    if (!readable) return tip ? IconTip() == tip : IconTip().empty();
    if (!tip) return tips.empty() && IconTip().empty();
    return tips.size() == 1 && tips[0] == tip && IconTip() == tip;
}

std::string ShellTips() {
    bool readable = false;
    std::string all = "agent: \"" + IconTip() + "\", tray:";
    for (const std::string& tip : TrayTips(readable)) all += " \"" + tip + "\"";
    return all + (readable ? "" : " (not readable)");
}

class Agent : public ::testing::Test {
protected:
    void SetUp() override {
        EndAll();
        e2e::InstallOrvellaWithStandInPlayer();
        e2e::SetRegistryDword(kKey, "Programm - Autostart - Länge", 1);
        e2e::SetRegistryDword(kKey, "Weckruf", 0);
        savedIni_ = e2e::ReadTextFile(ini_);
        DeleteFileA(ini_.c_str());
    }
    void TearDown() override {
        EndAll();
        e2e::DeleteRegistryKey(kKey);
        if (savedIni_.empty())
            DeleteFileA(ini_.c_str());
        else
            e2e::WriteTextFile(ini_, savedIni_);
    }
    static void EndAll() {
        e2e::EndWindowOwners("TApplication", "Orvella Agent");
        e2e::EndWindowOwners("TApplication", "Orvella");
        e2e::EndWindowOwners(kPlayerClass, nullptr);
    }

    const std::string ini_ = e2e::BinFolder() + "Orvella.ini";
    std::string savedIni_;
};

TEST_F(Agent, AWakeDateWrittenWhileItRunsStartsTheMainProgramOnce) {
    auto agent = e2e::StartProgram("Agent.exe");
    ASSERT_TRUE(agent.Started());
    HWND window = e2e::WaitForWindow("TApplication", "Orvella Agent", 10000);
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(window));

    auto second = e2e::StartProgram("Agent.exe");
    DWORD code = 99;
    ASSERT_TRUE(second.WaitForExit(5000, &code));
    EXPECT_EQ(code, 0u);

    // Written as the main program writes it: Windows-1252, the counter one below the count.
    const std::string date = WakeDate();
    ASSERT_TRUE(e2e::WriteTextFile(ini_, "[Weckzeiten]\r\nZähler=0\r\n0=" + date + "\r\n"));

    // The main program reads and clears the wake call as it starts, so the flag is caught in
    // passing; the player starting shows that the main program saw it.
    DWORD wake = 0;
    const bool flagSeen = e2e::WaitUntil(
        [&] { return (e2e::GetRegistryDword(kKey, "Weckruf", wake) && wake == 1) || FindWindowA("TForm1", "Orvella"); },
        150000);
    ASSERT_TRUE(flagSeen) << "no wake call for " << date;
    e2e::DeclineSkinSearch();
    EXPECT_TRUE(e2e::WaitForWindow("TForm1", "Orvella", 20000));
    EXPECT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 20000));

    // One wake per date: the agent has nothing left to start.
    e2e::EndWindowOwners("TApplication", "Orvella");
    Sleep(2000);
    EXPECT_FALSE(FindWindowA("TApplication", "Orvella"));

    PostMessageA(window, WM_CLOSE, 0, 0);
    code = 99;
    ASSERT_TRUE(agent.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
}

// Orvella left open overnight: the copy the agent starts hands the wake call to it and ends,
// and the open copy plays. A date of the current minute is due at once.
TEST_F(Agent, AWakeDateWhileOrvellaIsOpenIsPlayedByTheOpenCopy) {
    e2e::TempFolder folder;
    e2e::ScopedEnvironment log("STANDIN_PLAYER_LOG", folder.File("player.log"));
    e2e::SetRegistryString(kKey, "Theme - Pfad", e2e::BinFolder() + "Skins\\Classic.skn");
    auto open = e2e::StartProgram("Orvella.exe");
    HWND main = e2e::WaitForWindow("TForm1", "Orvella", 15000);
    ASSERT_TRUE(main);
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(main) && FindWindowA("TApplication", "Orvella"); }, 10000));
    auto agent = e2e::StartProgram("Agent.exe");
    ASSERT_TRUE(e2e::WaitForWindow("TApplication", "Orvella Agent", 10000));

    const std::string date = WakeDate(0);
    ASSERT_TRUE(e2e::WriteTextFile(ini_, "[Weckzeiten]\r\nZ\xE4hler=0\r\n0=" + date + "\r\n"));
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 30000)) << "no player started for " << date;
    EXPECT_TRUE(e2e::WaitUntil(
        [&] {
            const std::string played = e2e::ReadTextFile(folder.File("player.log"));
            return played.find("KEYDOWN 58") != std::string::npos || played.find("COMMAND 40045") != std::string::npos;
        },
        15000))
        << "the player was not told to play";
    DWORD wake = 99;
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Weckruf", wake));
    EXPECT_EQ(wake, 0u);
    EXPECT_TRUE(open.Running());
    // The copy the agent started has ended: one main window.
    int windows = 0;
    for (HWND w = FindWindowA("TForm1", "Orvella"); w; w = FindWindowExA(nullptr, w, "TForm1", "Orvella")) ++windows;
    EXPECT_EQ(windows, 1);
}

// A running copy that does not answer (here a stand-in whose window takes no messages) must
// not swallow the wake call: the new copy rings it itself.
TEST_F(Agent, AWakeCallThatAHungCopyDoesNotTakeIsPlayedByTheNewCopy) {
    e2e::SetRegistryDword(kKey, "Weckruf", 1);
    e2e::SetRegistryString(kKey, "Theme - Pfad", e2e::BinFolder() + "Skins\\Classic.skn");
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "Orvella");
    ASSERT_TRUE(mutex);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread hung([&] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TApplication";
        RegisterClassA(&wc);
        HWND window = CreateWindowExA(0, "TApplication", "Orvella", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      wc.hInstance, nullptr);
        SetEvent(ready);
        WaitForSingleObject(release, 60000);  // takes no message meanwhile
        DestroyWindow(window);
    });
    WaitForSingleObject(ready, 5000);

    auto second = e2e::StartProgram("Orvella.exe", "/S");
    const bool played = e2e::WaitForWindow(kPlayerClass, "", 30000) != nullptr;
    SetEvent(release);
    hung.join();
    CloseHandle(ready);
    CloseHandle(release);
    CloseHandle(mutex);
    EXPECT_TRUE(played) << "the wake call was lost";
    EXPECT_TRUE(second.Running());
    DWORD wake = 99;
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Weckruf", wake));
    EXPECT_EQ(wake, 0u);
}

TEST_F(Agent, AHugeDamagedFileDoesNotKnockItOverAndAFiredDateStaysFiredAfterARestart) {
    // A million keys and a counter far beyond what is read: some 30 MB.
    std::string huge = "[Weckzeiten]\r\nZähler=2147483647\r\n";
    huge.reserve(32 * 1024 * 1024);
    for (int i = 0; i < 1000000; ++i) huge += std::to_string(i) + "=01.01.2000 (00:00) - damaged\r\n";
    ASSERT_GT(huge.size(), 30u * 1000 * 1000);
    ASSERT_TRUE(e2e::WriteTextFile(ini_, huge));
    huge.clear();

    auto agent = e2e::StartProgram("Agent.exe");
    HWND window = e2e::WaitForWindow("TApplication", "Orvella Agent", 10000);
    ASSERT_TRUE(window);
    Sleep(20000);
    DWORD_PTR result;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result))
        << "the agent does not answer";
    ASSERT_TRUE(agent.Running());

    // A date a minute ago is still within the grace period: saved now, it fires at once.
    const std::string date = WakeDate(-1);
    ASSERT_TRUE(e2e::WriteTextFile(ini_, "[Weckzeiten]\r\nZähler=0\r\n0=" + date + "\r\n"));
    DWORD wake = 0;
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return (e2e::GetRegistryDword(kKey, "Weckruf", wake) && wake == 1) || FindWindowA("TForm1", "Orvella"); },
        15000))
        << "no wake call for " << date;
    // Ended only once it runs, so that no main program starts after the test.
    EXPECT_TRUE(e2e::WaitForWindow("TApplication", "Orvella", 20000));
    std::string last;
    EXPECT_TRUE(e2e::GetRegistryString(kKey, "Agent - Letzter Weckruf", last));
    EXPECT_EQ(last, date.substr(0, 18));
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(agent.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
    EndAll();

    // Started again within the grace period: once it answers, it has planned, and not fired.
    e2e::SetRegistryDword(kKey, "Weckruf", 0);
    auto again = e2e::StartProgram("Agent.exe");
    window = e2e::WaitForWindow("TApplication", "Orvella Agent", 10000);
    ASSERT_TRUE(window);
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    Sleep(1000);
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Weckruf", wake));
    EXPECT_EQ(wake, 0u);
    EXPECT_FALSE(FindWindowA("TApplication", "Orvella"));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(again.WaitForExit(10000));
}

// Entries one minute ago: one first due yesterday, one whose weekdays leave out today, one that
// starts tomorrow. Only the first may ring today.
TEST_F(Agent, ARepeatingDateFiresOnItsWeekdaysFromItsFirstDayOn) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::string notToday(7, '1');
    notToday[(now.wDayOfWeek + 6) % 7] = '0';  // Monday first
    const std::string yesterday = WakeDate(-1 - 1440), today = WakeDate(-1), tomorrow = WakeDate(-1 + 1440);
    ASSERT_TRUE(e2e::WriteTextFile(ini_, "[Weckzeiten]\r\nZähler=1\r\n0=" + yesterday + "\r\n1=" + tomorrow +
                                             "\r\n[Wiederholung]\r\n0=" + notToday + "\r\n1=1111111\r\n"));
    auto agent = e2e::StartProgram("Agent.exe");
    HWND window = e2e::WaitForWindow("TApplication", "Orvella Agent", 10000);
    ASSERT_TRUE(window);
    DWORD_PTR result;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    Sleep(3000);
    DWORD wake = 0;
    EXPECT_TRUE(e2e::GetRegistryDword(kKey, "Weckruf", wake));
    EXPECT_EQ(wake, 0u) << "rang for " << yesterday << " on " << notToday << " or for " << tomorrow;
    EXPECT_FALSE(FindWindowA("TApplication", "Orvella"));

    // Every day from yesterday on: today's ringing, a minute ago, is within the grace period.
    ASSERT_TRUE(e2e::WriteTextFile(ini_, "[Weckzeiten]\r\nZähler=0\r\n0=" + yesterday +
                                             "\r\n[Wiederholung]\r\n0=1111111\r\n"));
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return (e2e::GetRegistryDword(kKey, "Weckruf", wake) && wake == 1) || FindWindowA("TForm1", "Orvella"); },
        15000))
        << "no wake call for " << yesterday << " every day";
    EXPECT_TRUE(e2e::WaitForWindow("TApplication", "Orvella", 20000));
    std::string last;
    EXPECT_TRUE(e2e::GetRegistryString(kKey, "Agent - Letzter Weckruf", last));
    EXPECT_EQ(last, today.substr(0, 18)) << "today's ringing";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(agent.WaitForExit(10000));
}

TEST_F(Agent, ItsIconNamesTheNextWakeCallFollowsTheSavedDatesAndTheOption) {
    e2e::SetRegistryString(kKey, "Programm - Sprache", "English");
    const long long inThreeDays = 3 * 1440 + 5, inTwoDays = 2 * 1440 + 7;
    ASSERT_TRUE(e2e::WriteTextFile(ini_, "[Weckzeiten]\r\nZ\xE4hler=0\r\n0=" + WakeDate(inThreeDays, "Early shift") + "\r\n"));
    auto agent = e2e::StartProgram("Agent.exe");
    HWND window = e2e::WaitForWindow("TApplication", "Orvella Agent", 10000);
    ASSERT_TRUE(window);
    std::string tip = NextWakeTip(inThreeDays, "Early shift");
    EXPECT_TRUE(e2e::WaitUntil([&] { return ShellShows(tip.c_str()); }, 10000)) << ShellTips() << " instead of " << tip;

    // Explorer started again tells every top-level window; the icon is there once more, once.
    SendMessageA(FindWindowA("Orvella Agent Icon", nullptr), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellShows(tip.c_str())) << ShellTips();

    // A new date saved: the tip follows.
    ASSERT_TRUE(e2e::WriteTextFile(ini_, "[Weckzeiten]\r\nZ\xE4hler=1\r\n0=" + WakeDate(inThreeDays, "Early shift") +
                                             "\r\n1=" + WakeDate(inTwoDays, "Late") + "\r\n"));
    tip = NextWakeTip(inTwoDays, "Late");
    EXPECT_TRUE(e2e::WaitUntil([&] { return ShellShows(tip.c_str()); }, 10000)) << ShellTips() << " instead of " << tip;

    // The option switched off while it runs: the icon goes; on again, it comes back.
    e2e::SetRegistryDword(kKey, "Agent - Symbol", 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return ShellShows(nullptr); }, 10000)) << ShellTips();
    e2e::SetRegistryDword(kKey, "Agent - Symbol", 1);
    EXPECT_TRUE(e2e::WaitUntil([&] { return ShellShows(tip.c_str()); }, 10000)) << ShellTips();
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(agent.WaitForExit(10000));
    EXPECT_TRUE(ShellShows(nullptr)) << "the icon stayed after the agent ended: " << ShellTips();

    // Off from the start: no icon, the agent as hidden as ever.
    e2e::SetRegistryDword(kKey, "Agent - Symbol", 0);
    auto hidden = e2e::StartProgram("Agent.exe");
    window = e2e::WaitForWindow("TApplication", "Orvella Agent", 10000);
    ASSERT_TRUE(window);
    DWORD_PTR result;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    Sleep(1000);
    EXPECT_TRUE(ShellShows(nullptr)) << ShellTips();
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(hidden.WaitForExit(10000));
}

// The menu, opened as a right click on the icon opens it (the icon's message to its window), and
// its second item chosen by keyboard: the repeating date moves past its next ringing, saved to
// Orvella.ini, and the tip follows. A double-click starts Orvella.
TEST_F(Agent, ItsMenuSkipsTheNextWakeCallAndADoubleClickOpensOrvella) {
    e2e::SetRegistryString(kKey, "Programm - Sprache", "English");
    const long long inThreeDays = 3 * 1440 + 5;
    ASSERT_TRUE(e2e::WriteTextFile(ini_, "[Weckzeiten]\r\nZ\xE4hler=0\r\n0=" + WakeDate(inThreeDays, "Daily") +
                                             "\r\n[Wiederholung]\r\n0=1111111\r\n"));
    auto agent = e2e::StartProgram("Agent.exe");
    HWND window = e2e::WaitForWindow("TApplication", "Orvella Agent", 10000);
    ASSERT_TRUE(window);
    std::string tip = NextWakeTip(inThreeDays, "Daily");
    ASSERT_TRUE(e2e::WaitUntil([&] { return ShellShows(tip.c_str()); }, 10000)) << ShellTips();

    HWND icon = FindWindowA("Orvella Agent Icon", nullptr);
    const UINT kIconMessage = WM_APP + 1;
    PostMessageA(icon, kIconMessage, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); }, 5000));
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {  // the first press selects the first item
        PostMessageA(menu, WM_KEYDOWN, key, 0);
        Sleep(200);
    }
    const std::string moved = WakeDate(inThreeDays + 1440, "Daily");
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadTextFile(ini_).find("0=" + moved) != std::string::npos; }, 10000))
        << e2e::ReadTextFile(ini_);
    EXPECT_NE(e2e::ReadTextFile(ini_).find("[Wiederholung]\r\n0=1111111"), std::string::npos);
    tip = NextWakeTip(inThreeDays + 1440, "Daily");
    EXPECT_TRUE(e2e::WaitUntil([&] { return ShellShows(tip.c_str()); }, 10000)) << ShellTips() << " instead of " << tip;

    PostMessageA(icon, kIconMessage, 1, WM_LBUTTONDBLCLK);
    e2e::DeclineSkinSearch();
    EXPECT_TRUE(e2e::WaitForWindow("TApplication", "Orvella", 20000));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(agent.WaitForExit(10000));
}

}  // namespace
