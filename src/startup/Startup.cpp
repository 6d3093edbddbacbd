#include "startup/Startup.h"

#include "common/Names.h"
#include "language/LanguageFile.h"
#include "settings/SettingsStore.h"
#include "startup/PermanentWindows.h"
#include "tips/TipsForm.h"
#include "tips/TipsStartup.h"

OrvellaStartup::OrvellaStartup(ui::Environment& environment)
    : environment_(environment), platform_(environment.platform) {}

OrvellaStartup::~OrvellaStartup() = default;

TForm1& OrvellaStartup::MainForm() { return windows_->Form1; }
TForm2& OrvellaStartup::Preferences() { return windows_->Form2; }

bool OrvellaStartup::Start() {
    // "/L", run by the setup after it has put an update's programs in place: the language file
    // beside the program gets the new default languages and keeps the user's own. It touches
    // only that file, in one step, so it runs beside another copy too; the exit code tells the
    // setup whether it worked.
    const auto given = platform_.process.Arguments();
    if (!given.empty() && given.front() == "/L")
        platform_.process.Exit(
            UpdateDefaultLanguages(platform_.files, ProgramFolder(platform_.process) + "Language.dll") ? 0 : 1);

    // The guard covers every path, "/U" included: a second copy ends silently.
    if (platform_.process.CreateInstanceMutex("Orvella")) platform_.process.Exit(0);

    const auto arguments = platform_.process.Arguments();
    argument_ = arguments.empty() ? "" : arguments.front();
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

    if (argument_ == "/S") {
        // No window is visible yet; the user's machine is still starting up.
        platform_.clock.Sleep(static_cast<std::uint32_t>(settings.StartupWaitSeconds) * 1000);
        main.playback.Programmstart.SetEnabled(true);
    } else if (settings.ShowTipsAtStart) {
        tips_ = ShowTipsAtStart(environment_);
    }
    return true;
}

int RunOrvella(ui::Environment& environment, const std::function<int(ui::Form& mainForm)>& runMessageLoop) {
    OrvellaStartup startup(environment);
    if (!startup.Start()) return 0;
    return runMessageLoop(startup.MainForm());
}
