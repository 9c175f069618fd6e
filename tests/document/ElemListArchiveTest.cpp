// The element list record in bytes, read and written; copies of lists.

#include "document/ZhdData.h"

#include "core/DebugLog.h"
#include "elements/KBlock.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "tests/elements/ElemTestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <sstream>

namespace {

ByteBuilder& AddLineBody(ByteBuilder& bytes, double x)
{
    return AddStatus(bytes, 420, StatusFields()).Point(x, 0.0).Point(x, 1.0);
}

ByteBuilder& AddNewClassTag(ByteBuilder& bytes, const std::string& name)
{
    return bytes.U16(0xFFFF).U16(420).U16(static_cast<std::uint16_t>(name.size())).Text(name);
}

// Three lines as the layout has them: one class definition, two back
// references to index 1.
ByteBuilder ThreeLines()
{
    ByteBuilder bytes;
    bytes.U16(3);
    AddNewClassTag(bytes, "CDataSen");
    AddLineBody(bytes, 1.0).U16(0x8001);
    AddLineBody(bytes, 2.0).U16(0x8001);
    return AddLineBody(bytes, 3.0);
}

} // namespace

TEST(ElemListArchive, ThreeLinesByteForByte)
{
    TZhdData document;
    document.GetClassTablePtr().Reset();
    TMemoryStream input = ThreeLines().Stream();
    TZhdElemList list;
    EXPECT_EQ(list.ReadArchive(input, document), TListReadResult::Complete);
    ASSERT_EQ(list.Size(), 3);
    EXPECT_EQ(list.CountOfKind("TKLine"), 3u);
    EXPECT_EQ(static_cast<const TKLine&>(*list.Back()).GetStart(), TBPoint(3.0, 0.0));
    const TDataType after_reading = document.GetClassTable();
    EXPECT_EQ(after_reading.GetCounter(), 4);

    document.GetClassTablePtr().Reset();
    TMemoryStream output;
    list.WriteArchive(output, document);
    EXPECT_EQ(BytesOf(output), ThreeLines().Bytes());
    EXPECT_EQ(document.GetClassTable().GetMap(), after_reading.GetMap());
    EXPECT_EQ(list.GetArchiveSize(document), 3 * 47);
}

TEST(ElemListArchive, EmptyList)
{
    TZhdData document;
    std::ostringstream log;
    RedirectDebugLog(&log);
    TZhdElemList list;
    TMemoryStream output;
    list.WriteArchive(output, document);
    EXPECT_EQ(list.GetArchiveSize(document), 0);
    TMemoryStream input(std::vector<std::uint8_t> { 0, 0 });
    EXPECT_EQ(list.ReadArchive(input, document), TListReadResult::Complete);
    RedirectDebugLog(nullptr);
    EXPECT_EQ(BytesOf(output), std::string(2, '\0'));
    EXPECT_EQ(list.Size(), 0);
    EXPECT_EQ(log.str(), "DataSize:0\nDataSize:0, DataCount:0\nDataSize:0\n");
}

TEST(ElemListArchive, UnknownClassEndsTheList)
{
    TZhdData document;
    document.GetClassTablePtr().Reset();
    ByteBuilder bytes;
    bytes.U16(3);
    AddNewClassTag(bytes, "CDataSen");
    AddLineBody(bytes, 1.0);
    AddNewClassTag(bytes, "CDataFoo");
    const std::size_t after_foreign_tag = bytes.Size();
    AddLineBody(bytes, 2.0);
    TMemoryStream input = bytes.Stream();
    TZhdElemList list;
    EXPECT_EQ(list.ReadArchive(input, document), TListReadResult::UnknownClass);
    EXPECT_EQ(list.Size(), 1);
    EXPECT_EQ(input.GetPosition(), after_foreign_tag);
    EXPECT_EQ(document.GetClassTable().GetMap().at("CDataFoo"), 3);
}

