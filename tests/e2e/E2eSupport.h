#pragma once
// Helpers for driving the real programs under Wine: starting them from the folder of the test
// program, waiting for their windows, answering their message boxes, and setting up registry
// and file state. Only <windows.h> is needed.
#include "platform/win32/WinApi.h"

#include <cstdint>
#include <string>

namespace e2e {

// The folder of the test program, where every built program lands; ends with a backslash.
std::string BinFolder();

// A started program. Ended (if still running) and its handles closed on destruction.
class RunningProgram {
public:
    RunningProgram() = default;
    RunningProgram(HANDLE process, DWORD id) : process_(process), id_(id) {}
    ~RunningProgram();
    RunningProgram(RunningProgram&& other) noexcept;
    RunningProgram& operator=(RunningProgram&& other) noexcept;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Started() const { return process_ != nullptr; }
    HANDLE Handle() const { return process_; }
    DWORD Id() const { return id_; }
    // True when the program ended within the time; its exit code goes to `exitCode`.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    bool Running() const;
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Starts `program` (a file name in BinFolder(), or a full path) with the arguments, in
// `workingFolder` (the bin folder when empty). `show` is the nCmdShow the program receives.
RunningProgram StartProgram(const std::string& program, const std::string& arguments = "",
                            const std::string& workingFolder = "", int show = SW_SHOWNORMAL);

// Ends every process that owns a top-level window of that class and title (title null: any).
void EndWindowOwners(const char* className, const char* title);

// Polls until a top-level window with that class and title exists (either may be empty for
// "any"); null after the timeout.
HWND WaitForWindow(const std::string& className, const std::string& title, DWORD timeoutMs = 10000);
// Polls until no such window exists; true when it went away in time.
bool WaitForWindowGone(const std::string& className, const std::string& title, DWORD timeoutMs = 10000);
std::string WindowText(HWND window);

// A message box ("#32770" dialog) titled `caption`, waited for; null after the timeout.
HWND FindMessageBox(const std::string& caption, DWORD timeoutMs = 10000);
// The message of a message box (its static control 0xFFFF).
std::string MessageBoxText(HWND box);
// Clicks a button of a dialog: IDOK, IDYES, IDNO, IDCANCEL ...
bool PressButton(HWND dialog, int buttonId);

// Registry values under HKEY_CURRENT_USER.
bool SetRegistryString(const std::string& path, const std::string& name, const std::string& value);
bool SetRegistryDword(const std::string& path, const std::string& name, DWORD value);
bool GetRegistryString(const std::string& path, const std::string& name, std::string& value);
bool GetRegistryDword(const std::string& path, const std::string& name, DWORD& value);
bool RegistryValueExists(const std::string& path, const std::string& name);
bool RegistryKeyExists(const std::string& path);
bool DeleteRegistryValue(const std::string& path, const std::string& name);
bool DeleteRegistryKey(const std::string& path);  // with all subkeys; true when gone

// Whole files, as bytes.
bool WriteTextFile(const std::string& path, const std::string& content);
std::string ReadTextFile(const std::string& path);  // empty when missing
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Deletes a folder with everything in it.
bool DeleteTree(const std::string& path);

// Lays out a fresh Orvella installation in the bin folder: no settings but the ones a user who
// has been through the first start has ("Erster Start" = 0, English, the language file below),
// and the stand-in player registered as Winamp.
void InstallOrvellaWithStandInPlayer();
// That installation with a wake call pending: the next start, after a wait of 1 s, starts the
// player, waits 2 s for it and plays.
void InstallOrvellaWithWakeCallPending();
// The installation's language file: its "English" section holds the windows' design captions,
// so that they look as designed.
std::string InstalledLanguageFile();
// Answers No to the missing-skin question if it comes, so the window stays usable.
void DeclineSkinSearch();

// Polls `condition` every 50 ms until it holds or the time is up.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(50);
    }
}

// A fresh folder under the temporary-files folder, removed with its content at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder, ending with a backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Sets (or with an empty value removes) an environment variable of the test program; started
// programs inherit it. The old value comes back on destruction.
class ScopedEnvironment {
public:
    ScopedEnvironment(const std::string& name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_, old_;
    bool hadOld_ = false;
};

}  // namespace e2e
