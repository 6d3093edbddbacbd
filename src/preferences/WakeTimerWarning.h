#pragma once
#include <string>
#include <vector>

#include "platform/Platform.h"

// What the user must know before relying on the agent to wake a sleeping computer: the active
// power plan refuses wake timers (on mains, on battery, or both; "important only" lets no
// wake date through), or the machine sleeps in modern standby, where a closed lid may keep it
// silent. Empty when there is nothing to say, also when the system cannot tell.
std::string WakeTimerWarning(platform::Platform& platform);

// Whether one of the entry texts names a minute that has not yet come.
bool WakeDateAhead(const std::vector<std::string>& entries, const platform::LocalTime& now);
