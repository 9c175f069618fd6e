// The element list in the drawing file, and copies of lists made through the
// same bodies.
//
//   struct ElemList {
//       archive_count n;
//       struct { ClassTag tag; Body body; } records[n];
//   };
//
// The count is never trusted: records are read while the data lasts, and a
// record is begun only when at least a class tag and an attribute record
// remain, so a count read from the middle of a hostile file costs no more
// than the bytes behind it. Each record yields one element of at most a few
// hundred bytes from at least 15 bytes of input, so memory stays a small
// multiple of the file's size. The class tags continue the document's table,
// so that the block definitions' lists after the main list go on numbering
// from where it ended.

#include "document/ZhdElemList.h"

#include "core/Archive.h"
#include "core/DebugLog.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "elements/ElemFactory.h"
#include "elements/KBlock.h"
#include "elements/KMoji.h"
#include "elements/ZhdElem.h"
#include "platform/Stream.h"

#include <algorithm>
#include <limits>

namespace {

// The shortest class tag (a back reference) and the attribute record.
std::uint64_t SmallestRecordSize(std::uint32_t version)
{
    return 2 + static_cast<std::uint64_t>(TStatus::GetRecordSize(version));
}

void ShareImages(const TZhdElem& source, TZhdElem& copy)
{
    const auto& source_text = static_cast<const TKMoji&>(source);
    const std::string image_spec = source_text.GetText(TKMoji::ImageSpecText);
    if (image_spec.empty() || source_text.GetRasterCount() == 0)
        return;
    WriteDebugLog(StringPrintf("TZhdElemList::Copy() %s %d", image_spec.c_str(), source_text.GetRasterCount()));
    auto& copied_text = static_cast<TKMoji&>(copy);
    copied_text.ClearRasters();
    for (const TKMoji::RasterPtr& raster : source_text.GetRasters())
        copied_text.AddRaster(raster);
}

} // namespace

TListReadResult TZhdElemList::ReadArchive(TStream& stream, TZhdData& document)
{
    const std::uint32_t version = document.GetVersion();
    TDataType& class_table = document.GetClassTablePtr();
    const std::uint32_t count = ReadArchiveCount(stream);
    WriteDebugLog("DataSize:" + std::to_string(count));
    // Room for the records announced, as far as the data can hold them.
    const std::uint64_t smallest_record = SmallestRecordSize(version);
    items_.reserve(items_.size() + std::min<std::uint64_t>(count, stream.Remaining() / smallest_record));
    for (std::uint32_t i = 0; i < count; ++i) {
        if (stream.Remaining() < smallest_record) {
            stream.MarkRanShort();
            break;
        }
        TZhdElemPtr elem = CreateElemByClassName(class_table.ReadClassTag(stream, version));
        if (!elem)
            return stream.RanShort() ? TListReadResult::RanShort : TListReadResult::UnknownClass;
        elem->ReadBody(stream, document);
        if (elem->GetTypeCode() == TZhdElem::BlockCode)
            RaiseMaxBlockNumber(static_cast<std::uint32_t>(static_cast<const TKBlock&>(*elem).GetBlockNumber()));
        Append(std::move(elem));
    }
    return stream.RanShort() ? TListReadResult::RanShort : TListReadResult::Complete;
}

void TZhdElemList::WriteArchive(TStream& stream, TZhdData& document) const
{
    const std::uint32_t version = document.GetVersion();
    TDataType& class_table = document.GetClassTablePtr();
    WriteArchiveCount(stream, static_cast<std::uint32_t>(items_.size()));
    WriteDebugLog("DataSize:" + std::to_string(items_.size()));
    // The schema number is the version's low 16 bits, as the tag has room for.
    const auto schema = static_cast<std::uint16_t>(version);
    for (const TZhdElemPtr& elem : items_) {
        class_table.WriteClassTag(stream, elem->GetArchiveClassName(), schema);
        elem->WriteBody(stream, document);
    }
}

int TZhdElemList::GetArchiveSize(const TZhdData& document) const
{
    std::int64_t size = 0;
    for (const TZhdElemPtr& elem : items_)
        size += elem->GetBodySize(document);
    WriteDebugLog(StringPrintf("DataSize:%lld, DataCount:%zu", static_cast<long long>(size), items_.size()));
    return static_cast<int>(std::min<std::int64_t>(size, std::numeric_limits<int>::max()));
}

int TZhdElemList::Copy(const TZhdElemList& source, const TZhdData& document, int mark, int share_images)
{
    TMemoryStream scratch;
    // Only the elements the source holds now: the source may be this list.
    const std::size_t count = source.items_.size();
    items_.reserve(items_.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        const TZhdElemPtr original = source.items_[i];
        const int selected = original->GetElemFlg().IsSet(TZhdElem::SelectedMark);
        if (mark != 2 && mark != selected)
            continue;
        TZhdElemPtr copy = CreateElemByTypeCode(original->GetTypeCode());
        if (!copy)
            continue;
        copy->CopyFromSharedUsingStream(original, document, scratch);
        if (share_images != 0 && copy->GetTypeCode() == TZhdElem::MojiCode)
            ShareImages(*original, *copy);
        Append(std::move(copy));
    }
    return Size();
}
