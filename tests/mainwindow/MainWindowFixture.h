#pragma once
#include <gtest/gtest.h>

#include <string>

#include "playback/PlayStateText.h"
#include "skin/SkinTestSupport.h"
#include "startup/PermanentWindows.h"
#include "ui/fake/FakeGui.h"

namespace skintest {

// The main window with its companions, as the program creates them.
struct MainWindowFixture : ::testing::Test {
    fake::FakeEnvironment p;
    PermanentWindows windows{p};
    TForm1& f1 = windows.Form1;
    TForm2& f2 = windows.Form2;
    static constexpr const char* kSkin = "C:\\Program Files\\Orvella\\Skins\\Test.skn";

    MainWindowFixture() {
        p.files.AddFile("C:\\Program Files\\Orvella\\Orvella.exe", "exe");
        p.volume.left = p.volume.right = 655 * 40;
    }

    void LoadSkin(const SkinFile& file, const char* path = kSkin) {
        p.files.AddFile(path, file.Build());
        f1.LoadSkinFile(path);
    }
    // The message that a load ends with, empty when it succeeds.
    std::string LoadError(const SkinFile& file, const char* path = kSkin) {
        p.files.AddFile(path, file.Build());
        try {
            f1.LoadSkinFile(path);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }
};

}  // namespace skintest
