#pragma once
#include "platform/Platform.h"

// The companion agent watches the wake dates while the program is closed. The program only
// starts, finds and ends it.

// Starts "Agent.exe" from the program folder. False when the file does not exist.
bool StartAgent(platform::Platform& platform, platform::WindowHandle owner);

// Ends a running agent, found by its application window: WM_CLOSE, and the process ended by
// force when the agent does not answer within two seconds; nothing happens when none runs.
void CloseAgent(platform::Platform& platform);
