#include "E2eSupport.h"

#include <map>
#include <vector>

#include "language/LanguageFile.h"
#include "language/LanguageTexts.h"

namespace e2e {

namespace {

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

bool IsFullPath(const std::string& path) {
    return path.size() > 1 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'));
}

struct WindowSearch {
    std::string className, title;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    char className[256] = "";
    GetClassNameA(window, className, sizeof className);
    if (!search->className.empty() && lstrcmpiA(className, search->className.c_str()) != 0) return TRUE;
    if (!search->title.empty() && WindowText(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(const std::string& className, const std::string& title) {
    WindowSearch search{className, title};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool DeleteKeyTree(HKEY parent, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return false;
    std::vector<std::string> children;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(name, length);
    }
    for (const auto& child : children) DeleteKeyTree(key, child);
    RegCloseKey(key);
    return RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

std::string BinFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\') + 1);
}

RunningProgram::~RunningProgram() {
    Kill();
    if (process_) CloseHandle(process_);
}

RunningProgram::RunningProgram(RunningProgram&& other) noexcept : process_(other.process_), id_(other.id_) {
    other.process_ = nullptr;
    other.id_ = 0;
}

RunningProgram& RunningProgram::operator=(RunningProgram&& other) noexcept {
    if (this != &other) {
        Kill();
        if (process_) CloseHandle(process_);
        process_ = other.process_;
        id_ = other.id_;
        other.process_ = nullptr;
        other.id_ = 0;
    }
    return *this;
}

bool RunningProgram::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    if (exitCode) *exitCode = code;
    return true;
}

bool RunningProgram::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void RunningProgram::Kill() {
    if (!Running()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

RunningProgram StartProgram(const std::string& program, const std::string& arguments,
                            const std::string& workingFolder, int show) {
    const std::string file = IsFullPath(program) ? program : BinFolder() + program;
    std::string commandLine = "\"" + file + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    const std::string folder = workingFolder.empty() ? BinFolder() : workingFolder;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(file.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        return RunningProgram();
    CloseHandle(info.hThread);
    return RunningProgram(info.hProcess, info.dwProcessId);
}

HWND WaitForWindow(const std::string& className, const std::string& title, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindTopLevel(className, title)) != nullptr; }, timeoutMs);
    return window;
}

bool WaitForWindowGone(const std::string& className, const std::string& title, DWORD timeoutMs) {
    return WaitUntil([&] { return FindTopLevel(className, title) == nullptr; }, timeoutMs);
}

std::string WindowText(HWND window) {
    // WM_GETTEXT, not GetWindowText: for a control of another program the latter gives only
    // the text it was created with.
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

HWND FindMessageBox(const std::string& caption, DWORD timeoutMs) {
    return WaitForWindow("#32770", caption, timeoutMs);
}

std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : "";
}

bool PressButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (!button) return false;
    // Posted: a button whose handler opens a modal window would otherwise block the test.
    return PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

bool SetRegistryString(const std::string& path, const std::string& name, const std::string& value) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_SZ, value.c_str(),
                           static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool SetRegistryDword(const std::string& path, const std::string& name, DWORD value) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_DWORD, &value, sizeof value) ==
           ERROR_SUCCESS;
}

bool GetRegistryString(const std::string& path, const std::string& name, std::string& value) {
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return false;
    std::vector<char> buffer(size + 1, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(),
                     &size) != ERROR_SUCCESS)
        return false;
    value = buffer.data();
    return true;
}

bool GetRegistryDword(const std::string& path, const std::string& name, DWORD& value) {
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS;
}

bool RegistryValueExists(const std::string& path, const std::string& name) {
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_ANY, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

bool RegistryKeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool DeleteRegistryValue(const std::string& path, const std::string& name) {
    return RegDeleteKeyValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str()) == ERROR_SUCCESS;
}

bool DeleteRegistryKey(const std::string& path) {
    DeleteKeyTree(HKEY_CURRENT_USER, path);
    return !RegistryKeyExists(path);
}

bool WriteTextFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

std::string ReadTextFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteTree(const std::string& path) {
    const std::string folder = WithSeparator(path);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != 0;
}

TempFolder::TempFolder() {
    static unsigned counter = 0;
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof temp, temp);
    const std::string base = WithSeparator(std::string(temp, length));
    for (;;) {
        const std::string candidate = base + "orvella-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

TempFolder::~TempFolder() {
    if (!path_.empty()) DeleteTree(path_.substr(0, path_.size() - 1));
}

ScopedEnvironment::ScopedEnvironment(const std::string& name, const std::string& value) : name_(name) {
    char buffer[32768];
    const DWORD length = GetEnvironmentVariableA(name.c_str(), buffer, sizeof buffer);
    if (length > 0 && length < sizeof buffer) {
        hadOld_ = true;
        old_.assign(buffer, length);
    }
    SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    SetEnvironmentVariableA(name_.c_str(), hadOld_ ? old_.c_str() : nullptr);
}

std::string InstalledLanguageFile() { return BinFolder() + "e2e-Language.dll"; }

void InstallOrvellaWithStandInPlayer() {
    const char* const key = "Software\\Orvella";
    DeleteRegistryKey(key);
    std::string bin = BinFolder();
    bin.pop_back();
    SetRegistryString("Software\\Winamp", "", bin);
    SetRegistryDword(key, "Erster Start", 0);
    SetRegistryString(key, "Programm - Sprache", "English");

    // The default English texts where they are the design captions.
    const std::map<int, std::string> design{
        {11, "Theme"},
        {25, "Rising volume"},
        {67, "Themes"},
        {68, "Select a theme to use it"},
        {80, "Shutdown windows after closing"},
        {81, "Shutdown windows after reaching final volume"},
    };
    std::string file = "[English]\r\n";
    for (int k = 1; k <= kLanguageKeyCount; ++k) {
        const auto own = design.find(k);
        file += std::to_string(k) + "=" + (own != design.end() ? own->second : DefaultText(false, k)) + "\r\n";
    }
    WriteTextFile(InstalledLanguageFile(), file);
    SetRegistryString(key, "Programm - Sprachdatei", InstalledLanguageFile());
}

void InstallOrvellaWithWakeCallPending() {
    const char* const key = "Software\\Orvella";
    InstallOrvellaWithStandInPlayer();
    SetRegistryDword(key, "Weckruf", 1);
    SetRegistryDword(key, "Programm - Autostart - Länge", 1);
    SetRegistryDword(key, "Winamp - Auf Winamp warten", 1);
    SetRegistryDword(key, "Winamp - Auf Winamp warten - Länge", 2);
}

void DeclineSkinSearch() {
    if (HWND box = FindMessageBox("Colortheme file error", 3000)) PressButton(box, IDNO);
}

void EndWindowOwners(const char* className, const char* title) {
    while (HWND window = FindWindowA(className, title)) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process) break;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

}  // namespace e2e
