// The pen and line-type lines of the CAD program's settings file.

#include "DrawingFixture.h"

#include "core/TextUtil.h"
#include "document/ZhdData.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>


namespace {


std::string LineTypeText(const TZhdLType& type)
{
    return StringPrintf("pattern %x dots %d pitch %d print %d amplitude %d print %d", type.GetPattern(),
                        type.GetDots(), type.GetPitch(), type.GetPrintPitch(), type.GetAmplitude(),
                        type.GetPrintAmplitude());
}

std::string PenText(const TZhdPen& pen)
{
    return StringPrintf("colour %d width %d", pen.GetColor(), pen.GetWidth());
}

std::string PrtPenText(const TZhdPrtPen& pen)
{
    return StringPrintf("colour %d width %d radius %g name '%s'", pen.GetColor(), pen.GetWidth(),
                        pen.GetPointRadius(), pen.GetColorName().c_str());
}

// Every entry of the three tables, for "nothing else changed".
std::vector<std::string> TablesOf(const TZhdHead& head)
{
    std::vector<std::string> entries;
    for (int i = 0; i < TZhdHead::LineTypeCount; ++i)
        entries.push_back("line type " + std::to_string(i) + ": " + LineTypeText(head.GetLType(i)));
    for (int i = 0; i < TZhdHead::PenCount; ++i) {
        entries.push_back("pen " + std::to_string(i) + ": " + PenText(head.GetPen(i)));
        entries.push_back("print pen " + std::to_string(i) + ": " + PrtPenText(head.GetPrtPen(i)));
    }
    return entries;
}

// The entries that differ from a fresh header's.
std::vector<std::string> ChangedEntries(const TZhdHead& head)
{
    const std::vector<std::string> before = TablesOf(TZhdHead());
    const std::vector<std::string> after = TablesOf(head);
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] != before[i])
            changed.push_back(after[i]);
    }
    return changed;
}

std::vector<std::string> Applied(const StringList& lines, const TStatusZHG& state = TStatusZHG())
{
    TZhdHead head;
    head.ApplySettingsFile(state, TInfoZHG(), lines);
    return ChangedEntries(head);
}

using Entries = std::vector<std::string>;

} // namespace

TEST(CadSettingsFile, EntriesByKey)
{
    // A fresh header's line type 1 is the default type, so resetting it
    // changes nothing visible; line type 7 is changed first to see it.
    const struct {
        const char* line;
        Entries changed;
    } cases[] = {
        { "LTYPE_02 x FF00 16 2 20", { "line type 2: pattern ff00 dots 16 pitch 2 print 20 amplitude 0 print 0" } },
        { "LTYPE_R3 x F0F0 5 3 7 40", { "line type 13: pattern f0f0 dots 32 pitch 3 print 40 amplitude 5 print 7" } },
        { "LTYPE_L4 x 0FF 8 1 9", { "line type 19: pattern ff dots 8 pitch 1 print 9 amplitude 0 print 0" } },
        { "LTYPE_09 x FFFF 16 2", { "line type 9: pattern ffff dots 16 pitch 2 print 1 amplitude 0 print 0" } },
        { "LTYPE_09 x FFFF 16 2 30", { "line type 9: pattern ffff dots 16 pitch 2 print 30 amplitude 0 print 0" } },
        { "LTYPE_05 x zz 16 2 20", { "line type 5: pattern 0 dots 16 pitch 2 print 20 amplitude 0 print 0" } },
        { "LCOLLOR_3 x 255 0 0 2", { "pen 3: colour 255 width 2" } },
        { "LCOLLOR_B x 255 255 255", { "pen 0: colour 16777215 width 1" } },
        { "LCOLLOR_G x 0 128 0 4 9", { "pen 9: colour 32768 width 4" } },
        { "LCOLLOR_H x 255 0 0 2", {} },
        { "LCOLLOR_Z x 255 0 0 2", {} },
        { "PCOLLOR_G x 0 0 0", { "print pen 9: colour 0 width 1 radius 0.1 name ''" } },
        { "PCOLLOR_G x 0 0 0 5", { "print pen 9: colour 0 width 5 radius 0.1 name ''" } },
        { "PCOLLOR_2 x 0 0 255 25 0.3", { "print pen 2: colour 16711680 width 25 radius 0.3 name ''" } },
        { "PCOLLOR_2 x 0 0 255 25 wide", { "print pen 2: colour 16711680 width 25 radius 0 name ''" } },
        { "PCOLLOR_S x 0 0 255 25 0.3", {} },
        // Keys we do not know, and lines that are no keys at all.
        { "LINE_02 x FF00 16 2 20", {} },
        { " LTYPE_02 x FF00 16 2 20", {} },
        { "REF_FILE=zuhen.ref", {} },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Applied({ c.line }), c.changed) << c.line;

    EXPECT_EQ(Applied({ "LTYPE_07 x FF 8 1 9", "LTYPE_X" }),
              Entries({ "line type 7: pattern ff dots 8 pitch 1 print 9 amplitude 0 print 0" }));
    EXPECT_EQ(Applied({ "LTYPE_01 x FF 8 1 9", "LTYPE_X7 x 1 2 3 4" }), Entries());
}