// A count is never trusted: the reader stops where the data ends, without a
// loop over the announced records or memory for them.
TEST(ElemListArchive, CountsBeyondTheData)
{
    TZhdData document;
    document.GetClassTablePtr().Reset();
    ByteBuilder bytes;
    bytes.U16(0xFFFF).U32(0xFFFFFFFF);
    AddNewClassTag(bytes, "CDataSen");
    AddLineBody(bytes, 1.0).U16(0x8001).U8(0);
    TMemoryStream input = bytes.Stream();
    TZhdElemList list;
    EXPECT_EQ(list.ReadArchive(input, document), TListReadResult::RanShort);
    EXPECT_EQ(list.Size(), 1);
    EXPECT_EQ(input.Remaining(), 0u);
}

TEST(ElemListArchive, BlockReferencesRaiseTheHighestBlockNumber)
{
    TZhdData document;
    TZhdElemList written;
    for (const int number : { 4, 11, 2 }) {
        auto block = boost::make_shared<TKBlock>();
        block->SetBlockNumber(number);
        written.Append(block);
    }
    document.GetClassTablePtr().Reset();
    TMemoryStream stream;
    written.WriteArchive(stream, document);
    stream.SetPosition(0);
    document.GetClassTablePtr().Reset();
    TZhdElemList read;
    read.ReadArchive(stream, document);
    EXPECT_EQ(read.GetMaxBlockNumber(), 11u);
}

TEST(ElemListArchive, CopyBySelectionMark)
{
    const TZhdData document;
    TZhdElemList source;
    for (const int selected : { 1, 0, 1 }) {
        auto line = boost::make_shared<TKLine>();
        line->SetNumber(static_cast<int>(source.Size()));
        line->SetEnd(TBPoint(static_cast<double>(source.Size()), 0.0));
        if (selected)
            line->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
        source.Append(line);
    }
    struct Case {
        int mark;
        std::vector<double> ends;
    };
    for (const Case& c : { Case { 1, { 0.0, 2.0 } }, { 0, { 1.0 } }, { 2, { 0.0, 1.0, 2.0 } } }) {
        TZhdElemList copy;
        EXPECT_EQ(copy.Copy(source, document, c.mark, 0), static_cast<int>(c.ends.size()));
        ASSERT_EQ(copy.Size(), static_cast<int>(c.ends.size()));
        for (int i = 0; i < copy.Size(); ++i) {
            const auto& line = static_cast<const TKLine&>(*copy.GetAt(i));
            EXPECT_EQ(line.GetEnd().GetX(), c.ends[i]);
            EXPECT_EQ(line.GetElemFlg().GetValue(), 0u);
            EXPECT_NE(copy.GetAt(i), source.GetAt(static_cast<int>(c.ends[i])));
        }
    }
    // Copying a list onto itself copies what it held before.
    EXPECT_EQ(source.Copy(source, document, 2, 0), 6);
    EXPECT_EQ(source.CountOfKind("TKLine"), 6u);
}

TEST(ElemListArchive, CopySharesImagesOnlyWhenAsked)
{
    const TZhdData document;
    auto text = boost::make_shared<TKMoji>();
    text->SetTextString("^@BMplan.bmp");
    const auto owner = boost::make_shared<int>(0);
    const TKMoji::RasterPtr raster(owner, reinterpret_cast<TRasterBase*>(owner.get()));
    text->AddRaster(raster);
    text->AddRaster(raster);
    TZhdElemList source;
    source.Append(text);

    std::ostringstream log;
    RedirectDebugLog(&log);
    TZhdElemList shared;
    shared.Copy(source, document, 2, 1);
    TZhdElemList plain;
    plain.Copy(source, document, 2, 0);
    RedirectDebugLog(nullptr);
    const auto& shared_text = static_cast<const TKMoji&>(*shared.Front());
    EXPECT_EQ(shared_text.GetRasterCount(), 2);
    EXPECT_EQ(shared_text.GetRasterAt(1), raster);
    EXPECT_EQ(static_cast<const TKMoji&>(*plain.Front()).GetRasterCount(), 0);
    EXPECT_EQ(log.str(), "TZhdElemList::Copy() plan.bmp 2\n");
}
