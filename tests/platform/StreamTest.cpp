#include "platform/Errors.h"
#include "platform/LittleEndian.h"
#include "platform/Stream.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

TEST(MemoryStream, ReadAtTheEndDeliversFewerAndSetsTheStickyFlag)
{
    TMemoryStream stream({ 1, 2, 3 });
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 2), 2u);
    EXPECT_FALSE(stream.RanShort());
    EXPECT_EQ(stream.Remaining(), 1u);
    EXPECT_EQ(stream.Read(buffer, 5), 1u);
    EXPECT_TRUE(stream.RanShort());
    EXPECT_EQ(stream.Remaining(), 0u);
    stream.SetPosition(0);
    EXPECT_EQ(stream.Read(buffer, 1), 1u);
    EXPECT_TRUE(stream.RanShort()) << "the flag stays set until cleared";
    stream.ClearRanShort();
    EXPECT_FALSE(stream.RanShort());
}

TEST(MemoryStream, FieldsReadPastTheEndAreZero)
{
    TMemoryStream stream({ 0x01, 0x02, 0x03 });
    EXPECT_EQ(ReadU16(stream), 0x0201);
    EXPECT_EQ(ReadU32(stream), 0x00000003u);
    EXPECT_TRUE(stream.RanShort());
    EXPECT_EQ(ReadF64(stream), 0.0);
}

TEST(MemoryStream, WritesGrowAndOverwrite)
{
    TMemoryStream stream;
    WriteU32(stream, 0x04030201);
    WriteF64(stream, 1.5);
    EXPECT_EQ(stream.GetSize(), 12u);
    stream.SetPosition(1);
    WriteU8(stream, 0xAA);
    EXPECT_EQ(stream.GetSize(), 12u);
    stream.SetPosition(0);
    EXPECT_EQ(ReadU32(stream), 0x0403AA01u);
    EXPECT_EQ(ReadF64(stream), 1.5);
    stream.SetPosition(20);
    WriteU8(stream, 7);
    EXPECT_EQ(stream.GetSize(), 21u) << "writing past the end zero-fills the gap";
    EXPECT_EQ(stream.Bytes()[15], 0);
}

TEST(MemoryStream, MarkRanShortMovesToTheEnd)
{
    TMemoryStream stream({ 1, 2, 3, 4 });
    stream.MarkRanShort();
    EXPECT_TRUE(stream.RanShort());
    EXPECT_EQ(stream.Remaining(), 0u);
}