TEST(CadSettingsFile, ShortKeysAndMissingValuesAreSkipped)
{
    // Each key stops before the character that would choose its entry, or
    // the line lacks a value that has no default: nothing is read past the
    // end of the key or the fields.
    for (const char* line : { "LTYPE_", "LTYPE_0", "LTYPE_R", "LCOLLOR_", "PCOLLOR_", "LTYPE_05 x FF00 16 2",
                              "LTYPE_R3 x F0F0 5 3 7", "LCOLLOR_3 x 255 0 0", "LCOLLOR_G x 255 0",
                              "PCOLLOR_3 x 0 0 0 18", "PCOLLOR_G x 0 0" }) {
        EXPECT_NO_THROW(EXPECT_EQ(Applied({ line }), Entries()) << line) << line;
    }
}

TEST(CadSettingsFile, CommentsAndEnd)
{
    EXPECT_EQ(Applied({ "#LCOLLOR_3 x 255 0 0 2", "# LCOLLOR_4 x 255 0 0 2", "LCOLLOR_5 x 1 0 0 1", "END",
                        "LCOLLOR_6 x 255 0 0 2" }),
              Entries({ "pen 5: colour 1 width 1" }));
    EXPECT_EQ(Applied({ "ENDING", "LCOLLOR_6 x 255 0 0 2" }), Entries());
}

TEST(CadSettingsFile, ValueThatIsNoNumberRaisesNamingTheLine)
{
    TStatusZHG state;
    state.SetGLayer(2);
    state.SetLayer(5);
    for (const char* bad : { "LCOLLOR_3 x 255 red 0 2", "LTYPE_0X x FF 8 1 9", "LCOLLOR_Q x 1 2 3 4",
                             "PCOLLOR_4 x 0 0 0 thin 0.2" }) {
        TZhdHead head;
        try {
            head.ApplySettingsFile(state, TInfoZHG(), { "LCOLLOR_1 x 1 2 3 4", bad, "LCOLLOR_2 x 1 2 3 4" });
            ADD_FAILURE() << "no error for " << bad;
        } catch (const TLineConvertError& error) {
            EXPECT_EQ(error.GetLineIndex(), 1) << bad;
            EXPECT_NE(std::string(error.what()).find(bad), std::string::npos) << error.what();
        }
        // The line before stays applied; nothing after it happens.
        EXPECT_EQ(ChangedEntries(head), Entries({ "pen 1: colour 197121 width 4" })) << bad;
        EXPECT_EQ(head.GetGroupState(2), 2) << bad;
    }
}

