#pragma once
#include "platform/Platform.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeIniFiles.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeServices.h"

namespace fake {

// Every operating-system service in memory, for the tests.
struct FakePlatform {
    FakePlatform() {
        registry.mutations = &mutations;
        files.mutations = &mutations;
        files.clockMs = &clock.nowMs;
    }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // Off until a test starts it: see MutationCounter.
    MutationCounter mutations;
    FakeRegistry registry;
    FakeFileSystem files;
    FakeIniFiles ini{files};
    FakeProcess process;
    FakeDesktop desktop;
    FakeVolume volume;
    FakeSound sound;
    FakeClock clock;
    FakeSystem system;
    FakeDialogs dialogs;
    FakeApplication app;
    FakePower power;

    platform::Platform platform{registry, files, ini,   process, desktop, desktop, desktop,
                                volume,   sound, clock, system,  dialogs, app,     power};

    operator platform::Platform&() { return platform; }
};

}  // namespace fake
