#include "startup/Startup.h"

#include "common/Names.h"
#include "language/LanguageFile.h"
#include "settings/SettingsStore.h"
#include "startup/PermanentWindows.h"
#include "tips/TipsForm.h"
#include "tips/TipsStartup.h"

OrvellaStartup::OrvellaStartup(ui::Environment& environment)
    : environment_(environment), platform_(environment.platform) {}

// The windows a handed-over wake call would play in go with the start.
OrvellaStartup::~OrvellaStartup() {
    platform_.app.OnWakeCallHandedOver(nullptr);
    platform_.app.OnPreferencesRequested(nullptr);
}

TForm1& OrvellaStartup::MainForm() { return windows_->Form1; }
TForm2& OrvellaStartup::Preferences() { return windows_->Form2; }

namespace {

// How long a second copy waits for the running one to take a wake call.
constexpr std::uint32_t kHandOverTimeoutMs = 5000;

}  // namespace

bool OrvellaStartup::Start() {
    const auto arguments = platform_.process.Arguments();
    argument_ = arguments.empty() ? "" : arguments.front();
    // "/L", run by the setup after it has put an update's programs in place: the language file
    // beside the program gets the new default languages and keeps the user's own. It touches
    // only that file, in one step, so it runs beside another copy too; the exit code tells the
    // setup whether it worked.
    if (argument_ == "/L")
        platform_.process.Exit(
            UpdateDefaultLanguages(platform_.files, ProgramFolder(platform_.process) + "Language.dll") ? 0 : 1);

    // The guard covers every path, "/U" included: a second copy ends silently, unless it was
    // started for a wake call. That goes to the running copy; when the running copy does not
    // take it (hung), this copy rings it itself rather than let the user sleep on. A copy
    // started to show the preferences ("/P", from the agent's menu) has the running copy show
    // its own.
    if (platform_.process.CreateInstanceMutex("Orvella") &&
        (argument_ != "/S" || !WakeCallPending(platform_) || platform_.app.HandWakeCallToRunningCopy(kHandOverTimeoutMs))) {
        if (argument_ == "/P") platform_.app.HandPreferencesToRunningCopy(kHandOverTimeoutMs);
        platform_.process.Exit(0);
    }

    if (argument_ == "/U") {
        UninstallHandOff(platform_);
        return false;
    }

    windows_ = std::make_unique<PermanentWindows>(environment_);
    TForm1& main = windows_->Form1;
    TForm2& preferences = windows_->Form2;
    TSettings& settings = preferences.settings;
    // A start with Windows or at a wake date may find nobody at the screen: it asks nothing
    // that would hold up the playback, and the questions come at the next ordinary start.
    const bool ask = argument_ != "/S";
    DetectWinampPath(preferences, ask);
    LoadSettingsAtStart(platform_, settings, [&] { LoadLanguageAtStart(preferences, ask); }, ask);
    main.alphaBlendValue = settings.Opacity;
    preferences.SettingsToControls();
    preferences.ApplyEnableRules();

    platform_.app.OnWakeCallHandedOver([this, &main] {
        ClearWakeCall(platform_);
        main.playback.TakeWakeCall();
    });
    platform_.app.OnPreferencesRequested([&main] { main.ShowPreferences(); });
    // Shown once the message loop runs (a start-up question's own loop counts).
    if (argument_ == "/P") platform_.app.RequestPreferences();

    if (argument_ == "/S") {
        // Awake from now on: after a wake by timer the computer would sleep again meanwhile.
        if (settings.WakeCall) main.playback.BeginWakeCall();
        // No window is visible yet; the user's machine is still starting up.
        platform_.clock.Sleep(static_cast<std::uint32_t>(settings.StartupWaitSeconds) * 1000);
        main.playback.Programmstart.SetEnabled(true);
    } else {
        TellMissedWakeCalls(platform_);
        if (settings.ShowTipsAtStart) tips_ = ShowTipsAtStart(environment_);
    }
    return true;
}

int RunOrvella(ui::Environment& environment, const std::function<int(ui::Form& mainForm)>& runMessageLoop) {
    OrvellaStartup startup(environment);
    if (!startup.Start()) return 0;
    return runMessageLoop(startup.MainForm());
}
