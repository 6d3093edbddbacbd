#pragma once
#include "platform/Platform.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sound.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Volume.h"
#include "platform/win32/Win32Windows.h"

namespace win32 {

// Every real operating-system service of one program. The application object belongs to the
// GUI that runs the message loop and is only borrowed; sleeps and dialogs tell it before they
// block the thread.
struct Win32Platform {
    explicit Win32Platform(platform::Application& app) : clock(app), dialogs(app), app(app) {}
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Win32Registry registry;
    Win32FileSystem files;
    Win32IniFiles ini;
    Win32Process process;
    Win32Shell shell;
    Win32Windows windows;
    Win32Keyboard keyboard;
    Win32Volume volume;
    Win32Sound sound;
    Win32Clock clock;
    Win32System system;
    Win32Dialogs dialogs;
    platform::Application& app;
    Win32Power power;

    platform::Platform platform{registry, files, ini,   process, shell,   windows, keyboard,
                                volume,   sound, clock, system,  dialogs, app,     power};

    operator platform::Platform&() { return platform; }
};

}  // namespace win32
