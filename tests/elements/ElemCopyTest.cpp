// Type codes and names, the factories, copies through the body and the
// kinds' own copy rules.

#include "elements/ElemFactory.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "core/DebugLog.h"
#include "platform/ShiftJis.h"
#include "tests/elements/ElemTestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <sstream>

namespace {

struct KindRow {
    int type_code;
    const char* archive_class_name;
    const char8_t* type_name;
};

constexpr KindRow kinds[] = {
    { 1, "CDataSen", u8"線" },       { 2, "CDataEnko", u8"円" },     { 3, "CDataTen", u8"点" },
    { 4, "CDataMoji", u8"文字" },    { 5, "CDataSunpou", u8"寸法" }, { 6, "CDataSolid", u8"ソリッド" },
    { 7, "CDataBlock", u8"ブロック" },
};

// Images are opaque to the element; any object can stand in for one.
TKMoji::RasterPtr StandInRaster()
{
    const auto owner = boost::make_shared<int>(0);
    return TKMoji::RasterPtr(owner, reinterpret_cast<TRasterBase*>(owner.get()));
}

} // namespace

TEST(ElemKinds, CodesNamesAndFactories)
{
    const TZhdData document = DocumentOfVersion(420);
    for (const KindRow& row : kinds) {
        SCOPED_TRACE(row.archive_class_name);
        const TZhdElemPtr by_name = CreateElemByClassName(row.archive_class_name);
        const TZhdElemPtr by_code = CreateElemByTypeCode(row.type_code);
        ASSERT_TRUE(by_name && by_code);
        EXPECT_EQ(by_name->GetTypeCode(), row.type_code);
        EXPECT_EQ(by_code->GetArchiveClassName(), row.archive_class_name);
        EXPECT_EQ(by_code->GetTypeName(), sj(row.type_name));
        const std::string display = row.type_code == 1 ? sj(u8"線 ") + "420" : sj(row.type_name);
        EXPECT_EQ(by_code->GetDisplayName(document), display);
        EXPECT_EQ(by_code->GetText(0), "");
    }
    for (const char* name : { "", "CDataList", "TKLine", "cdatasen" })
        EXPECT_FALSE(CreateElemByClassName(name)) << name;
    for (const int code : { 0, 8, -1 })
        EXPECT_FALSE(CreateElemByTypeCode(code)) << code;
}

TEST(ElemKinds, NewElementsHoldTheirDefaults)
{
    const TKCircle circle;
    EXPECT_EQ(circle.GetFlatness(), 1.0);
    EXPECT_EQ(circle.GetFullCircle(), 1);
    EXPECT_EQ(circle.GetPenStyle(), 1);
    EXPECT_EQ(circle.GetPenColor(), 1);
    const TKMoji text;
    EXPECT_EQ(text.GetKind(), 1);
    EXPECT_EQ(text.GetSize().GetWidth(), 1.0);
    EXPECT_EQ(text.GetSize().GetColor(), 1);
    const TKBlock block;
    EXPECT_EQ(block.GetScaleX(), 0.0);
    const TKSunpou dimension;
    EXPECT_EQ(dimension.GetMoji().GetKind(), 1);
    EXPECT_EQ(dimension.GetSXF().GetMode(), 0);
}

// A copy through the body carries the attribute record and the fields, never
// the marks or the number; a version-300 document has no room for the width.
TEST(ElemCopy, ThroughTheBody)
{
    for (const std::uint32_t version : { 300u, 420u }) {
        const TZhdData document = DocumentOfVersion(version);
        auto source = boost::make_shared<TKLine>();
        source->SetLine(TBPoint(1.0, 2.0), TBPoint(3.0, 4.0));
        source->SetPenWidth(7);
        source->SetLayer(3);
        source->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
        source->SetNumber(12);

        TKLine copy;
        TMemoryStream scratch;
        scratch.Write("left over bytes from an earlier copy", 36);
        copy.CopyFromSharedUsingStream(source, document, scratch);
        EXPECT_EQ(copy.GetEnd(), TBPoint(3.0, 4.0));
        EXPECT_EQ(copy.GetLayer(), 3);
        EXPECT_EQ(copy.GetPenWidth(), version >= 351 ? 7 : 0);
        EXPECT_EQ(copy.GetElemFlg().GetValue(), 0u);
        EXPECT_EQ(copy.GetNumber(), 0);

        TKLine other;
        source->CopyTo(other, document);
        EXPECT_EQ(other.GetStart(), TBPoint(1.0, 2.0));
    }
}

