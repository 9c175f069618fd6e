// Block definitions: their record, their look-ups in the document and the
// guard of walks into their contents.

#include "document/BlockExpansion.h"
#include "document/KBlockDefine.h"
#include "document/ZhdData.h"

#include "elements/KLine.h"
#include "tests/elements/ElemTestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

namespace {

TKBlockDefine Define(std::uint32_t number, const std::string& name)
{
    TKBlockDefine define;
    define.SetNumber(number);
    define.SetName(name);
    return define;
}

} // namespace

TEST(BlockDefine, Defaults)
{
    const TKBlockDefine define;
    EXPECT_EQ(define.GetNumber(), 0u);
    EXPECT_EQ(define.GetName(), "");
    EXPECT_EQ(define.GetElemList().Size(), 0);
    EXPECT_EQ(define.GetStatus().GetPenStyle(), 1);
    EXPECT_EQ(define.GetFigureOriginFlag(), 4);
}

TEST(BlockDefine, FigureOriginFlag)
{
    for (const auto& [name, flag] : { std::pair { "door@@SfigorgFlag@@2", 2 }, { "@@SfigorgFlag@@1", 1 },
                                      { "@@SfigorgFlag@@3x", 4 }, { "abc", 4 }, { "@@SfigorgFlag@@4", 4 },
                                      { "x@@SfigorgFlag@@3", 3 }, { "@@SfigorgFlag@@5", 4 } })
        EXPECT_EQ(Define(0, name).GetFigureOriginFlag(), flag) << name;
}

TEST(BlockDefine, RecordByteForByte)
{
    TZhdData document;
    document.GetClassTablePtr().Reset();
    TKBlockDefine define = Define(5, "AB");
    define.SetStoredValue1(0x11223344);
    define.SetStoredValue2(0xFFFFFFFF);
    TMemoryStream output;
    define.WriteArchive(output, document);

    ByteBuilder expected;
    expected.U16(0xFFFF).U16(420).U16(9).Text("CDataList");
    StatusFields status;
    status = { 0, 1, 1, 0, 0, 0, 0 };
    AddStatus(expected, 420, status).U32(5).U32(0x11223344).U32(0xFFFFFFFF).U8(2).Text("AB").U16(0);
    EXPECT_EQ(BytesOf(output), expected.Bytes());
    EXPECT_EQ(define.GetArchiveSize(document), 30);

    document.GetClassTablePtr().Reset();
    output.SetPosition(0);
    TKBlockDefine read;
    EXPECT_EQ(read.ReadArchive(output, document), TListReadResult::Complete);
    EXPECT_EQ(read.GetNumber(), 5u);
    EXPECT_EQ(read.GetStoredValue2(), 0xFFFFFFFFu);
    EXPECT_EQ(read.GetName(), "AB");
    EXPECT_EQ(document.GetElemListPtr().GetMaxBlockNumber(), 5u);
}

TEST(BlockDefine, CopiesShareTheirElements)
{
    TKBlockDefine define;
    TZhdElemList contents;
    contents.Append(boost::make_shared<TKLine>());
    define.SetElemList(contents);
    const TKBlockDefine copy = define;
    EXPECT_EQ(copy.GetElemList().Front(), define.GetElemList().Front());
}

TEST(BlockDefineLookup, ByNumber)
{
    TZhdData document;
    // No definitions at all: a default definition, never an invalid access.
    EXPECT_EQ(document.GetBlockDefine(3).GetNumber(), 0u);
    EXPECT_EQ(document.FindBlockDefine(3), nullptr);

    document.AppendBlockDefine(Define(7, "first"));
    document.AppendBlockDefine(Define(3, "second"));
    document.AppendBlockDefine(Define(3, "third"));
    EXPECT_EQ(document.GetBlockDefine(3).GetName(), "second");
    EXPECT_EQ(document.GetBlockDefine(99).GetName(), "first");
    EXPECT_EQ(document.GetBlockNameByNumber(3), "second");
    EXPECT_EQ(document.GetBlockNameByNumber(99), "");

    // The index follows every change of the definitions.
    TSList<TKBlockDefine> replaced;
    replaced.Append(Define(3, "replaced"));
    document.SetBlockDefines(replaced);
    EXPECT_EQ(document.GetBlockDefine(3).GetName(), "replaced");
    document.ClearBlockDefines();
    EXPECT_EQ(document.GetBlockNameByNumber(3), "");
}

TEST(BlockDefineLookup, ByNameCreatesMissingDefinitions)
{
    TZhdData document;
    EXPECT_EQ(document.GetBlockNumberByName("door"), 0u);
    EXPECT_EQ(document.GetBlockNumberByName("window"), 1u);
    EXPECT_EQ(document.GetBlockNumberByName("door"), 0u);
    EXPECT_EQ(document.GetBlockDefinesPtr().Count(), 2);
    const TKBlockDefine created = document.GetBlockDefineByName("stair");
    EXPECT_EQ(created.GetNumber(), 2u);
    EXPECT_EQ(created.GetName(), "stair");
    EXPECT_EQ(created.GetElemList().Size(), 0);
    EXPECT_EQ(document.GetBlockDefinesPtr().Count(), 3);

    document.AppendBlockDefine(Define(9, "door"));
    EXPECT_EQ(document.GetBlockNumberByName("door"), 0u);
}

// Self-reference, a ring and deep nesting all stop at the guard.
TEST(BlockExpansion, GuardsEveryWalk)
{
    const TZhdData document;
    {
        TBlockExpansion outer(document, 1);
        ASSERT_TRUE(outer.Entered());
        TBlockExpansion self(document, 1);
        EXPECT_FALSE(self.Entered());
        TBlockExpansion inner(document, 2);
        ASSERT_TRUE(inner.Entered());
        TBlockExpansion ring(document, 1);
        EXPECT_FALSE(ring.Entered());
    }
    // Leaving releases the numbers.
    TBlockExpansion again(document, 1);
    EXPECT_TRUE(again.Entered());

    std::vector<std::unique_ptr<TBlockExpansion>> chain;
    for (std::uint32_t number = 100; number < 200; ++number)
        chain.push_back(std::make_unique<TBlockExpansion>(document, number));
    int entered = 0;
    for (const auto& level : chain)
        entered += level->Entered() ? 1 : 0;
    EXPECT_EQ(entered, TBlockExpansion::MaxDepth - 1);
}
