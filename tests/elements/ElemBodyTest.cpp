// Element bodies read from bytes laid out by hand, written back byte for
// byte, and sized as written.

#include "elements/ElemFactory.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "platform/LittleEndian.h"
#include "platform/ShiftJis.h"
#include "tests/elements/ElemTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Reads the bytes into a new element of the class, checks that the body used
// them all, then that writing and sizing give the same bytes back.
template <typename Elem>
Elem ReadBack(const ByteBuilder& bytes, const TZhdData& document)
{
    Elem elem;
    TMemoryStream input = bytes.Stream();
    elem.ReadBody(input, document);
    EXPECT_FALSE(input.RanShort());
    EXPECT_EQ(input.GetPosition(), bytes.Size());
    TMemoryStream output;
    elem.WriteBody(output, document);
    EXPECT_EQ(BytesOf(output), bytes.Bytes());
    EXPECT_EQ(elem.GetBodySize(document), static_cast<int>(bytes.Size()));
    return elem;
}

void ExpectStatus(const TZhdElem& elem, std::uint32_t version, const StatusFields& expected)
{
    EXPECT_EQ(elem.GetPlGroup(), expected.pl_group);
    EXPECT_EQ(elem.GetPenStyle(), expected.pen_style);
    EXPECT_EQ(elem.GetPenColor(), expected.pen_color);
    EXPECT_EQ(elem.GetPenWidth(), version >= 351 ? expected.pen_width : 0);
    EXPECT_EQ(elem.GetLayer(), expected.layer);
    EXPECT_EQ(elem.GetGLayer(), expected.g_layer);
    EXPECT_EQ(elem.GetStatusFlg().GetValue(), expected.flags);
}

ByteBuilder TextBody(std::uint32_t version, const StatusFields& status)
{
    ByteBuilder bytes;
    AddStatus(bytes, version, status)
        .Point(1.5, 2.5)
        .Point(11.5, 2.5)
        .U32(30003) // kind 3, italic and bold
        .F64(2.0)
        .F64(3.0)
        .F64(0.5)
        .F64(30.0) // degrees
        .ShortString("Font")
        .ShortString(sj(u8"文字AB"));
    return bytes;
}

} // namespace

