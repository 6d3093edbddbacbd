#pragma once
#include "platform/win32/WinApi.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "ui/Gui.h"
#include "ui/win32/Gdi.h"

namespace ui {
class Form;
class Timer;
}  // namespace ui

namespace win32 {

class NativeForm;

// The Win32 side of the widget model: the hidden application window, the message loop,
// one native window per form, and the window timers of every form's timers.
class Win32Gui : public platform::Application, public ui::Gui {
public:
    // The application title names the hidden "TApplication" window and the error box.
    explicit Win32Gui(std::string applicationTitle);
    ~Win32Gui() override;
    Win32Gui(const Win32Gui&) = delete;
    Win32Gui& operator=(const Win32Gui&) = delete;

    // Shows the main form and runs the message loop until a quit is posted or the main form
    // is closed; returns the exit code.
    int Run(ui::Form& mainForm);
    // Handles the messages already waiting, then returns.
    void ProcessMessages();

    // platform::Application
    platform::WindowHandle ApplicationWindow() override;
    void PostQuit() override;
    bool QuitPosted() override { return quitPosted_; }
    void SetCursor(platform::Cursor cursor) override;
    void SwallowAltF4() override { swallowAltF4_ = true; }
    void BeforeBlocking() override { Sync(); }
    bool HandWakeCallToRunningCopy(std::uint32_t timeoutMs) override;
    void OnWakeCallHandedOver(std::function<void()> handler) override { wakeCallHandler_ = std::move(handler); }
    bool HandPreferencesToRunningCopy(std::uint32_t timeoutMs) override;
    void OnPreferencesRequested(std::function<void()> handler) override { preferencesHandler_ = std::move(handler); }
    void RequestPreferences() override;

    // ui::Gui
    platform::WindowHandle FormWindow(const ui::Form& form) override;
    void RunModal(ui::Form& form) override;
    void BringToFront(ui::Form& form) override;
    void CursorPos(int& x, int& y) override;
    void ScreenSize(const ui::Form& form, int& width, int& height) override;
    bool RectOnAnyMonitor(int left, int top, int width, int height) override;
    int ScreenLength(const ui::Form& form, int length) override;

    // Brings every form's window and every timer in line with the model.
    void Sync();
    void ReportError(ui::Form* form, const std::string& message) override;

    HCURSOR CursorOverride() const { return cursorOverride_; }
    GdiCache& Gdi() { return gdi_; }
    HINSTANCE Instance() const { return instance_; }
    // True while a key message that the loop already showed the form is being dispatched.
    bool KeyPreviewed() const { return keyPreviewed_; }

protected:
    void FormRemoved(const ui::Form& form) override;

private:
    struct TimerState {
        UINT_PTR id = 0;
        ui::Form* owner = nullptr;
        unsigned generation = 0;
        int interval = 0;
        bool running = false;
        bool seen = false;
    };

    HWND AppWindow();
    static LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Takes one message and handles it; false when it was the quit message.
    bool Handle(const MSG& message);
    NativeForm* WindowOf(const ui::Form& form, bool create);
    void SyncTimers();
    void FireTimer(UINT_PTR id);
    bool HandToRunningCopy(ULONG_PTR kind, std::uint32_t timeoutMs);
    LRESULT TakeCopyData(const COPYDATASTRUCT& data);
    void RunHandedOver(const std::function<void()>& handler);

    std::string title_;
    HINSTANCE instance_;
    HWND application_ = nullptr;
    bool quitPosted_ = false;
    bool swallowAltF4_ = false;
    int exitCode_ = 0;
    HCURSOR cursorOverride_ = nullptr;
    std::function<void()> wakeCallHandler_;
    std::function<void()> preferencesHandler_;
    bool keyPreviewed_ = false;
    bool showingError_ = false;
    bool syncing_ = false;  // a window call inside the sync may come back to it
    GdiCache gdi_;
    std::map<const ui::Form*, std::unique_ptr<NativeForm>> windows_;
    std::vector<std::unique_ptr<NativeForm>> closed_;  // windows of forms that are gone
    std::map<ui::Timer*, TimerState> timers_;
    UINT_PTR nextTimerId_ = 1;
};

}  // namespace win32
