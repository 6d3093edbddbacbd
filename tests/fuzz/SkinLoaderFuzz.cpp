#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "startup/PermanentWindows.h"
#include "ui/fake/FakeGui.h"

namespace {

// One main window for the whole run, as the program has: loads build on what the last one left.
struct Program {
    fake::FakeEnvironment p;
    PermanentWindows windows{p};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Program program;
    const char* const path = "C:\\Skins\\Fuzz.skn";
    program.p.files.AddFile(path, std::string(reinterpret_cast<const char*>(data), size));
    try {
        program.windows.Form1.LoadSkinFile(path);
    } catch (const std::exception&) {
    }
    return 0;
}
