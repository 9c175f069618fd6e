#include "document/KBlockDefine.h"

#include "core/Archive.h"
#include "document/RecordFields.h"
#include "document/ZhdData.h"

#include <string_view>
#include <utility>

namespace {

std::uint32_t next_number = 0;

constexpr std::string_view figure_origin_marker = "@@SfigorgFlag@@";
// The marker and one digit.
constexpr std::size_t figure_origin_length = figure_origin_marker.size() + 1;
constexpr int default_figure_origin = 4;

} // namespace

std::uint32_t TKBlockDefine::GetNextNumber()
{
    return next_number;
}

std::uint32_t TKBlockDefine::RaiseNextNumber(std::uint32_t n)
{
    if (n > next_number)
        next_number = n;
    return next_number;
}

std::uint32_t TKBlockDefine::AssignNewNumber()
{
    number_ = next_number;
    return ++next_number;
}

std::uint32_t TKBlockDefine::AssignCurrentNumber()
{
    return number_ = next_number;
}

std::string TKBlockDefine::SetName(std::string name)
{
    name_ = std::move(name);
    return name_;
}

TZhdElemList TKBlockDefine::SetElemList(TZhdElemList contents)
{
    contents_ = std::move(contents);
    return contents_;
}

TKBlockDefine& TKBlockDefine::Assign(const TKBlockDefine& other)
{
    if (this != &other)
        *this = other;
    return *this;
}

TKBlockDefine& TKBlockDefine::AssignValue(TKBlockDefine other)
{
    *this = std::move(other);
    return *this;
}

TListReadResult TKBlockDefine::ReadArchive(TStream& stream, TZhdData& document)
{
    const std::uint32_t version = document.GetVersion();
    document.GetClassTablePtr().ReadClassTag(stream, version);
    status_.Read(stream, version);
    ReadField(stream, number_);
    document.GetElemListPtr().RaiseMaxBlockNumber(number_);
    ReadField(stream, stored_value1_);
    ReadField(stream, stored_value2_);
    name_ = ReadArchiveString(stream);
    return contents_.ReadArchive(stream, document);
}

void TKBlockDefine::WriteArchive(TStream& stream, TZhdData& document) const
{
    const std::uint32_t version = document.GetVersion();
    document.GetClassTablePtr().WriteClassTag(stream, TDataType::BlockDefineClassName, static_cast<std::uint16_t>(version));
    status_.Write(stream, version);
    WriteField(stream, number_);
    WriteField(stream, stored_value1_);
    WriteField(stream, stored_value2_);
    WriteArchiveString(stream, name_);
    contents_.WriteArchive(stream, document);
    contents_.LogStatistics();
}

int TKBlockDefine::GetArchiveSize(const TZhdData& document) const
{
    return TStatus::GetRecordSize(document.GetVersion()) + ArchiveStringSize(name_) +
        contents_.GetArchiveSize(document) + 12;
}

std::uint64_t TKBlockDefine::SmallestRecordSize(std::uint32_t version)
{
    // A back-reference tag, the status, three words, an empty name and an
    // empty list's count.
    return 2 + static_cast<std::uint64_t>(TStatus::GetRecordSize(version)) + 12 + 1 + 2;
}

int TKBlockDefine::GetFigureOriginFlag() const
{
    if (name_.size() < figure_origin_length)
        return default_figure_origin;
    const std::string_view ending = std::string_view(name_).substr(name_.size() - figure_origin_length);
    if (!ending.starts_with(figure_origin_marker))
        return default_figure_origin;
    const char digit = ending.back();
    return digit >= '1' && digit <= '4' ? digit - '0' : default_figure_origin;
}
