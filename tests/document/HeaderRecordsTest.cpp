#include "document/ZhdGrp.h"
#include "document/ZhdLType.h"
#include "document/ZhdMoji.h"
#include "document/ZhdPen.h"

#include "platform/LittleEndian.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <string>

TEST(HeaderRecords, PrintPenDefaultsAndPartialAssignment)
{
    const TZhdPrtPen pen;
    EXPECT_EQ(pen.GetColor(), 0xC0C0C0);
    EXPECT_EQ(pen.GetWidth(), 18);
    EXPECT_EQ(pen.GetPointRadius(), 0.18);
    EXPECT_EQ(pen.GetColorName(), "");
    EXPECT_EQ(TZhdPen().GetWidth(), 1);

    TZhdPrtPen source;
    source.SetAll(0x123456, 7, 0.5, "red");
    TZhdPrtPen target;
    target.AssignPrtPen(source);
    EXPECT_EQ(target.GetColor(), 0xC0C0C0);
    EXPECT_EQ(target.GetWidth(), 18);
    EXPECT_EQ(target.GetPointRadius(), 0.5);
    EXPECT_EQ(target.GetColorName(), "red");
    target.SetPrtPen(0.25, "blue");
    EXPECT_EQ(target.GetColor(), 0xC0C0C0);
    target.Assign(source);
    EXPECT_EQ(target.GetColor(), 0x123456);
    EXPECT_EQ(target.GetColorName(), "blue");
}

TEST(HeaderRecords, PrintPenRecords)
{
    TZhdPrtPen pen;
    pen.SetAll(0x010203, 35, 0.5, "AB");
    TMemoryStream plain;
    pen.Write(plain, 420);
    EXPECT_EQ(plain.GetSize(), 16u);
    TMemoryStream named;
    pen.WriteWithName(named, 420);
    EXPECT_EQ(named.GetSize(), 19u);
    EXPECT_EQ(named.Bytes()[0], 2);
    EXPECT_EQ(named.Bytes()[1], 'A');

    named.SetPosition(0);
    TZhdPrtPen back;
    back.ReadWithName(named, 420);
    EXPECT_EQ(back.GetColor(), 0x010203);
    EXPECT_EQ(back.GetWidth(), 35);
    EXPECT_EQ(back.GetPointRadius(), 0.5);
    EXPECT_EQ(back.GetColorName(), "AB");
}

TEST(HeaderRecords, LineTypeFormsReadTheirOwnFields)
{
    TMemoryStream stream;
    for (std::uint32_t value : { 0xF0F0F0F0u, 2u, 3u, 4u, 5u })
        WriteU32(stream, value);

    TZhdLType random;
    stream.SetPosition(0);
    random.Read(stream, 420, TZhdLType::RandomLineForm);
    EXPECT_EQ(stream.GetPosition(), 20u);
    EXPECT_EQ(random.GetPattern(), static_cast<int>(0xF0F0F0F0u));
    EXPECT_EQ(random.GetAmplitude(), 2);
    EXPECT_EQ(random.GetPitch(), 3);
    EXPECT_EQ(random.GetPrintAmplitude(), 4);
    EXPECT_EQ(random.GetPrintPitch(), 5);
    EXPECT_EQ(random.GetDots(), 32);

    for (int form : { 1, 3 }) {
        TZhdLType plain;
        plain.SetAmplitude(9);
        stream.SetPosition(0);
        plain.Read(stream, 420, form);
        EXPECT_EQ(stream.GetPosition(), 16u);
        EXPECT_EQ(plain.GetDots(), 2);
        EXPECT_EQ(plain.GetPitch(), 3);
        EXPECT_EQ(plain.GetPrintPitch(), 4);
        EXPECT_EQ(plain.GetAmplitude(), 9);
        EXPECT_EQ(plain.GetPrintAmplitude(), 0);
    }

    TMemoryStream written;
    random.Write(written, 420, TZhdLType::RandomLineForm);
    EXPECT_EQ(written.Bytes(), stream.Bytes());
}

TEST(HeaderRecords, LineParameterRecordAndPitchIndexes)
{
    TMemoryStream stream;
    TZhdLParameter().Write(stream, 420);
    EXPECT_EQ(stream.Bytes(), std::vector<std::uint8_t>(85, 0));

    TZhdLParameter parameter;
    parameter.SetLParameter("dash", 12, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 });
    EXPECT_EQ(parameter.GetPitch(-3), 4);
    EXPECT_EQ(parameter.GetPitch(10), 10);
    EXPECT_EQ(parameter.SetPitch(99, 0.5), 0.5);
    EXPECT_EQ(parameter.GetPitch(9), 0.5);

    TMemoryStream written;
    parameter.Write(written, 420);
    EXPECT_EQ(written.GetSize(), 89u);
    written.SetPosition(0);
    TZhdLParameter back;
    back.Read(written, 420);
    EXPECT_EQ(back.GetName(), "dash");
    EXPECT_EQ(back.GetSegmentCount(), 12);
    EXPECT_EQ(back.GetPitches(), parameter.GetPitches());
}

TEST(HeaderRecords, GroupNumbersAlwaysCarrySixteenLayers)
{
    TZhdGrp group;
    group.SetGrp(3, 5, 200.0, 1, "walls", TVect<TZhdLay>());
    TZhdLay named;
    named.SetLay(1, 2, "doors");
    TVect<TZhdLay> three;
    for (int i = 0; i < 3; ++i)
        three.Append(named);
    group.SetLayers(three);

    // A shortened table still writes the full record, layers past its end
    // repeated from the last one as the index rule reads them.
    TMemoryStream stream;
    group.WriteNumbers(stream, 420);
    EXPECT_EQ(stream.GetSize(), 148u);

    stream.SetPosition(0);
    TZhdGrp back;
    back.SetLayer(4, named);
    back.ReadNumbers(stream, 420);
    EXPECT_EQ(back.GetState(), 3);
    EXPECT_EQ(back.GetWriteLayer(), 5);
    EXPECT_EQ(back.GetScale(), 200.0);
    EXPECT_EQ(back.GetProtect(), 1);
    EXPECT_EQ(back.GetName(), "");
    ASSERT_EQ(back.GetLayers().Count(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(back.GetLayer(i).GetState(), 1);
        EXPECT_EQ(back.GetLayer(i).GetProtect(), 2);
        EXPECT_EQ(back.GetLayer(i).GetName(), "");
    }
}

TEST(HeaderRecords, CutOffRecordsKeepTheirDefaults)
{
    TMemoryStream stream(std::vector<std::uint8_t>(12, 0));
    TZhdaMoji kind;
    kind.Read(stream, 420);
    EXPECT_TRUE(stream.RanShort());
    EXPECT_EQ(kind.GetWidth(), 0.0);
    EXPECT_EQ(kind.GetHeight(), 1.0);
    EXPECT_EQ(kind.GetSpacing(), 0.0);
    EXPECT_EQ(kind.GetColor(), 1);
}
