#include "tests/document/HeadFixture.h"

#include "platform/ShiftJis.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// FilledHead with a Shift-JIS path and memo, a group table of eleven groups
// (ten with one layer, group A with all sixteen) to keep the expected text
// short, numbers outside their usual ranges and negative colour words.
TZhdHead ReportHead()
{
    TZhdHead head = FilledHead(420);
    head.SetFileName(sj(u8"C:\\図面\\ソ.zhd"));
    head.SetMemo(sj(u8"一行目\r\n二行目\r\n三行目"));
    head.SetWriteGroup(31);
    TVect<TZhdGrp> groups;
    for (int g = 0; g <= 10; ++g) {
        TZhdGrp group = head.GetGroup(g);
        if (g < 10) {
            TVect<TZhdLay> first_layer;
            first_layer.Append(group.GetLayer(0));
            group.SetLayers(first_layer);
        }
        groups.Append(group);
    }
    TZhdGrp wall = groups.Get(3);
    wall.SetName(sj(u8"壁"));
    groups.Set(3, wall);
    TZhdGrp odd = groups.Get(2);
    odd.SetWriteLayer(-1);
    groups.Set(2, odd);
    head.SetGroups(groups);

    TVect<TZhdPen> pens = head.GetPens();
    pens.Set(9, TZhdPen(-1, 2));
    head.SetPens(pens);
    TVect<TZhdPrtPen> print_pens = head.GetPrtPens();
    TZhdPrtPen print = print_pens.Get(9);
    print.SetColor(-196608);
    print_pens.Set(9, print);
    head.SetPrtPens(print_pens);

    TVect<TZhdLParameter> parameters = head.GetLParameters();
    parameters.Set(60, TZhdLParameter().SetLParameter("T60", 25, { 0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5 }));
    head.SetLParameters(parameters);
    return head;
}

std::string Joined(const StringList& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

void ExpectSameText(const std::string& actual, const std::string& expected)
{
    StringList actual_lines, expected_lines;
    SplitText(actual, actual_lines, "\n");
    SplitText(expected, expected_lines, "\n");
    ASSERT_EQ(actual_lines.size(), expected_lines.size());
    for (std::size_t i = 0; i < actual_lines.size(); ++i)
        EXPECT_TRUE(actual_lines[i] == expected_lines[i]) << "line " << i + 1 << "\n  actual:   "
                                                          << SjisToUtf8(actual_lines[i]) << "\n  expected: "
                                                          << SjisToUtf8(expected_lines[i]);
}

} // namespace

// head_report_full.txt and head_report_print.txt hold the expected reports of
// ReportHead() in Shift-JIS, one line per text line (the memo line keeps its
// CR LF inside). They were written line by line from the report's format
// rules, independently of the code under test.
TEST(HeadReport, FullReportMatchesTheGoldenText)
{
    StringList lines;
    ReportHead().AppendInformation(lines);
    ExpectSameText(Joined(lines), ReadFileBytes(TestDataPath("head_report_full.txt")));
}

TEST(HeadReport, PrintReportMatchesTheGoldenText)
{
    StringList lines;
    ReportHead().AppendPrintInformation(lines, 360);
    ExpectSameText(Joined(lines), ReadFileBytes(TestDataPath("head_report_print.txt")));
}

namespace {

int CountStartingWith(const StringList& lines, const std::string& prefix)
{
    int count = 0;
    for (const std::string& line : lines)
        count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

} // namespace

TEST(HeadReport, VersionGates)
{
    struct Case {
        std::uint32_t version;
        int groups;
        int mark_jumps;
        int sky_map_lines;
        int extended_sections;
    };
    const Case cases[] = {
        { 219, 0, 0, 0, 0 }, { 220, 16, 4, 0, 0 }, { 299, 16, 4, 0, 0 },
        { 300, 16, 10, 1, 0 }, { 419, 16, 10, 1, 0 }, { 420, 16, 10, 1, 1 },
    };
    for (const Case& c : cases) {
        TZhdHead head;
        head.SetVersion(c.version);
        StringList full;
        head.AppendInformation(full);
        EXPECT_EQ(CountStartingWith(full, sj(u8"グループ：")), c.groups) << c.version;
        EXPECT_EQ(CountStartingWith(full, sj(u8"マークジャンプ")), c.mark_jumps) << c.version;
        EXPECT_EQ(CountStartingWith(full, sj(u8"天空図の条件")), c.sky_map_lines) << c.version;
        EXPECT_EQ(CountStartingWith(full, sj(u8"SXF対応拡張線色定義")), c.extended_sections) << c.version;
        EXPECT_EQ(full.back(), "") << c.version;
        StringList print;
        head.AppendPrintInformation(print, 0);
        EXPECT_EQ(CountStartingWith(print, sj(u8"SXF対応拡張線種定義")), c.extended_sections) << c.version;
        if (c.version < 220) {
            EXPECT_EQ(full.size(), 11u);
            EXPECT_EQ(print.size(), 8u);
        }
    }
}

TEST(HeadReport, NamesOutsideTheVocabularyAreEmpty)
{
    TZhdHead head;
    head.SetPaperSize(5);
    TZhdZoomF area = head.GetPrinterArea();
    area.SetCode(95);
    head.SetPrinterArea(area);
    head.Set25DUnit(0);
    StringList lines;
    head.AppendInformation(lines);
    EXPECT_EQ(lines[9], sj(u8"図面サイズ："));
    EXPECT_EQ(CountStartingWith(lines, sj(u8"プリンタ出力倍率：1.0000000000000000 プリンタ90ﾟ回転： 出力基点： 95")), 1);
    EXPECT_EQ(CountStartingWith(lines, sj(u8"2.5Dの計算単位(0以外はmm単位で計算)：0(ｍ)")), 1);
}

TEST(HeadReport, PrintedPenWidths)
{
    struct Case {
        int max_line_draw_width;
        int print_width;
        double dpi;
        std::string note;
    };
    const Case cases[] = {
        { -1, 35, 360, sj(u8" 出力幅：5dot") },
        { 0, 3, 360, sj(u8" 出力幅：0.211666666666667mm") },
        { 1, 3, 0, " " },
        { -1, 35, 1e300, sj(u8" 出力幅：2147483647dot") },
    };
    for (const Case& c : cases) {
        TZhdHead head;
        head.SetMaxLineDrawWidth(c.max_line_draw_width);
        TVect<TZhdPrtPen> pens = head.GetPrtPens();
        TZhdPrtPen pen = pens.Get(1);
        pen.SetWidth(c.print_width);
        pens.Set(1, pen);
        head.SetPrtPens(pens);
        StringList lines;
        head.AppendPrintInformation(lines, c.dpi);
        const std::string prefix = sj(u8"ペン 1 ");
        std::string line;
        for (const std::string& candidate : lines) {
            if (candidate.rfind(prefix, 0) == 0)
                line = candidate;
        }
        ASSERT_GE(line.size(), c.note.size());
        EXPECT_EQ(line.substr(line.size() - c.note.size()), c.note) << SjisToUtf8(line);
    }
}
