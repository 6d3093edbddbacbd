#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "ui/fake/FakeGui.h"
#include "playback/ShutdownForm.h"
#include "preferences/PreferencesForm.h"
#include "skin/MainForm.h"

namespace {

// One main window for the whole run, as the program has: loads build on what the last one left.
struct Program {
    fake::FakeEnvironment p;
    TForm1 f1{p};
    TForm2 f2{p};
    TForm6 f6{p};
    Program() {
        f1.Connect(f2, f6);
        f2.Connect(f1);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Program program;
    const char* const path = "C:\\Skins\\Fuzz.skn";
    program.p.files.AddFile(path, std::string(reinterpret_cast<const char*>(data), size));
    try {
        program.f1.LoadSkinFile(path);
    } catch (const std::exception&) {
    }
    return 0;
}
