// The header lines of the text form: what each line sets, where the header
// ends, and the lines the writer gives for the values.

#include "document/InfoZHG.h"
#include "document/StatusZHG.h"
#include "document/TextForm.h"
#include "document/ZhdHead.h"
#include "platform/Errors.h"

#include "core/Constants.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct HeaderRead {
    TZhdHead head;
    TStatusZHG state;
    TInfoZHG info;

    HeaderRead& Read(const StringList& lines)
    {
        head.ReadZhcHeader(state, info, lines);
        return *this;
    }

    StringList Written() const
    {
        StringList lines;
        head.WriteZhcHeader(state, info, lines);
        return lines;
    }
};

bool Contains(const StringList& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

TEST(TextFormHeader, AngleAndFileName)
{
    HeaderRead header;
    header.Read({ "file=C:\\dwg\\plan a.zhd", "hk 90", "#" });
    EXPECT_EQ(header.head.GetFileName(), "C:\\dwg\\plan a.zhd");
    EXPECT_EQ(header.info.GetAngle().GetKind(), TAngle::KindRadians);
    EXPECT_DOUBLE_EQ(header.info.GetAngle().GetRadians(), Pi / 2);
    EXPECT_TRUE(Contains(header.Written(), "hk 90"));
}

TEST(TextFormHeader, GroupScalesAndTextKindsWrapAround)
{
    HeaderRead header;
    header.Read({ "hs 2 3", "#" });
    EXPECT_EQ(header.head.GetGroupScale(0), 2);
    EXPECT_EQ(header.head.GetGroupScale(1), 3);
    EXPECT_EQ(header.head.GetGroupScale(2), 1);

    // The seventeenth scale goes to group 0 again; the eleventh width to
    // kind 10 again; kind 0 is never touched.
    header.Read({ "hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17", "hcw 1 2 3 4 5 6 7 8 9 10 11",
                  "hcc 4 5", "hch 9", "hcd 0.5", "#" });
    EXPECT_EQ(header.head.GetGroupScale(0), 17);
    EXPECT_EQ(header.head.GetGroupScale(15), 16);
    const TVect<TZhdaMoji> kinds = header.head.GetTextKinds();
    EXPECT_EQ(kinds.Get(1).GetWidth(), 1);
    EXPECT_EQ(kinds.Get(10).GetWidth(), 11);
    EXPECT_EQ(kinds.Get(2).GetColor(), 5);
    EXPECT_EQ(kinds.Get(1).GetHeight(), 9);
    EXPECT_EQ(kinds.Get(1).GetSpacing(), 0.5);
    // Kind 0 is no kind of the header lines: it keeps its defaults whole.
    const TZhdaMoji kind_0 = TZhdHead().GetTextKinds().Get(0);
    EXPECT_EQ(kinds.Get(0).GetWidth(), kind_0.GetWidth());
    EXPECT_EQ(kinds.Get(0).GetHeight(), kind_0.GetHeight());
    EXPECT_EQ(kinds.Get(0).GetSpacing(), kind_0.GetSpacing());
    EXPECT_EQ(kinds.Get(0).GetColor(), kind_0.GetColor());
}

TEST(TextFormHeader, PointsAndSunShadow)
{
    HeaderRead header;
    header.Read({ "hn 1 2 3 4", "hzk 35.5 -20 1.5 1", "hpA 10 20", "#" });
    EXPECT_EQ(header.info.GetHnPoint1(), TBPoint(1.0, 2.0));
    EXPECT_EQ(header.info.GetHnPoint2(), TBPoint(3.0, 4.0));
    EXPECT_EQ(header.head.GetLatitude(), 35.5);
    EXPECT_EQ(header.info.GetDeclination(), -20);
    EXPECT_EQ(header.head.GetShadowSurfaceHeight(), 1.5);
    EXPECT_EQ(header.head.GetShadow9To15(), 1);
    ASSERT_EQ(header.info.GetPoints().Count(), 2);
    EXPECT_EQ(header.info.GetPointNames().Get(1), "hpA");
    EXPECT_EQ(header.info.GetPoints().Get(1), TBPoint(10.0, 20.0));

    const StringList written = header.Written();
    EXPECT_TRUE(Contains(written, "hpA 10 20"));
    EXPECT_FALSE(Contains(written, "GENTEN 0 0"));
    EXPECT_TRUE(Contains(written, "hn 1 2 3 4"));
    EXPECT_TRUE(Contains(written, "hzk 35.5 -20 1.5 1"));

    // Short lines read their missing numbers as 0.
    header.Read({ "hn 7", "hzk 30", "hp", "hk", "#" });
    EXPECT_EQ(header.info.GetHnPoint1(), TBPoint(7.0, 0.0));
    EXPECT_EQ(header.info.GetHnPoint2(), TBPoint(0.0, 0.0));
    EXPECT_EQ(header.info.GetDeclination(), 0);
    EXPECT_EQ(header.head.GetShadow9To15(), 0);
    EXPECT_EQ(header.info.GetPoints().Get(2), TBPoint(0.0, 0.0));
}

TEST(TextFormHeader, HashLineEndsTheHeader)
{
    HeaderRead header;
    header.Read({ "file=a.zhd", "hk 0", "#rest", "file=b.zhd" });
    EXPECT_EQ(header.info.GetHeaderLineCount(), 3);
    EXPECT_EQ(header.head.GetFileName(), "a.zhd");

    // At "#" the state loses its point colour and gives the header its text
    // settings.
    HeaderRead styled;
    styled.Read({ "cn0 2 3 0 1", "pn5", "#" });
    EXPECT_EQ(styled.state.GetTenColor(), 0);
    EXPECT_EQ(styled.head.GetFreeTextKind().GetHeight(), 3);
    EXPECT_EQ(styled.head.GetWriteTextKind(), 0);

    // Without "#" the line index keeps its value.
    HeaderRead open;
    open.info.SetHeaderLineCount(7);
    open.Read({ "hk 10" });
    EXPECT_EQ(open.info.GetHeaderLineCount(), 7);
}

TEST(TextFormHeader, StateGroupAndLayerBecomeTheWriteTarget)
{
    HeaderRead header;
    header.Read({ "lg2", "ly7", "#" });
    EXPECT_EQ(header.head.GetGroupState(2), 3);
    EXPECT_EQ(header.head.GetGroup(2).GetWriteLayer(), 7);
    EXPECT_EQ(header.head.GetLayerState(2, 7), 3);
    EXPECT_EQ(header.head.GetWriteGroup(), 0);
}

TEST(TextFormHeader, ConversionErrorNamesTheLineIndex)
{
    HeaderRead header;
    try {
        header.Read({ "hk 1", "hcc 1 x", "#" });
        FAIL() << "no error";
    } catch (const TLineConvertError& error) {
        EXPECT_EQ(error.GetLineIndex(), 1);
    }
}

TEST(TextFormHeader, ByLineOnlyForAScaleOtherThanOne)
{
    HeaderRead header;
    EXPECT_EQ(header.Written().front(), "hk 0");
    header.info.SetScale(0.5);
    EXPECT_EQ(header.Written().front(), "by 0.5");
}
