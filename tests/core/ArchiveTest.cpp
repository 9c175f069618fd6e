#include "core/Archive.h"
#include "platform/LittleEndian.h"

#include <gtest/gtest.h>

TEST(Archive, StringFormsByLength)
{
    struct Case {
        std::size_t length;
        std::size_t written;
    };
    const Case cases[] = { { 0, 1 }, { 254, 255 }, { 255, 258 }, { 65534, 65537 }, { 65535, 65542 } };
    for (const auto& c : cases) {
        const std::string text(c.length, 'x');
        TMemoryStream stream;
        WriteArchiveString(stream, text);
        EXPECT_EQ(stream.GetSize(), c.written) << c.length;
        EXPECT_EQ(ArchiveStringSize(text), static_cast<int>(c.written));
        stream.SetPosition(0);
        EXPECT_EQ(ReadArchiveString(stream), text);
        EXPECT_FALSE(stream.RanShort());
        EXPECT_EQ(stream.Remaining(), 0u);
    }
}

TEST(Archive, ReaderAcceptsAnyFormAndStopsAtZero)
{
    TMemoryStream stream({ 0xFF, 0x05, 0x00, 'h', 'e', 'l', 'l', 'o', 0x03, 'a', 0x00, 'b', 0x02, 0x00, 'o', 'k' });
    EXPECT_EQ(ReadArchiveString(stream), "hello");
    EXPECT_EQ(ReadArchiveString(stream), "a");
    EXPECT_EQ(ReadWordString(stream), "ok");
    EXPECT_FALSE(stream.RanShort());
}

TEST(Archive, WordStringsAndCounts)
{
    TMemoryStream stream;
    WriteWordString(stream, "CDataSen");
    EXPECT_EQ(stream.GetSize(), 10u);
    WriteArchiveCount(stream, 65534);
    EXPECT_EQ(stream.GetSize(), 12u);
    WriteArchiveCount(stream, 65535);
    EXPECT_EQ(stream.GetSize(), 18u);
    WriteArchiveCount(stream, 0xFFFFFFFF);
    stream.SetPosition(0);
    EXPECT_EQ(ReadWordString(stream), "CDataSen");
    EXPECT_EQ(ReadArchiveCount(stream), 65534u);
    EXPECT_EQ(ReadArchiveCount(stream), 65535u);
    EXPECT_EQ(ReadArchiveCount(stream), 0xFFFFFFFFu);
    EXPECT_FALSE(stream.RanShort());
}

TEST(Archive, LengthsBeyondTheDataAreRefused)
{
    // Each claims more bytes than remain: nothing is allocated or read.
    const std::vector<std::vector<std::uint8_t>> inputs = {
        { 0x05, 'a', 'b' },
        { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a' },
        { 0xFF, 0x10 },
        {},
    };
    for (const auto& bytes : inputs) {
        TMemoryStream stream(bytes);
        EXPECT_EQ(ReadArchiveString(stream), "");
        EXPECT_TRUE(stream.RanShort());
        EXPECT_EQ(stream.Remaining(), 0u);
    }
    TMemoryStream word({ 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80 });
    EXPECT_EQ(ReadWordString(word), "");
    EXPECT_TRUE(word.RanShort());
    TMemoryStream count({ 0xFF, 0xFF, 0x01 });
    EXPECT_EQ(ReadArchiveCount(count), 1u) << "the missing bytes read as zero";
    EXPECT_TRUE(count.RanShort());
}
