#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
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
        ActAsThePlayer();
    }

    // The player's side of its interface: it reports its state when asked (WM_USER, 104) and
    // takes play, pause and stop as its keys while in front or as commands (WM_COMMAND).
    int playerState = 0;            // 1 playing, 3 paused, 0 stopped
    int playsAfterCommands = 1;     // play commands it needs before it plays; 0: never plays
    bool playerHung = false;        // answers no question
    int playCommands = 0;           // play commands it has received
    void ActAsThePlayer() {
        p.desktop.onAsk = [this](const fake::FakeDesktop::Message& m) -> std::optional<std::intptr_t> {
            if (playerHung) return std::nullopt;
            return m.message == 0x0400 && m.lParam == 104 ? playerState : 0;
        };
        p.desktop.onPost = [this](const fake::FakeDesktop::Message& m) {
            if (m.message == 0x0111) Command(m.wParam);
        };
        p.desktop.onKey = [this](const fake::FakeDesktop::Key& k) {
            if (k.foreground != Player()) return;
            Command(k.virtualKey == 'X' ? 40045 : k.virtualKey == 'C' ? 40046 : k.virtualKey == 'V' ? 40047 : 0);
        };
    }
    void Command(std::uintptr_t id) {
        if (id == 40045 && ++playCommands == playsAfterCommands) playerState = 1;
        if (id == 40046 && playerState != 0) playerState = playerState == 1 ? 3 : 1;
        if (id == 40047) playerState = 0;
    }
    // The commands posted to the player, as their identifiers.
    std::vector<std::uintptr_t> PostedCommands() const {
        std::vector<std::uintptr_t> ids;
        for (const auto& m : p.desktop.posted)
            if (m.message == 0x0111) ids.push_back(m.wParam);
        return ids;
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
