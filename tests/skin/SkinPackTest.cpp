#include "Pack.h"
#include "mainwindow/MainWindowFixture.h"

using skintest::SkinFile;
using skintest::SlotOf;

namespace {

struct SkinPack : skintest::MainWindowFixture {};

TEST_F(SkinPack, PackedSkinLoadsAndUnpacksToItsParts) {
    const SkinFile source(2);
    const std::string packed = skinpack::Pack(source.pictures, source.layout);
    p.files.AddFile(kSkin, packed);
    f1.LoadSkinFile(kSkin);
    EXPECT_EQ(SlotOf(f1.Image47, 2), 39);
    EXPECT_EQ(f1.clientWidth, 320);

    std::vector<std::string> bitmaps, layout;
    skinpack::Unpack(packed, bitmaps, layout);
    EXPECT_EQ(bitmaps, source.pictures);
    EXPECT_EQ(layout, source.layout);
    EXPECT_EQ(skinpack::ParseLayoutText(skinpack::LayoutText(layout)), layout);
}

TEST_F(SkinPack, RefusesWhatTheProgramWouldRefuse) {
    SkinFile source;
    source.layout[45] = "perhaps";
    EXPECT_THROW(skinpack::Pack(source.pictures, source.layout), std::runtime_error);
    source = SkinFile();
    source.pictures[3] = "not a bitmap";
    EXPECT_THROW(skinpack::Pack(source.pictures, source.layout), std::runtime_error);
    source = SkinFile();
    source.layout.pop_back();
    EXPECT_THROW(skinpack::Pack(source.pictures, source.layout), std::runtime_error);
}

TEST_F(SkinPack, DefaultSkinsLoadCompletely) {
    for (const std::string& name : skinpack::DefaultSkinNames()) {
        std::vector<std::string> bitmaps, layout;
        skinpack::DrawDefaultSkin(name, bitmaps, layout);
        p.files.AddFile(kSkin, skinpack::Pack(bitmaps, layout));
        f1.LoadSkinFile(kSkin);
        EXPECT_TRUE(f1.transparentColor) << name;
        EXPECT_TRUE(f1.Label1.visible && f1.Label2.visible) << name;
        EXPECT_EQ(f1.Image100.width, f1.clientWidth) << name;
        // The text lines fit inside the window.
        EXPECT_LT(f1.Label1.top + 8, f1.clientHeight) << name;
        EXPECT_EQ(f1.Image20.visible, name == "Midnight") << name;
        // The bar's curved ends are keyed out; the buttons are not.
        EXPECT_EQ(f1.Image100.picture.Pixel(0, 0), 0xFF80FFu) << name;
        EXPECT_NE(f1.Image1.picture.Pixel(14, 14), 0xFF80FFu) << name;
    }
}

}  // namespace
