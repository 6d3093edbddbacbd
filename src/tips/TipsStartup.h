#pragma once
#include "platform/Platform.h"

// Opens the tips window at an ordinary start.
void ShowTipsAtStart(platform::Platform& platform);
