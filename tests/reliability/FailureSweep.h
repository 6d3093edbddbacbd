#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/fake/FakeGui.h"

// The failure sweep. An operation that writes the user's data runs once to count its mutating
// calls, then once for each of them with that call failing, every time from the same start.
// After each run:
// - no failure escapes but the ones the message loop shows in the standard error box;
// - every file, folder, registry key and value holds what it held before or what the run
//   without failure left there, never a third thing: no mixed file, no temporary file left;
// - a registry value that names a file names one that exists;
// - the user was told (an error box, a message box) whenever the result is not the complete one;
// - where asked for, running the operation again without failure completes it.

namespace sweep {

// A scene: the machine and the open windows in the operation's start state.
struct Scene {
    virtual ~Scene() = default;
    fake::FakeEnvironment p;
    // The user's action, as the message loop delivers it.
    virtual void Act() = 0;
    // Between two actions of the user: the state the first left is a state to stay in when a
    // later one fails (a language made by New stays when Cancel cannot erase it).
    void Checkpoint() {
        if (onCheckpoint) onCheckpoint();
    }
    std::function<void()> onCheckpoint;
};

using SceneMaker = std::function<std::unique_ptr<Scene>()>;

struct Options {
    // The operation has no message of its own (a position saved on the way), so only the
    // state is checked.
    bool silent = false;
    // A run after a failed one completes the operation (the uninstaller's removal).
    bool rerunCompletes = false;
    // The registry values that name the language file and the skin name existing files.
    bool fileValuesExist = true;
};

// Every item of the machine by name: "file <path>", "dir <path>", "key <id>", "value <id>\<name>".
using MachineState = std::map<std::string, std::string>;

MachineState Capture(fake::FakePlatform& p);

// Runs the sweep of one operation; failures are reported through gtest.
void Sweep(const std::string& operation, const SceneMaker& make, Options options = {});

// The tally of all sweeps in this run of the test program.
struct Tally {
    int operations = 0;
    int failurePoints = 0;
    int losses = 0;
};
Tally& Totals();

}  // namespace sweep
