#include "document/DataType.h"

#include "core/DebugLog.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Bytes(const TMemoryStream& stream)
{
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

TMemoryStream StreamOf(const std::string& bytes)
{
    return TMemoryStream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

const std::string line_then_arc = std::string("\xFF\xFF\xA4\x01\x08\x00", 6) + "CDataSen" + "\x01\x80"
    + std::string("\xFF\xFF\xA4\x01\x09\x00", 6) + "CDataEnko";

} // namespace

TEST(DataType, WritesDefinitionsThenBackReferences)
{
    TDataType table;
    TMemoryStream stream;
    table.WriteClassTag(stream, "CDataSen", 420);
    table.WriteClassTag(stream, "CDataSen", 420);
    table.WriteClassTag(stream, "CDataEnko", 420);
    EXPECT_EQ(Bytes(stream), line_then_arc);
    EXPECT_EQ(table.GetMap().at("CDataSen"), 1);
    EXPECT_EQ(table.GetMap().at("CDataEnko"), 4);
    EXPECT_EQ(table.GetCounter(), 5);
}

TEST(DataType, ReadsWhatTheWriterWrote)
{
    TDataType table;
    TMemoryStream stream = StreamOf(line_then_arc);
    EXPECT_EQ(table.ReadClassTag(stream, 420), "CDataSen");
    EXPECT_EQ(table.ReadClassTag(stream, 420), "CDataSen");
    EXPECT_EQ(table.ReadClassTag(stream, 420), "CDataEnko");
    EXPECT_EQ(table.GetMap().at("CDataSen"), 1);
    EXPECT_EQ(table.GetMap().at("CDataEnko"), 4);
    EXPECT_EQ(table.GetCounter(), 5);
    EXPECT_FALSE(stream.RanShort());
}

TEST(DataType, LargeIndexesUseTheEscape)
{
    struct Case {
        int index;
        std::string bytes;
    };
    const Case cases[] = {
        { 0x7FFE, std::string("\xFE\xFF", 2) },
        { 0x7FFF, std::string("\xFF\x7F\xFF\x7F\x00\x80", 6) },
        { 0x123456, std::string("\xFF\x7F\x56\x34\x12\x80", 6) },
    };
    for (const Case& c : cases) {
        TDataType table;
        table.SetMap({ { "CDataTen", c.index } });
        TMemoryStream stream;
        table.WriteClassTag(stream, "CDataTen", 420);
        EXPECT_EQ(Bytes(stream), c.bytes) << c.index;
        stream.SetPosition(0);
        EXPECT_EQ(table.ReadClassTag(stream, 420), "CDataTen") << c.index;
    }
}

TEST(DataType, TagsWithoutAClassGiveNoName)
{
    // Null objects, object references, and references to undefined or
    // unknown indexes all end a list, even while known names are undefined.
    const std::string tags[] = {
        std::string("\x00\x00", 2),
        std::string("\x01\x00", 2),
        std::string("\xFE\x7F", 2),
        std::string("\x00\x80", 2),
        std::string("\x05\x80", 2),
        std::string("\xFF\x7F\x00\x00\x00\x80", 6),
        std::string("\xFF\x7F", 2),
        std::string("\xFF\xFF\xA4\x01\x08\x00" "CDa", 9),
        std::string(),
    };
    for (const std::string& tag : tags) {
        TDataType table;
        TMemoryStream stream = StreamOf(tag);
        EXPECT_EQ(table.ReadClassTag(stream, 420), "") << tag.size();
        EXPECT_EQ(table.GetCounter(), 0) << tag.size();
        EXPECT_EQ(table.GetMap().size(), 8u);
    }
}

TEST(DataType, RefusesOverlongClassNamesAndSkipsThem)
{
    const std::string long_name(256, 'C');
    const std::string bytes = std::string("\xFF\xFF\xA4\x01\x00\x01", 6) + long_name + std::string("\x00\x00", 2);
    TDataType table;
    TMemoryStream stream = StreamOf(bytes);
    EXPECT_EQ(table.ReadClassTag(stream, 420), "");
    EXPECT_EQ(stream.GetPosition(), 6u + 256u);
    EXPECT_EQ(table.GetMap().count(long_name), 0u);
    EXPECT_FALSE(stream.RanShort());

    // A length that claims more than the stream holds is never allocated.
    TMemoryStream huge = StreamOf(std::string("\xFF\xFF\xA4\x01\xFF\xFF\xFF\xFF\xFF\x7F", 10));
    EXPECT_EQ(table.ReadClassTag(huge, 420), "");
    EXPECT_TRUE(huge.RanShort());

    // 255 bytes is still a name.
    const std::string longest(255, 'D');
    TMemoryStream fits = StreamOf(std::string("\xFF\xFF\xA4\x01\xFF\x00", 6) + longest);
    EXPECT_EQ(table.ReadClassTag(fits, 420), longest);
}

TEST(DataType, RedefinitionTakesANewIndex)
{
    const std::string bytes = std::string("\xFF\xFF\x00\x00\x08\x00", 6) + "CDataSen"
        + std::string("\xFF\xFF\x00\x00\x08\x00", 6) + "CDataSen" + "\x01\x80" + "\x03\x80";
    TDataType table;
    TMemoryStream stream = StreamOf(bytes);
    EXPECT_EQ(table.ReadClassTag(stream, 420), "CDataSen");
    EXPECT_EQ(table.ReadClassTag(stream, 420), "CDataSen");
    EXPECT_EQ(table.GetMap().at("CDataSen"), 3);
    EXPECT_EQ(table.NameOfIndex(1), "");
    EXPECT_EQ(table.ReadClassTag(stream, 420), "");
    EXPECT_EQ(table.ReadClassTag(stream, 420), "CDataSen");
}

TEST(DataType, ResetForgetsClassesOfAnEarlierFile)
{
    const std::string bytes = std::string("\xFF\xFF\x00\x00\x05\x00", 6) + "CFoo1" + "\x01\x80";
    TDataType table;
    TMemoryStream first = StreamOf(bytes);
    EXPECT_EQ(table.ReadClassTag(first, 420), "CFoo1");

    table.Reset();
    EXPECT_EQ(table.GetMap().size(), 8u);
    EXPECT_EQ(table.GetCounter(), 0);
    TMemoryStream second = StreamOf(std::string("\x01\x80", 2));
    EXPECT_EQ(table.ReadClassTag(second, 420), "");
}

TEST(DataType, NameOfIndexTakesTheFirstNameInOrder)
{
    TDataType table;
    table.SetMap({ { "B", 7 }, { "A", 7 }, { "C", 2 } });
    EXPECT_EQ(table.NameOfIndex(7), "A");
    EXPECT_EQ(table.NameOfIndex(2), "C");
    EXPECT_EQ(table.NameOfIndex(3), "");
    EXPECT_EQ(table.NameOfIndex(0), "");

    // Copies carry map, counter and the index look-up.
    table.SetCounter(9);
    TDataType copy;
    copy.Assign(table);
    EXPECT_EQ(copy.NameOfIndex(7), "A");
    EXPECT_EQ(copy.GetCounter(), 9);
}

TEST(DataType, LogsBreaksAndTheTable)
{
    std::ostringstream log;
    RedirectDebugLog(&log);
    TDataType table;
    table.LogTable();
    TMemoryStream stream = StreamOf(std::string("\x00\x00\x00\x00", 4));
    stream.SetPosition(2);
    table.ReadClassTag(stream, 420);
    RedirectDebugLog(nullptr);
    EXPECT_EQ(log.str(),
              "DataType:CDataBlock 0\n"
              "DataType:CDataEnko 0\n"
              "DataType:CDataList 0\n"
              "DataType:CDataMoji 0\n"
              "DataType:CDataSen 0\n"
              "DataType:CDataSolid 0\n"
              "DataType:CDataSunpou 0\n"
              "DataType:CDataTen 0\n"
              "break:0x4\n");
}