TEST(CadSettingsFile, StateGroupAndLayerBecomeTheWriteTarget)
{
    TStatusZHG state;
    state.SetGLayer(2);
    state.SetLayer(5);
    TZhdHead head;
    head.SetWriteGroup(7);
    head.ApplySettingsFile(state, TInfoZHG(), {});
    EXPECT_EQ(head.GetGroupState(2), 3);
    EXPECT_EQ(head.GetGroup(2).GetWriteLayer(), 5);
    EXPECT_EQ(head.GetLayerState(2, 5), 3);
    EXPECT_EQ(head.GetWriteGroup(), 7);
    for (int g = 0; g < 16; ++g) {
        for (int l = 0; l < 16; ++l) {
            if (g != 2 || l != 5) {
                EXPECT_EQ(head.GetLayerState(g, l), 2) << g << " " << l;
            }
        }
    }

    // A group or layer that is not in the tables changes no state.
    for (auto [g, l] : { std::pair(16, 0), std::pair(0, 16), std::pair(65535, 65535) }) {
        state.SetGLayer(static_cast<std::uint16_t>(g));
        state.SetLayer(static_cast<std::uint16_t>(l));
        TZhdHead other;
        other.ApplySettingsFile(state, TInfoZHG(), {});
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(other.GetGroupState(i), 2) << g << " " << l;
            EXPECT_EQ(other.GetGroup(i).GetWriteLayer(), 0) << g << " " << l;
            EXPECT_EQ(other.GetLayerState(i, 15), 2) << g << " " << l;
        }
    }
}

TEST(CadSettingsFile, LoadFromFile)
{
    // Lines cut at any run of CR and LF; the text ends at a NUL byte.
    const std::string bytes = std::string("# pens\r\nREF_FILE=a.ref\r\n\r\nLCOLLOR_3 x 255 0 0 2\n\r"
                                          "LTYPE_02 x FF00 16 2 20\rPCOLLOR_G x 0 0 0\r\n")
        + '\0' + "LCOLLOR_4 x 9 9 9 9";
    const TempDir folder;
    const std::string path = folder.Write("zuhen.zhf", bytes).string();
    TZhdData document;
    document.GetKStatusPtr().SetGLayer(4);
    document.GetKStatusPtr().SetLayer(1);
    document.GetKStatusPtr().SetPenColor(7);

    TLoadResult result(TLoadStatus::Missing);
    const auto log = LogLinesOf([&] { result = document.LoadCadSettingsFile(path); });
    EXPECT_EQ(result.status, TLoadStatus::Loaded);
    EXPECT_EQ(ChangedEntries(document.GetHeadPtr()),
              Entries({ "line type 2: pattern ff00 dots 16 pitch 2 print 20 amplitude 0 print 0",
                        "pen 3: colour 255 width 2", "print pen 9: colour 0 width 1 radius 0.1 name ''" }));
    EXPECT_EQ(document.GetHeadPtr().GetLayerState(4, 1), 3);
    EXPECT_EQ(document.GetGStatus().GetPenColor(), 7);
    EXPECT_EQ(document.GetGStatus().GetGLayer(), 4);

    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[0], sj(u8"ZHF読込"));
    EXPECT_TRUE(log[1].starts_with(StringPrintf("fread *.zhf:%zubyte ", bytes.size()))) << log[1];
    EXPECT_EQ(log[2], "free(zuhen.zhf)");
    EXPECT_TRUE(log[3].starts_with(sj(u8"切分処理："))) << log[3];
    EXPECT_TRUE(log[4].starts_with(sj(u8"ZHF処理："))) << log[4];
    EXPECT_EQ(log[5], "");
}

TEST(CadSettingsFile, FileWithAValueThatIsNoNumberChangesNothing)
{
    const TempDir folder;
    const std::string path =
        folder.Write("zuhen.zhf", "# pens\r\n\r\nLCOLLOR_3 x 255 0 0 2\r\nLCOLLOR_4 x 1 two 3 4\r\n").string();
    TZhdData document;
    document.GetKStatusPtr().SetGLayer(4);
    const TZhdHead before = document.GetHeadPtr();
    std::vector<std::string> log;
    const TLoadResult result = [&] {
        TLoadResult loaded;
        log = LogLinesOf([&] { loaded = document.LoadCadSettingsFile(path); });
        return loaded;
    }();
    EXPECT_EQ(result, TLoadResult(TLoadStatus::ConversionError, 4, "LCOLLOR_4 x 1 two 3 4"));
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
        return line.find("LCOLLOR_4 x 1 two 3 4") != std::string::npos;
    })) << "the log names the line";
    EXPECT_EQ(ChangedEntries(document.GetHeadPtr()), ChangedEntries(before));
    EXPECT_EQ(document.GetHeadPtr().GetPen(3).GetColorValue(), before.GetPen(3).GetColorValue());
    EXPECT_EQ(document.GetHeadPtr().GetGroupState(4), 2);
    EXPECT_EQ(document.GetGStatus().GetGLayer(), 0);
}
