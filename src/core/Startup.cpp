#include "core/Startup.h"

#include "core/SettingsStore.h"
#include "dates/DateForm.h"
#include "playback/ShutdownForm.h"
#include "preferences/PreferencesForm.h"
#include "skin/MainForm.h"
#include "tips/TipsStartup.h"

OrvellaStartup::OrvellaStartup(ui::Environment& environment)
    : environment_(environment), platform_(environment.platform) {}

OrvellaStartup::~OrvellaStartup() = default;

bool OrvellaStartup::Start() {
    // The guard covers every path, "/U" included: a second copy ends silently.
    if (platform_.process.CreateInstanceMutex("Orvella")) platform_.process.Exit(0);

    const auto arguments = platform_.process.Arguments();
    argument_ = arguments.empty() ? "" : arguments.front();
    if (argument_ == "/U") {
        UninstallHandOff(platform_);
        return false;
    }

    CreateWindows();
    DetectWinampPath(*form2_);
    LoadSettingsAtStart(*form2_, *form1_);

    if (argument_ == "/S") {
        // No window is visible yet; the user's machine is still starting up.
        platform_.clock.Sleep(static_cast<std::uint32_t>(form2_->settings.StartupWaitSeconds.position) * 1000);
        form1_->Programmstart.SetEnabled(true);
    } else if (form2_->ShowTipsAtStart) {
        ShowTipsAtStart(platform_);
    }
    return true;
}

void OrvellaStartup::CreateWindows() {
    form1_ = std::make_unique<TForm1>(environment_);
    form2_ = std::make_unique<TForm2>(environment_);
    form3_ = std::make_unique<TForm3>(environment_);
    form6_ = std::make_unique<TForm6>(environment_);
    form1_->Connect(*form2_, *form6_);
    form2_->Connect(*form1_);
    form1_->FormCreate();
}