class ElemBody : public testing::TestWithParam<std::uint32_t> {
protected:
    std::uint32_t Version() const { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Versions, ElemBody, testing::Values(300u, 350u, 351u, 419u, 420u));

TEST_P(ElemBody, Line)
{
    const TZhdData document = DocumentOfVersion(Version());
    const StatusFields status;
    ByteBuilder bytes;
    AddStatus(bytes, Version(), status).Point(1.0, -2.0).Point(3.5, 4.25);
    const auto line = ReadBack<TKLine>(bytes, document);
    ExpectStatus(line, Version(), status);
    EXPECT_EQ(line.GetStart(), TBPoint(1.0, -2.0));
    EXPECT_EQ(line.GetEnd(), TBPoint(3.5, 4.25));
    EXPECT_EQ(line.GetBodySize(document), TStatus::GetRecordSize(Version()) + 32);
}

TEST_P(ElemBody, Circle)
{
    const TZhdData document = DocumentOfVersion(Version());
    const StatusFields status;
    ByteBuilder bytes;
    AddStatus(bytes, Version(), status).Point(5.0, 6.0).F64(2.5).F64(0.25).F64(1.5).F64(0.75).F64(0.5).U32(0);
    const auto circle = ReadBack<TKCircle>(bytes, document);
    ExpectStatus(circle, Version(), status);
    EXPECT_EQ(circle.GetCenter(), TBPoint(5.0, 6.0));
    EXPECT_EQ(circle.GetRadius(), 2.5);
    EXPECT_EQ(circle.GetStartAngle().GetRadians(), 0.25);
    EXPECT_EQ(circle.GetArcAngle().GetRadians(), 1.5);
    EXPECT_EQ(circle.GetTiltAngle().GetRadians(), 0.75);
    EXPECT_EQ(circle.GetFlatness(), 0.5);
    EXPECT_EQ(circle.GetFullCircle(), 0);
    EXPECT_EQ(circle.GetBodySize(document), TStatus::GetRecordSize(Version()) + 60);
}

TEST_P(ElemBody, PointCarriesMarkerFieldsOnlyForLineType100)
{
    const TZhdData document = DocumentOfVersion(Version());
    StatusFields plain_status;
    ByteBuilder plain_bytes;
    AddStatus(plain_bytes, Version(), plain_status).Point(1.0, 2.0).U32(1);
    const auto plain = ReadBack<TKPoint>(plain_bytes, document);
    EXPECT_EQ(plain.GetPos(), TBPoint(1.0, 2.0));
    EXPECT_EQ(plain.GetTemporary(), 1);
    EXPECT_EQ(plain.GetBodySize(document), TStatus::GetRecordSize(Version()) + 20);

    StatusFields marker_status;
    marker_status.pen_style = 100;
    ByteBuilder marker_bytes;
    AddStatus(marker_bytes, Version(), marker_status).Point(1.0, 2.0).U32(0).I32(-7).F64(0.5).F64(2.0);
    const auto marker = ReadBack<TKPoint>(marker_bytes, document);
    EXPECT_TRUE(marker.IsMarker());
    EXPECT_EQ(marker.GetMarkerCode(), -7);
    EXPECT_EQ(marker.GetMarkerAngle().GetRadians(), 0.5);
    EXPECT_EQ(marker.GetMarkerScale(), 2.0);
    EXPECT_EQ(marker.GetBodySize(document), TStatus::GetRecordSize(Version()) + 40);
}

TEST_P(ElemBody, Text)
{
    const TZhdData document = DocumentOfVersion(Version());
    const StatusFields status;
    const auto text = ReadBack<TKMoji>(TextBody(Version(), status), document);
    ExpectStatus(text, Version(), status);
    EXPECT_EQ(text.GetStart(), TBPoint(1.5, 2.5));
    EXPECT_EQ(text.GetStart().GetTag(), 3);
    EXPECT_EQ(text.GetEnd(), TBPoint(11.5, 2.5));
    EXPECT_EQ(text.GetKind(), 3);
    EXPECT_EQ(text.GetSize().GetWidth(), 2.0);
    EXPECT_EQ(text.GetSize().GetHeight(), 3.0);
    EXPECT_EQ(text.GetSize().GetSpacing(), 0.5);
    // The size's colour number is not stored: a new text keeps 1.
    EXPECT_EQ(text.GetSize().GetColor(), 1);
    EXPECT_EQ(text.GetAngle().GetKind(), TAngle::KindDegrees);
    EXPECT_EQ(text.GetAngle().GetDegrees(), 30.0);
    EXPECT_EQ(text.GetFontName(), "Font");
    EXPECT_EQ(text.GetTextString(), sj(u8"文字AB"));
    EXPECT_EQ(text.GetBodySize(document), TStatus::GetRecordSize(Version()) + 68 + 5 + 7);
}

TEST_P(ElemBody, SolidCarriesItsColourOnlyWithPenColour10)
{
    const TZhdData document = DocumentOfVersion(Version());
    const int record = TStatus::GetRecordSize(Version());
    for (const std::uint16_t pen_color : std::initializer_list<std::uint16_t> { 3, 10 }) {
        StatusFields status;
        status.pen_color = pen_color;
        ByteBuilder bytes;
        AddStatus(bytes, Version(), status).Point(0, 0).Point(1, 0).Point(1, 1).Point(0, 1);
        if (pen_color == 10)
            bytes.U32(0x00FF8040);
        const auto solid = ReadBack<TKSolid>(bytes, document);
        EXPECT_EQ(solid.GetPoint3(), TBPoint(1.0, 1.0));
        EXPECT_EQ(solid.GetColor(), pen_color == 10 ? 0x00FF8040 : 0);
        EXPECT_EQ(solid.GetBodySize(document), record + (pen_color == 10 ? 68 : 64));
    }
}

TEST_P(ElemBody, Block)
{
    const TZhdData document = DocumentOfVersion(Version());
    const StatusFields status;
    ByteBuilder bytes;
    AddStatus(bytes, Version(), status).Point(100.0, 50.0).F64(2.0).F64(0.0).F64(1.25).U32(9);
    const auto block = ReadBack<TKBlock>(bytes, document);
    EXPECT_EQ(block.GetPos(), TBPoint(100.0, 50.0));
    EXPECT_EQ(block.GetScaleX(), 2.0);
    EXPECT_EQ(block.GetScaleY(), 0.0);
    EXPECT_EQ(block.GetAngle().GetRadians(), 1.25);
    EXPECT_EQ(block.GetBlockNumber(), 9);
    EXPECT_EQ(block.GetBodySize(document), TStatus::GetRecordSize(Version()) + 44);
}

// The dimension nests whole bodies of its parts; from version 420 the
// extended part follows.
TEST_P(ElemBody, Dimension)
{
    const TZhdData document = DocumentOfVersion(Version());
    StatusFields own;
    own.layer = 9;
    StatusFields part;
    part.pen_color = 4;
    ByteBuilder bytes;
    AddStatus(bytes, Version(), own);
    AddStatus(bytes, Version(), part).Point(0.0, 0.0).Point(10.0, 0.0);
    bytes.Append(TextBody(Version(), part));
    if (Version() >= 420) {
        bytes.I16(-2);
        AddStatus(bytes, Version(), part).Point(0.0, -1.0).Point(0.0, -5.0);
        AddStatus(bytes, Version(), part).Point(10.0, -1.0).Point(10.0, -5.0);
        StatusFields marker = part;
        marker.pen_style = 100;
        AddStatus(bytes, Version(), marker).Point(0.0, 0.0).U32(0).I32(1).F64(0.0).F64(1.0);
        for (int i = 0; i < 3; ++i)
            AddStatus(bytes, Version(), part).Point(i, i).U32(0);
    }
    const auto dimension = ReadBack<TKSunpou>(bytes, document);
    EXPECT_EQ(dimension.GetLayer(), 9);
    EXPECT_EQ(dimension.GetLine().GetPenColor(), 4);
    EXPECT_EQ(dimension.GetLine().GetEnd(), TBPoint(10.0, 0.0));
    EXPECT_EQ(dimension.GetMoji().GetTextString(), sj(u8"文字AB"));
    EXPECT_EQ(dimension.GetText(0), sj(u8"文字AB"));
    EXPECT_EQ(dimension.GetText(TKMoji::FontNameText), "Font");
    const TSXFSunpou sxf = dimension.GetSXF();
    if (Version() >= 420) {
        EXPECT_EQ(sxf.GetMode(), -2);
        EXPECT_EQ(sxf.GetLine2().GetStart(), TBPoint(10.0, -1.0));
        EXPECT_EQ(sxf.GetPoint1().GetMarkerCode(), 1);
        EXPECT_EQ(sxf.GetPoint4().GetPos(), TBPoint(2.0, 2.0));
    } else {
        EXPECT_EQ(sxf.GetMode(), 0);
        EXPECT_EQ(sxf.GetLine2().GetStart(), TBPoint());
    }
}

// Where the data ends inside a body, the fields it could not deliver keep
// their defaults and the stream says it ran short.
TEST(ElemBodyShort, MissingFieldsKeepTheirDefaults)
{
    const TZhdData document = DocumentOfVersion(420);
    ByteBuilder bytes;
    AddStatus(bytes, 420, StatusFields()).Point(5.0, 6.0).F64(2.5).F64(0.25).U32(0xFFFFFFFF); // cut inside the arc angle
    TMemoryStream input = bytes.Stream();
    TKCircle circle;
    circle.ReadBody(input, document);
    EXPECT_TRUE(input.RanShort());
    EXPECT_EQ(circle.GetRadius(), 2.5);
    EXPECT_EQ(circle.GetStartAngle().GetRadians(), 0.25);
    EXPECT_EQ(circle.GetArcAngle().GetRadians(), 0.0);
    EXPECT_EQ(circle.GetFlatness(), 1.0);
    EXPECT_EQ(circle.GetFullCircle(), 1);

    // A text whose string length claims more than the data holds reads empty.
    ByteBuilder text_bytes = TextBody(420, StatusFields());
    std::string cut = text_bytes.Bytes().substr(0, text_bytes.Size() - 3);
    TMemoryStream text_input(std::vector<std::uint8_t>(cut.begin(), cut.end()));
    TKMoji text;
    text.ReadBody(text_input, document);
    EXPECT_TRUE(text_input.RanShort());
    EXPECT_EQ(text.GetFontName(), "Font");
    EXPECT_EQ(text.GetTextString(), "");
}

TEST(ElemBodyText, KindWordKeepsOnlyItalicAndBold)
{
    const TZhdData document = DocumentOfVersion(420);
    ByteBuilder bytes;
    AddStatus(bytes, 420, StatusFields()).Point(0, 0).Point(0, 0).U32(40003).F64(1).F64(1).F64(0).F64(0);
    bytes.ShortString("").ShortString("");
    TMemoryStream input = bytes.Stream();
    TKMoji text;
    text.ReadBody(input, document);
    EXPECT_EQ(text.GetStart().GetTag(), 4);
    EXPECT_EQ(text.GetKind(), 3);
    TMemoryStream output;
    text.WriteBody(output, document);
    output.SetPosition(15 + 32);
    EXPECT_EQ(ReadU32(output), 3u);
}

// Extended parts that read as the default and parts that do not come back
// alike; changing one dimension's part leaves another's alone.
TEST(ElemBodySunpou, DefaultAndChangedExtendedParts)
{
    const TZhdData document = DocumentOfVersion(420);
    TKSunpou plain;
    TMemoryStream plain_body;
    plain.WriteBody(plain_body, document);
    TKSunpou read;
    plain_body.SetPosition(0);
    read.ReadBody(plain_body, document);
    TMemoryStream again;
    read.WriteBody(again, document);
    EXPECT_EQ(BytesOf(again), BytesOf(plain_body));

    TSXFSunpou part = read.GetSXF();
    part.SetMode(3);
    TKSunpou changed = read;
    changed.SetSXF(part);
    EXPECT_EQ(changed.GetSXF().GetMode(), 3);
    EXPECT_EQ(read.GetSXF().GetMode(), 0);
    TMemoryStream changed_body;
    changed.WriteBody(changed_body, document);
    changed_body.SetPosition(0);
    read.ReadBody(changed_body, document);
    EXPECT_EQ(read.GetSXF().GetMode(), 3);
}
