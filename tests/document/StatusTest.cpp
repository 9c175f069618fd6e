#include "document/Status.h"

#include "core/DebugLog.h"
#include "document/ZhdPen.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string Bytes(const TMemoryStream& stream)
{
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

} // namespace

TEST(Status, RecordLayoutByVersion)
{
    const TStatus status(0x04030201, 5, 0x0706, 0x0908, 0x0B0A, 0x0D0C, 0x8001);

    TMemoryStream old_form;
    status.Write(old_form, 350);
    EXPECT_EQ(Bytes(old_form), std::string("\x01\x02\x03\x04\x05\x06\x07\x0A\x0B\x0C\x0D\x01\x80", 13));
    EXPECT_EQ(TStatus::GetRecordSize(350), 13);

    TMemoryStream new_form;
    status.Write(new_form, 351);
    EXPECT_EQ(Bytes(new_form), std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x01\x80", 15));
    EXPECT_EQ(TStatus::GetRecordSize(351), 15);

    // An old record has no width: reading it clears the width it held.
    TStatus read_back;
    read_back.SetPenWidth(44);
    old_form.SetPosition(0);
    read_back.Read(old_form, 350);
    EXPECT_EQ(read_back.GetPenWidth(), 0);
    EXPECT_EQ(read_back.GetGLayer(), 0x0D0C);
    EXPECT_FALSE(old_form.RanShort());

    new_form.SetPosition(0);
    read_back.Read(new_form, 351);
    EXPECT_EQ(read_back.GetPenWidth(), 0x0908);
    EXPECT_EQ(read_back.GetFlg().GetValue(), 0x8001u);
}

TEST(Status, ReadingKeepsHighFlagBitsAndMissingFields)
{
    TStatus status;
    TBitFlg flags;
    flags.SetBit(16);
    status.SetFlg(flags);
    TMemoryStream stream(std::vector<std::uint8_t> { 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0x01, 0x80 });
    status.Read(stream, 300);
    EXPECT_EQ(status.GetFlg().GetValue(), 0x18001u);

    // Cut inside the colour: the colour and everything after keep their values.
    TStatus cut(7, 3, 9, 4, 5, 6, 0x11);
    TMemoryStream short_stream(std::vector<std::uint8_t> { 2, 0, 0, 0, 8, 0x55 });
    cut.Read(short_stream, 420);
    EXPECT_TRUE(short_stream.RanShort());
    EXPECT_EQ(cut.GetPlGroup(), 2u);
    EXPECT_EQ(cut.GetPenStyle(), 8);
    EXPECT_EQ(cut.GetPenColor(), 9);
    EXPECT_EQ(cut.GetPenWidth(), 4);
    EXPECT_EQ(cut.GetFlg().GetValue(), 0x11u);
}

TEST(Status, GroupLayerCodeAndCurveGroupCounter)
{
    TStatus status;
    status.SetGLayer(2);
    status.SetLayer(5);
    EXPECT_EQ(status.GetGroupLayerCode(), 0x25);

    // The counter is shared by the whole run, so count from where it stands.
    const std::uint32_t start = TStatus::GetMaxPlGroup();
    TStatus first, second, third;
    EXPECT_EQ(first.NewPlGroup(), start + 1);
    EXPECT_EQ(second.NewPlGroup(), start + 2);
    EXPECT_EQ(third.TakeMaxPlGroup(), start + 2);
    EXPECT_EQ(third.GetPlGroup(), start + 2);
    EXPECT_EQ(TStatus::GetMaxPlGroup(), start + 2);
    EXPECT_EQ(TStatus::RaiseMaxPlGroup(start + 1), start + 2);
    EXPECT_EQ(TStatus::RaiseMaxPlGroup(start + 10), start + 10);
}

TEST(Status, EffectivePenWidth)
{
    std::map<std::string, TZhdPrtPen> print_pens;
    print_pens["4"].SetWidth(25);

    TStatus status;
    status.SetPenWidth(3);
    EXPECT_EQ(status.GetEffectivePenWidth(print_pens), 3);
    EXPECT_EQ(print_pens.size(), 1u);

    status.SetPenWidth(0);
    status.SetPenColor(4);
    EXPECT_EQ(status.GetEffectivePenWidth(print_pens), 25);

    status.SetPenColor(120);
    EXPECT_EQ(status.GetEffectivePenWidth(print_pens), 18);
    EXPECT_EQ(print_pens.size(), 2u);
    EXPECT_EQ(print_pens.count("120"), 1u);
}

TEST(Status, DumpToLog)
{
    std::ostringstream log;
    RedirectDebugLog(&log);
    TStatus status;
    status.SetGLayer(15);
    status.SetLayer(10);
    status.DumpToLog();
    RedirectDebugLog(nullptr);
    EXPECT_EQ(log.str(), "PLG 0, f-a, style 1, color 1, width 0, flg 0\n");
}
