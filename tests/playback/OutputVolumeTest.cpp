#include "PlaybackFixture.h"
#include "playback/VolumeScale.h"

namespace {

using Ov = PlaybackFixture;
using Set = std::pair<std::uint16_t, std::uint16_t>;

ui::MouseEvent At(int x, int screenX = 0) {
    ui::MouseEvent e;
    e.x = x;
    e.screenX = screenX;
    return e;
}

TEST(VolumeScale, PercentsAndWordsUseSixHundredFiftyFiveUnitsAndRoundHalvesToEven) {
    EXPECT_EQ(VolumeWord(100), 65500);
    EXPECT_EQ(VolumeWord(60), 39300);
    EXPECT_EQ(VolumeWord(150), 65500);  // never beyond 16 bits
    EXPECT_EQ(VolumeWord(-3), 0);
    EXPECT_EQ(VolumePercent(65535), 100);
    EXPECT_EQ(VolumePercent(1637), 2);  // 2.499
    EXPECT_EQ(VolumePercent(1638), 3);  // 2.501
    EXPECT_EQ(BarWidth(50), 32);
    EXPECT_EQ(BarWidth(100), 64);
}

TEST(VolumeScale, LevelPictureBoundsAreOpenAndLeaveThePictureOnABound) {
    EXPECT_EQ(LevelPictureIndex(9, 10), 0);
    EXPECT_EQ(LevelPictureIndex(0, 10), 0);
    EXPECT_EQ(LevelPictureIndex(11, 10), 1);
    EXPECT_EQ(LevelPictureIndex(59, 10), 5);
    EXPECT_EQ(LevelPictureIndex(89, 10), 8);
    EXPECT_EQ(LevelPictureIndex(91, 10), 9);
    for (int bound = 10; bound <= 90; bound += 10) EXPECT_EQ(LevelPictureIndex(bound, 10), -1) << bound;
    // A level picture narrower than ten pixels: no bounds inside, no division by zero.
    EXPECT_EQ(LevelPictureIndex(0, 0), -1);
    EXPECT_EQ(LevelPictureIndex(3, 0), 9);
}

TEST_F(Ov, ShowVolumeReadsTheDeviceAndShowsTheRightChannel) {
    p.volume.left = 100;
    p.volume.right = 65535;
    f1.playback.ShowVolume();
    EXPECT_EQ(f1.playback.CurrentVolume[0], 100);
    EXPECT_EQ(f1.playback.CurrentVolume[1], 65535);
    EXPECT_EQ(f1.Label1.caption, "Vol: 100");
    EXPECT_EQ(f1.Shape1.width, 64);
    EXPECT_EQ(f1.Image37.left, f1.Shape1.left + 64);
    EXPECT_EQ(Face(f1.Image20), 47);
}

TEST_F(Ov, ShowVolumeAtExactlyFiftyLeavesTheLevelPicture) {
    f1.ShowFace(f1.Image20, f1.Image41);
    SetVolume(VolumeWord(50));
    f1.playback.ShowVolume();
    EXPECT_EQ(f1.Label1.caption, "Vol: 50");
    EXPECT_EQ(Face(f1.Image20), 41);
}

TEST_F(Ov, AnUnreadableDeviceCountsAsSilence) {
    p.volume.available = false;
    f1.playback.CurrentVolume[0] = f1.playback.CurrentVolume[1] = 1234;
    f1.playback.ShowVolume();
    EXPECT_EQ(f1.playback.CurrentVolume[1], 0);
    EXPECT_EQ(f1.Label1.caption, "Vol: 0");
    EXPECT_EQ(Face(f1.Image20), 13);
}

TEST_F(Ov, MutingAtSixtyAndUnmutingRestoresVolumeAndLabel) {
    p.volume.left = 39000;
    p.volume.right = VolumeWord(60);
    f1.playback.ShowVolume();
    const int barLeft = f1.Shape1.left;

    f1.Image2MouseUp(At(0));
    EXPECT_TRUE(f1.playback.Muted);
    EXPECT_EQ(Face(f1.Image2), 5);
    EXPECT_EQ(f1.Label1.caption, "Vol: 0");
    EXPECT_EQ(f1.Shape1.width, 0);
    EXPECT_EQ(f1.Image37.left, barLeft - 3);
    EXPECT_EQ(Face(f1.Image20), 13);
    EXPECT_EQ(p.volume.right, 0);

    f1.Image2MouseUp(At(0));
    EXPECT_FALSE(f1.playback.Muted);
    EXPECT_EQ(Face(f1.Image2), 3);
    EXPECT_EQ(p.volume.left, 39000);
    EXPECT_EQ(p.volume.right, VolumeWord(60));
    EXPECT_EQ(f1.Label1.caption, "Vol: 60");
    EXPECT_EQ(f1.Shape1.width, 38);
}

TEST_F(Ov, UnmutingTakesBackTheLabelShownBeforeMutingEvenWhenTheDeviceSaysOtherwise) {
    SetVolume(VolumeWord(60));
    f1.Label1.caption = "Vol: 42";
    f1.Image2MouseUp(At(0));
    f1.Image2MouseUp(At(0));
    EXPECT_EQ(f1.Label1.caption, "Vol: 42");
}

TEST_F(Ov, MutingStopsTheRunAndUnmutingRestartsItOnlyWhilePlaying) {
    StartPlayer();
    f1.playback.PlayAction();
    f1.Image2MouseUp(At(0));
    EXPECT_FALSE(f1.playback.Timer1.Enabled());
    f1.Image2MouseUp(At(0));
    EXPECT_TRUE(f1.playback.Timer1.Enabled());

    f1.playback.StopAction();
    f1.Image2MouseUp(At(0));
    f1.Image2MouseUp(At(0));
    EXPECT_FALSE(f1.playback.Timer1.Enabled());
}

// A screen reader sets the volume on either volume control as a drag would, a mute ending;
// what is not a whole number from 0 to 100 is refused and changes nothing.
TEST_F(Ov, AScreenReaderSetsTheVolumeByNumberAndIsRefusedAnythingElse) {
    for (const char* refused : {"", " ", "abc", "101", "-5", "4 0", "40 %%", "1000", "0100", "40x", "% 40"}) {
        EXPECT_FALSE(f1.Image31.OnAccessibleValue(refused)) << refused;
        EXPECT_FALSE(f1.Image20.OnAccessibleValue(refused)) << refused;
    }
    EXPECT_TRUE(p.volume.sets.empty());

    f1.Image2MouseUp(At(0));  // muted
    ASSERT_TRUE(f1.Image31.OnAccessibleValue("43"));
    EXPECT_FALSE(f1.playback.Muted);
    EXPECT_EQ(p.volume.right, VolumeWord(43));
    EXPECT_EQ(f1.Label1.caption, "Vol: 43");
    EXPECT_EQ(f1.Image31.accessibleValue, "43 %");
    EXPECT_EQ(f1.Shape1.width, 28);
    EXPECT_EQ(f1.Image37.left, f1.Shape1.left + 28);
    EXPECT_EQ(Face(f1.Image2), 3);
    EXPECT_EQ(Face(f1.Image20), 42);
    for (const auto& [text, percent] : {std::pair{" 7 ", 7}, {"100 %", 100}, {"0", 0}, {"55%", 55}}) {
        ASSERT_TRUE(f1.Image20.OnAccessibleValue(text)) << text;
        EXPECT_EQ(p.volume.left, VolumeWord(percent)) << text;
        EXPECT_EQ(f1.Shape1.width, BarWidth(percent)) << text;
    }
}

struct KnobDrag : PlaybackFixture {
    static constexpr int kScreen = 1000;  // the window's left edge on the screen
    int barLeft = 0;
    KnobDrag() {
        barLeft = f1.Shape1.left;
        f1.Image37.left = barLeft + 10;
    }
    // Takes hold of the knob five pixels into it.
    void Grab() { f1.Image37.OnMouseDown(At(5, kScreen + f1.Image37.left + 5)); }
    void MoveKnobTo(int left) { f1.Image37.OnMouseMove(At(5, kScreen + left + 5)); }
};

TEST_F(KnobDrag, ToTheBarsEndSetsTheProgramsFullVolumeOnBothChannels) {
    Grab();
    MoveKnobTo(barLeft + 64);
    EXPECT_EQ(p.volume.left, 65500);
    EXPECT_EQ(p.volume.right, 65500);
    EXPECT_EQ(f1.Label1.caption, "Vol: 100");
    EXPECT_EQ(f1.Shape1.width, 64);
    EXPECT_EQ(f1.Image37.left, barLeft + 64);
    EXPECT_EQ(Face(f1.Image37), 39);
    f1.Image37.OnMouseUp(At(5));
    EXPECT_EQ(Face(f1.Image37), 38);
    EXPECT_FALSE(f1.KnobDragging);
}

TEST_F(KnobDrag, FollowsThePointerFromWhereItWasGrabbedAndRoundsHalvesToEven) {
    Grab();
    MoveKnobTo(barLeft + 32);
    EXPECT_EQ(f1.Label1.caption, "Vol: 50");
    EXPECT_EQ(p.volume.right, VolumeWord(50));
    MoveKnobTo(barLeft + 8);  // 12.5 %
    EXPECT_EQ(f1.Label1.caption, "Vol: 12");
    MoveKnobTo(barLeft + 24);  // 37.5 %
    EXPECT_EQ(f1.Label1.caption, "Vol: 38");
}

TEST_F(KnobDrag, LeftOfTheBarEmptiesItWithoutTouchingTheVolumeAndOutsideIsIgnored) {
    Grab();
    MoveKnobTo(barLeft - 2);
    EXPECT_EQ(f1.Image37.left, barLeft - 2);
    EXPECT_EQ(f1.Shape1.width, 0);
    EXPECT_TRUE(p.volume.sets.empty());

    MoveKnobTo(barLeft - 5);
    MoveKnobTo(barLeft + 65);
    EXPECT_EQ(f1.Image37.left, barLeft - 2);
    EXPECT_TRUE(p.volume.sets.empty());
}

TEST_F(KnobDrag, MovingWithoutAPressChangesNothing) {
    f1.Image37.OnMouseUp(At(5));
    MoveKnobTo(barLeft + 40);
    EXPECT_TRUE(p.volume.sets.empty());
    EXPECT_EQ(f1.Image37.left, barLeft + 10);
}

TEST_F(KnobDrag, WhileMutedUnmutesWithoutRestoringTheSavedVolumeAndRestartsTheRun) {
    StartPlayer();
    f1.playback.PlayAction();
    SetVolume(VolumeWord(80));
    f1.Image2MouseUp(At(0));
    ASSERT_TRUE(f1.playback.Muted);
    p.volume.sets.clear();

    Grab();
    MoveKnobTo(barLeft + 16);

    EXPECT_FALSE(f1.playback.Muted);
    EXPECT_EQ(Face(f1.Image2), 3);
    EXPECT_TRUE(f1.playback.Timer1.Enabled());
    EXPECT_EQ(p.volume.sets, (std::vector<Set>{{VolumeWord(25), VolumeWord(25)}}));
}

struct LevelDrag : PlaybackFixture {
    LevelDrag() {
        f1.Image20.autoSize = false;  // the one-pixel test faces would shrink it
        f1.Image20.width = 85;        // bounds every 8 pixels
        f1.ShowFace(f1.Image20, f1.Image42);
    }
};

TEST_F(LevelDrag, SetsThePercentOfThePictureWidthAndPicksTheLevelByEighthsOfIt) {
    f1.Image20.OnMouseDown(At(10));
    f1.Image20.OnMouseMove(At(85));
    EXPECT_EQ(p.volume.right, 65500);
    EXPECT_EQ(f1.Label1.caption, "Vol: 100");
    EXPECT_EQ(Face(f1.Image20), 47);

    f1.Image20.OnMouseMove(At(20));
    EXPECT_EQ(f1.Label1.caption, "Vol: 24");  // 23.53
    EXPECT_EQ(Face(f1.Image20), 40);          // between 2 and 3 eighths

    f1.Image20.OnMouseMove(At(40));  // on a bound: the picture stays
    EXPECT_EQ(Face(f1.Image20), 40);
    EXPECT_EQ(f1.Label1.caption, "Vol: 47");
}

TEST_F(LevelDrag, OutsideThePictureOnlyThePictureFollows) {
    f1.Image20.OnMouseDown(At(10));
    f1.Image20.OnMouseMove(At(0));
    f1.Image20.OnMouseMove(At(-7));
    EXPECT_EQ(Face(f1.Image20), 13);
    f1.Image20.OnMouseMove(At(120));
    EXPECT_EQ(Face(f1.Image20), 47);
    EXPECT_TRUE(p.volume.sets.empty());
}

TEST_F(LevelDrag, NeedsAPressAndLeavesTheMuteFlagAlone) {
    f1.Image20.OnMouseMove(At(50));
    EXPECT_TRUE(p.volume.sets.empty());

    f1.playback.Muted = true;
    f1.Image20.OnMouseDown(At(10));
    f1.Image20.OnMouseMove(At(50));
    EXPECT_TRUE(f1.playback.Muted);
    EXPECT_EQ(p.volume.sets.size(), 1u);
    f1.Image20.OnMouseUp(At(50));
    f1.Image20.OnMouseMove(At(60));
    EXPECT_EQ(p.volume.sets.size(), 1u);
}

TEST_F(LevelDrag, ANarrowPictureDoesNotBreakTheDrag) {
    f1.Image20.width = 6;
    f1.Image20.OnMouseDown(At(1));
    f1.Image20.OnMouseMove(At(3));
    EXPECT_EQ(f1.Label1.caption, "Vol: 50");
    EXPECT_EQ(Face(f1.Image20), 47);
}

}  // namespace