TEST(ElemCopy, AssignmentKeepsTheTargetsMarksAndNumber)
{
    TKLine source;
    source.SetLine(TBPoint(1.0, 1.0), TBPoint(2.0, 2.0));
    source.SetPenColor(5);
    TKLine target;
    target.GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    target.SetNumber(4);
    target = source;
    EXPECT_EQ(target.GetEnd(), TBPoint(2.0, 2.0));
    EXPECT_EQ(target.GetPenColor(), 5);
    EXPECT_EQ(target.GetNumber(), 4);
    EXPECT_EQ(target.GetElemFlg().IsSet(TZhdElem::SelectedMark), 1);

    // AssignLine takes the points only.
    TKLine points_only;
    points_only.AssignLine(source);
    EXPECT_EQ(points_only.GetPenColor(), 1);
}

TEST(ElemText, ImagesAreNeverCopiedWithTheText)
{
    TKMoji text;
    text.SetTextString("^@BMplan.bmp,10");
    text.AddRaster(StandInRaster());
    text.AddRaster(StandInRaster());

    const TKMoji copy(text);
    EXPECT_EQ(copy.GetRasterCount(), 0);
    EXPECT_EQ(copy.GetTextString(), text.GetTextString());
    TKMoji assigned;
    assigned.AddRaster(StandInRaster());
    assigned = text;
    EXPECT_EQ(assigned.GetRasterCount(), 1);

    EXPECT_EQ(text.GetRasterAt(-5), text.GetRaster());
    EXPECT_EQ(text.GetRasterAt(9), text.GetRasters().back());
    EXPECT_FALSE(TKMoji().GetRasterAt(0));
    TKMoji nothing;
    nothing.RemoveLastRaster();
    EXPECT_EQ(nothing.GetRasterCount(), 0);
}

TEST(ElemText, SearchableTextsAndRelease)
{
    TKMoji text;
    text.SetFontName("Gothic");
    for (const auto& [stored, image] : { std::pair { "^@BMdoor.bmp,5", "door.bmp,5" }, { "^$BMx", "x" },
                                        { "^BMx", "" }, { "^@BM", "" }, { "plain", "" } }) {
        text.SetTextString(stored);
        EXPECT_EQ(text.GetText(0), stored);
        EXPECT_EQ(text.GetText(TKMoji::FontNameText), "Gothic");
        EXPECT_EQ(text.GetText(TKMoji::ImageSpecText), image);
        EXPECT_EQ(text.HasImageSpec(), !std::string(image).empty()) << stored;
        // A dimension answers with its text's texts.
        TKSunpou dimension;
        dimension.SetMoji(text);
        for (int index : { 0, TKMoji::FontNameText, TKMoji::ImageSpecText, 7 })
            EXPECT_EQ(dimension.GetText(index), text.GetText(index)) << stored << " " << index;
    }

    std::ostringstream log;
    RedirectDebugLog(&log);
    EXPECT_EQ(text.Release(), 0);
    text.AddRaster(StandInRaster());
    EXPECT_EQ(text.Release(), 1);
    RedirectDebugLog(nullptr);
    EXPECT_EQ(text.GetRasterCount(), 0);
    EXPECT_EQ(log.str(), "RasterRelease:plain\n");
    EXPECT_EQ(TKLine().Release(), 0);
}
