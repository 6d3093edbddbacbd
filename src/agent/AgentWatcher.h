#pragma once
#include <set>
#include <string>

#include "platform/Platform.h"

// The companion agent's work: it reads the wake dates that the main program wrote to
// "Orvella.ini" beside it and, when one comes due, sets the wake call and starts the main
// program with "/S", which then plays by itself.
class AgentWatcher {
public:
    explicit AgentWatcher(platform::Platform& platform) : platform_(platform) {}

    // Looks at the clock once; call it at least once a minute. True when it woke the program.
    bool Check();

    // A wake date counts as due from its minute on for this long, so a check that comes a
    // little late (a busy or sleeping machine) still wakes the user.
    static constexpr int kGraceMinutes = 5;

private:
    bool Due(const std::string& entry, const platform::LocalTime& now) const;
    void Wake();
    platform::Platform& platform_;
    std::set<std::string> woken_;  // entries already acted on, so each wakes once
};
