// A stand-in for the media player that the alarm clock drives. It has the player's window
// class, so it is found, restored, raised and terminated like the real one, and it writes
// every key and command it receives to a log so that a test can see which arrived:
// one line per WM_KEYDOWN, "KEYDOWN " and the virtual key in two hexadecimal digits
// ("KEYDOWN 58" for 'X'), and one per command, "COMMAND " and its identifier
// ("COMMAND 40045"). The log is named by STANDIN_PLAYER_LOG, or is "standin-player.log"
// beside the program.
//
// Like the real player it answers the question WM_USER with 104 by its state (1 playing,
// 3 paused, 0 stopped) and takes play, pause and stop as its keys ('X', 'C', 'V') or as the
// commands of its buttons (WM_COMMAND 40045, 40046, 40047). It plays no sound. With
// STANDIN_PLAYER_NEVER_PLAYS=1 in its environment it never plays, as a player with an empty
// playlist.
#include "platform/win32/WinApi.h"

#include <cstdio>
#include <string>

namespace {

const char kClassName[] = "Winamp v1.x";
const char kTitle[] = "Stand-in player";

bool NeverPlays() {
    char value[8];
    const DWORD length = GetEnvironmentVariableA("STANDIN_PLAYER_NEVER_PLAYS", value, sizeof value);
    return length == 1 && value[0] == '1';
}

std::string LogPath() {
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("STANDIN_PLAYER_LOG", value, sizeof value);
    if (length > 0 && length < sizeof value) return value;
    char module[MAX_PATH];
    const DWORD moduleLength = GetModuleFileNameA(nullptr, module, sizeof module);
    std::string path(module, moduleLength);
    const auto slash = path.find_last_of('\\');
    path = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    return path + "standin-player.log";
}

// Opened and closed for every line, so a reader always sees complete lines.
void AppendLine(const std::string& line) {
    HANDLE file = CreateFileA(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

class PlayerWindow {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        static PlayerWindow player;
        switch (message) {
            case WM_KEYDOWN: player.KeyDown(window, static_cast<unsigned>(wParam)); return 0;
            case WM_COMMAND: player.Command(window, LOWORD(wParam)); return 0;
            case WM_USER:
                if (lParam == kIsPlaying) return player.state_;
                break;
            case WM_PAINT: player.Paint(window); return 0;
            case WM_DESTROY: PostQuitMessage(0); return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

private:
    static constexpr LPARAM kIsPlaying = 104;
    static constexpr unsigned kPlay = 40045, kPause = 40046, kStop = 40047;

    void KeyDown(HWND window, unsigned key) {
        char line[32];
        std::snprintf(line, sizeof line, "KEYDOWN %02X", key & 0xFFu);
        AppendLine(line);
        lastKey_ = line;
        Obey(key == 'X' ? kPlay : key == 'C' ? kPause : key == 'V' ? kStop : 0);
        InvalidateRect(window, nullptr, TRUE);
    }

    void Command(HWND window, unsigned id) {
        char line[32];
        std::snprintf(line, sizeof line, "COMMAND %u", id);
        AppendLine(line);
        lastKey_ = line;
        Obey(id);
        InvalidateRect(window, nullptr, TRUE);
    }

    void Obey(unsigned command) {
        if (command == kPlay && !NeverPlays()) state_ = 1;
        if (command == kPause && state_ != 0) state_ = state_ == 1 ? 3 : 1;
        if (command == kStop) state_ = 0;
    }

    int state_ = 0;

    void Paint(HWND window) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const std::string text = lastKey_.empty() ? "No key yet" : "Last key: " + lastKey_;
        RECT area;
        GetClientRect(window, &area);
        DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
    }

    std::string lastKey_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PlayerWindow::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 275,
                                  116, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
