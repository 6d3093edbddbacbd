#include "reliability/FailureSweep.h"

#include <exception>
#include <sstream>
#include <vector>

#include "common/Names.h"

namespace sweep {

MachineState Capture(fake::FakePlatform& p) {
    MachineState state;
    for (const auto& [key, file] : p.files.files)
        state["file " + key] = file.content + "|attributes " + std::to_string(file.attributes);
    for (const auto& [key, path] : p.files.directories) state["dir " + key] = "";
    for (const auto& [key, target] : p.files.links) state["link " + key] = target;
    for (const auto& [id, key] : p.registry.keys) {
        state["key " + id] = "";
        for (const auto& [name, value] : key.values)
            state["value " + id + "\\" + name] = std::to_string(static_cast<int>(value.type)) + ":" + value.text +
                                                ":" + std::to_string(value.number);
    }
    return state;
}

Tally& Totals() {
    static Tally tally;
    return tally;
}

namespace {

struct Run {
    MachineState state;
    unsigned calls = 0;       // mutating calls made
    std::size_t told = 0;     // error boxes and message boxes shown during the action
    std::string escaped;      // a failure that reached the message loop
    std::string pointsAway;   // a file value naming a file that does not exist
    bool couldFailHalfway = false;  // the failing call can also fail in its middle
};

// The values that name a file the program opens at its next start.
std::string DanglingFileValue(fake::FakePlatform& p) {
    for (const char* name : {kLanguageFileValue, kSkinFileValue}) {
        const fake::RegistryValue* value = p.registry.Find(platform::RegistryRoot::CurrentUser, kSettingsKey, name);
        if (value && !value->text.empty() && !p.files.FileExists(value->text)) return name;
    }
    return "";
}

Run Perform(Scene& scene, unsigned failingCall, bool halfway = false) {
    Run run;
    const std::size_t shownBefore = scene.p.dialogs.shown.size() + scene.p.gui.errors.size();
    scene.p.mutations.Start(failingCall, halfway);
    try {
        scene.Act();
    } catch (const std::exception& e) {
        // The message loop shows it in the standard error box: the user is told.
        run.escaped = e.what();
        ++run.told;
    } catch (...) {
        run.escaped = "a failure that is no std::exception";
    }
    run.calls = scene.p.mutations.calls;
    run.couldFailHalfway = scene.p.mutations.failedHalfway;
    scene.p.mutations.Start(0);
    run.told += scene.p.dialogs.shown.size() + scene.p.gui.errors.size() - shownBefore;
    run.state = Capture(scene.p);
    run.pointsAway = DanglingFileValue(scene.p);
    return run;
}

std::string Item(const MachineState& state, const std::string& name) {
    const auto found = state.find(name);
    return found == state.end() ? "<none>" : found->second;
}

}  // namespace

void Sweep(const std::string& operation, const SceneMaker& make, Options options) {
    MachineState before;
    std::vector<MachineState> between;
    Run complete;
    unsigned calls = 0;
    {
        auto scene = make();
        before = Capture(scene->p);
        scene->onCheckpoint = [&] { between.push_back(Capture(scene->p)); };
        const std::string danglingBefore = DanglingFileValue(scene->p);
        complete = Perform(*scene, 0);
        calls = complete.calls;
        EXPECT_EQ(complete.escaped, "") << operation;
        EXPECT_EQ(complete.pointsAway, danglingBefore) << operation;
    }
    EXPECT_GT(calls, 0u) << operation << " changes nothing";
    // The questions the operation asks on its way are part of it.
    const std::size_t asked = complete.told;

    int losses = 0;
    int points = 0;
    // Each call fails cleanly; one that Windows can fail in its middle then fails so too.
    for (unsigned n = 1; n <= calls; ++n)
      for (int halfway = 0; halfway < 2; ++halfway) {
        auto scene = make();
        const Run run = Perform(*scene, n, halfway == 1);
        ++points;
        std::ostringstream problems;
        if (!run.escaped.empty() && run.told == 0) problems << "  escaped: " << run.escaped << "\n";
        std::map<std::string, bool> names;
        for (const MachineState& s : {before, complete.state, run.state})
            for (const auto& item : s) names[item.first] = true;
        for (const MachineState& s : between)
            for (const auto& item : s) names[item.first] = true;
        for (const auto& name : names) {
            const std::string now = Item(run.state, name.first);
            bool known = now == Item(before, name.first) || now == Item(complete.state, name.first);
            for (const MachineState& s : between) known = known || now == Item(s, name.first);
            if (!known) problems << "  " << name.first << " is neither old nor new: " << now.substr(0, 80) << "\n";
        }
        if (options.fileValuesExist && !run.pointsAway.empty() && complete.pointsAway.empty())
            problems << "  " << run.pointsAway << " names a file that does not exist\n";
        const bool completed = run.state == complete.state;
        if (!options.silent && !completed && run.told <= asked)
            problems << "  not all saved, and the user was not told\n";
        if (options.rerunCompletes) {
            const Run again = Perform(*scene, 0);
            if (again.state != complete.state) {
                problems << "  a second run does not complete it:";
                for (const auto& name : names)
                    if (Item(again.state, name.first) != Item(complete.state, name.first)) problems << " " << name.first;
                problems << "\n";
            }
        }
        if (!problems.str().empty()) {
            ++losses;
            ADD_FAILURE() << operation << ", mutating call " << n << " of " << calls << " failing"
                          << (halfway ? " halfway" : "") << ":\n"
                          << problems.str();
        }
        if (!run.couldFailHalfway) break;
      }
    Tally& totals = Totals();
    ++totals.operations;
    totals.failurePoints += points;
    totals.losses += losses;
}

}  // namespace sweep
