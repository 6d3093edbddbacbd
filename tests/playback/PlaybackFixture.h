#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "PlayStateText.h"
#include "startup/PermanentWindows.h"
#include "ui/fake/FakeGui.h"

// The main window, the preferences holding the default options and the shutdown countdown,
// on a machine whose player lives in "C:\Winamp" and is not running.
struct PlaybackFixture : ::testing::Test {
    static constexpr const char* kPlayerClass = "Winamp v1.x";

    fake::FakeEnvironment p;
    PermanentWindows windows{p};
    TForm1& f1 = windows.Form1;
    Playback& pb = f1.playback;
    TForm2& f2 = windows.Form2;
    TForm6& f6 = windows.Form6;
    TSettings& s = f2.settings;

    PlaybackFixture() {
        s.WinampPath = "C:\\Winamp\\Winamp.exe";
        GiveFacesTheirNumbers();
    }

    platform::WindowHandle StartPlayer() { return p.desktop.AddWindow(kPlayerClass, "Winamp"); }
    platform::WindowHandle Player() { return p.desktop.Find(kPlayerClass, ""); }
    // The shell start of the player makes its window appear.
    void PlayerAppearsWhenLaunched() {
        p.desktop.onOpen = [this](const fake::FakeDesktop::Launch&) { StartPlayer(); };
    }

    // Each face holder gets a one-pixel picture holding its own number, so that a button's
    // face tells which holder it came from.
    void GiveFacesTheirNumbers() {
        for (ui::Control* control : f1.Controls()) {
            auto* image = dynamic_cast<ui::Image*>(control);
            if (!image || image->name.rfind("Image", 0) != 0) continue;
            const int number = std::stoi(image->name.substr(5));
            image->picture = ui::Picture{1, 1, {static_cast<std::uint32_t>(number)}};
        }
    }
    // The number of the holder whose picture `image` shows.
    static int Face(const ui::Image& image) { return image.picture.Empty() ? -1 : int(image.picture.pixels[0]); }

    void SetInitialPercent(int percent) { s.StartVolumePos = 100 - percent; }
    void SetFinalPercent(int percent) { s.EndVolumePos = 100 - percent; }
    void SetVolume(std::uint16_t word) { p.volume.left = p.volume.right = word; }

    // Brings the main window into a play state through the commands a user would press.
    void EnterState(TPlayState state) {
        if (state != TPlayState::Stop) pb.PlayAction();
        if (state == TPlayState::Pause) pb.PauseAction();
        ASSERT_EQ(pb.PlayState, state);
    }
};
