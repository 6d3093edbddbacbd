#include "PlaybackFixture.h"

namespace {

// The countdown shown as the alarm shows it: modally, with a script playing the user.
struct Countdown : PlaybackFixture {
    std::vector<std::string> lines;

    void ShowWith(std::function<void()> user) {
        p.gui.onModal = [this, user](ui::Form&) {
            lines.push_back(f6.Label2.caption);
            user();
        };
        f6.ShowModal();
    }
    void Seconds(int n) {
        for (int i = 0; i < n; ++i) {
            p.gui.Tick(f6.Timer1);
            lines.push_back(f6.Label2.caption);
        }
    }
};

TEST_F(Countdown, CountsTenSecondsAndShutsDownAtTheEleventhTick) {
    ShowWith([&] {
        Seconds(10);
        EXPECT_TRUE(p.system.shutdowns.empty());
        Seconds(1);
        EXPECT_EQ(p.system.shutdowns, std::vector<std::uint32_t>{0x15});
        // Windows refused: the dialog stays, at 0, until the user cancels.
        EXPECT_TRUE(f6.Visible());
        EXPECT_FALSE(f6.Timer1.Enabled());
        f6.Button1.Click();
    });
    EXPECT_EQ(f6.caption, "Shutting down");
    EXPECT_EQ(f6.Label1.caption, "Orvella will shut down Windows");
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines.front(), "during 10 Seconds...");
    EXPECT_EQ(lines[1], "during 9 Seconds...");
    EXPECT_EQ(lines[10], "during 0 Seconds...");
    EXPECT_EQ(lines[11], "during 0 Seconds...");
    EXPECT_EQ(p.system.shutdowns.size(), 1u);
    // Kept in front of everything at each second.
    EXPECT_EQ(p.gui.broughtToFront.size(), 11u);
}

TEST_F(Countdown, CancelAfterThreeSecondsStopsAtSevenWithoutAShutdown) {
    int result = -1;
    p.gui.onModal = [&](ui::Form&) {
        p.gui.Tick(f6.Timer1, 3);
        f6.Button1.Click();
    };
    result = f6.ShowModal();
    EXPECT_EQ(result, ui::mrCancel);
    EXPECT_EQ(f6.Label2.caption, "during 7 Seconds...");
    EXPECT_FALSE(f6.Visible());
    EXPECT_FALSE(f6.Timer1.Enabled());
    p.gui.RunFor(60000);
    EXPECT_TRUE(p.system.shutdowns.empty());
}

TEST_F(Countdown, TheCloseBoxCancelsLikeTheCancelButton) {
    ShowWith([&] {
        Seconds(2);
        f6.UserClose();
    });
    EXPECT_FALSE(f6.Visible());
    EXPECT_FALSE(f6.Timer1.Enabled());
    p.gui.RunFor(60000);
    EXPECT_TRUE(p.system.shutdowns.empty());
}

TEST_F(Countdown, AHiddenDialogNeverShutsDown) {
    f6.Show();
    f6.Hide();
    EXPECT_FALSE(f6.Timer1.Enabled());
    // Even a tick that was already under way when it went away.
    f6.ShutdownTicks = 10;
    f6.Timer1.SetEnabled(true);
    f6.Timer1Timer();
    EXPECT_TRUE(p.system.shutdowns.empty());
    EXPECT_FALSE(f6.Timer1.Enabled());
}

TEST_F(Countdown, SpeaksGermanAtEveryTick) {
    p.system.UseGerman();
    ShowWith([&] {
        Seconds(4);
        f6.Button1.Click();
    });
    EXPECT_EQ(f6.caption, "Herunterfahren");
    EXPECT_EQ(f6.Label1.caption, "Orvella beendet Windows");
    EXPECT_EQ(lines, (std::vector<std::string>{"in 10 Sekunden...", "in 9 Sekunden...", "in 8 Sekunden...",
                                               "in 7 Sekunden...", "in 6 Sekunden..."}));
}

TEST_F(Countdown, EachShowingStartsAtTenAgain) {
    ShowWith([&] {
        Seconds(5);
        f6.Button1.Click();
    });
    lines.clear();
    ShowWith([&] { f6.Button1.Click(); });
    EXPECT_EQ(lines, std::vector<std::string>{"during 10 Seconds..."});
    EXPECT_EQ(f6.ShutdownTicks, 0);
}

TEST_F(Countdown, IsASmallCentredToolWindow) {
    EXPECT_EQ(f6.className, "TForm6");
    EXPECT_EQ(f6.borderStyle, ui::BorderStyle::ToolWindow);
    EXPECT_EQ(f6.position, ui::FormPosition::ScreenCenter);
    EXPECT_EQ(f6.clientWidth, 280);
    EXPECT_EQ(f6.clientHeight, 119);
    EXPECT_EQ(f6.Button1.caption, "Cancel");
    EXPECT_EQ(f6.Image1.picture.width, 32);
    EXPECT_EQ(f6.Image1.picture.height, 32);
    EXPECT_EQ(f6.Timer1.Interval(), 1000);
    EXPECT_FALSE(f6.Timer1.Enabled());
}

}  // namespace
