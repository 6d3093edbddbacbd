#pragma once
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/IniFiles.h"
#include "platform/Keyboard.h"
#include "platform/Power.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/System.h"
#include "platform/Volume.h"
#include "platform/Windows.h"

namespace platform {

// Every operating-system service the programs use.
struct Platform {
    Registry& registry;
    FileSystem& files;
    IniFiles& ini;
    Process& process;
    Shell& shell;
    Windows& windows;
    Keyboard& keyboard;
    Volume& volume;
    Sound& sound;
    Clock& clock;
    System& system;
    Dialogs& dialogs;
    Application& app;
    // Last, with a default, so that a platform put together for one test needs none.
    Power& power = NoPower();
};

}  // namespace platform
