// The view state: defaults, copies, the view history, the character
// references and the status text.

#include "render/InfoReg.h"

#include "platform/ShiftJis.h"
#include "tests/render/RenderFixture.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <chrono>

namespace {

class InfoRegTest : public ::testing::Test {
protected:
    void SetUp() override { UseTestScreen(); }
};

} // namespace

TEST_F(InfoRegTest, NewStateFitsTheNextDrawingAndUsesTheScreen)
{
    const TInfoREG info;
    EXPECT_EQ(info.GetView().GetScale(), 0.0);
    EXPECT_EQ(info.GetPixelWidth(), TestScreenWidth);
    EXPECT_EQ(info.GetPixelHeight(), TestScreenHeight);
    EXPECT_EQ(info.ScreenWidthMM, 304.0);
    EXPECT_EQ(info.PrtPitch, 20);
    EXPECT_EQ(info.CharCellFactor, 1.1);
    EXPECT_EQ(info.RasterPass, 1);
}

TEST_F(InfoRegTest, SetViewKeepPreviousOnlyForADifferentView)
{
    TInfoREG info;
    TZhdZoom first(2.0);
    first.SetXY(1, 2);
    info.SetView(first);
    info.SetViewKeepPrevious(first);
    EXPECT_EQ(info.GetPrevView().GetScale(), 0.0) << "the same view keeps the previous one";
    TZhdZoom second(3.0);
    info.SetViewKeepPrevious(second);
    EXPECT_TRUE(info.GetPrevView() == first);
    EXPECT_TRUE(info.GetView() == second);
}

TEST_F(InfoRegTest, CopiesCarrySettingsButNotTheRunState)
{
    TInfoREG source;
    source.References["key"] = "value";
    source.StatusText = "status";
    source.AbortFlag = 1;
    source.DrawingFlag = 1;
    source.ElementsDrawn = 7;
    source.PenPitchFix = 3;
    source.SetView(TZhdZoom(4.0));

    const TInfoREG copy(source);
    EXPECT_TRUE(copy.References.empty());
    EXPECT_EQ(copy.StatusText, "");
    EXPECT_EQ(copy.AbortFlag, 0);
    EXPECT_EQ(copy.DrawingFlag, 0);
    EXPECT_EQ(copy.ElementsDrawn, 7);
    EXPECT_EQ(copy.PenPitchFix, 3);
    EXPECT_EQ(copy.GetView().GetScale(), 4.0);

    TInfoREG target;
    target.StatusText = "own";
    target.AbortFlag = 1;
    target = source;
    EXPECT_EQ(target.StatusText, "own") << "assignment leaves the target's own";
    EXPECT_EQ(target.AbortFlag, 1);
    EXPECT_EQ(target.PenPitchFix, 3);
}

TEST_F(InfoRegTest, ReferenceFileBesideTheDrawing)
{
    const TempDir folder;
    folder.Write("refs.txt", "abc\tfirst\r\nab\tshort key\r\nxyz\tsecond\tthird\r\nno tab here\r\nabc\tlater\r\n");
    const std::string drawing = SjisPath(folder.File("plan.zhd"));
    TInfoREG info;
    info.ReferenceFileName = "refs.txt";
    info.LoadReferenceFile(drawing);
    EXPECT_EQ(info.References.size(), 2u);
    EXPECT_EQ(info.GetReference("abc"), "later");
    EXPECT_EQ(info.GetReference("xyz"), "second");
    EXPECT_EQ(info.GetReference("missing"), "");
    EXPECT_EQ(info.References.count("missing"), 1u) << "a missing key is added";

    // Unchanged: not read again (a changed map survives).
    info.References["abc"] = "mine";
    info.LoadReferenceFile(drawing);
    EXPECT_EQ(info.GetReference("abc"), "mine");

    // A newer file replaces the whole map.
    folder.Write("refs.txt", "new\tvalue\r\n");
    std::filesystem::last_write_time(folder.File("refs.txt"),
                                     std::filesystem::last_write_time(folder.File("refs.txt")) + std::chrono::seconds(5));
    info.LoadReferenceFile(drawing);
    EXPECT_EQ(info.References.size(), 1u);
    EXPECT_EQ(info.GetReference("new"), "value");
}

TEST_F(InfoRegTest, ReferenceFileWithAFolderAndNothingToLoad)
{
    const TempDir folder;
    folder.Write("elsewhere.txt", "key\tvalue\r\n");
    TInfoREG info;
    info.ReferenceFileName = SjisPath(folder.File("elsewhere.txt"));
    info.LoadReferenceFile("/no/such/folder/plan.zhd");
    EXPECT_EQ(info.GetReference("key"), "value");

    TInfoREG unnamed;
    unnamed.LoadReferenceFile(SjisPath(folder.File("plan.zhd")));
    EXPECT_TRUE(unnamed.References.empty());
    TInfoREG missing;
    missing.ReferenceFileName = "none.txt";
    missing.References["kept"] = "yes";
    missing.LoadReferenceFile(SjisPath(folder.File("plan.zhd")));
    EXPECT_EQ(missing.GetReference("kept"), "yes") << "a file that cannot be read leaves the map";
}

TEST_F(InfoRegTest, StatusText)
{
    TInfoREG info;
    TZhdZoom view(2.0);
    view.SetXY(10.5, -3.25);
    info.SetView(view);
    EXPECT_EQ(info.GetStatusText(),
              sj(u8"画面倍率：2.000000 , 中心座標 x: 10.500 , y: -3.250 解像度：0.118750000000mm/pix(0.237500)"));
}
