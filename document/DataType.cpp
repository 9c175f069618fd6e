#include "document/DataType.h"

#include "core/Archive.h"
#include "core/DebugLog.h"
#include "elements/ElemKind.h"
#include "platform/LittleEndian.h"
#include "platform/Numbers.h"

#include <utility>

namespace {


constexpr std::uint16_t null_tag = 0;
constexpr std::uint16_t new_class_tag = 0xFFFF;
constexpr std::uint16_t large_index_tag = 0x7FFF;
constexpr std::uint16_t class_reference_bit = 0x8000;
constexpr std::uint32_t large_class_reference_bit = 0x80000000u;
constexpr int largest_short_index = 0x7FFE;

} // namespace

TDataType::TDataType()
{
    Reset();
}

TDataType::NameMap TDataType::SetMap(NameMap names)
{
    names_ = std::move(names);
    RebuildIndex();
    return names_;
}

TDataType& TDataType::Assign(const TDataType& other)
{
    *this = other;
    return *this;
}

TDataType& TDataType::AssignValue(TDataType other)
{
    *this = std::move(other);
    return *this;
}

void TDataType::Reset()
{
    // Clearing everything (not only the known names) keeps a class that an
    // earlier file defined from answering a back reference in this one.
    names_.clear();
    names_by_index_.clear();
    for (const TElemKind& kind : ElemKinds)
        names_.emplace(kind.archive_class_name, 0);
    names_.emplace(BlockDefineClassName, 0);
    counter_ = 0;
}

std::string TDataType::NameOfIndex(int index) const
{
    if (index == 0)
        return {};
    const auto [first, last] = names_by_index_.equal_range(index);
    const std::string* found = nullptr;
    for (auto it = first; it != last; ++it) {
        if (found == nullptr || it->second < *found)
            found = &it->second;
    }
    return found != nullptr ? *found : std::string();
}

std::string TDataType::ReadClassTag(TStream& stream, std::uint32_t)
{
    const std::uint16_t tag = ReadU16(stream);
    int index = 0;
    if (tag == null_tag) {
        WriteDebugLog(StringPrintf("break:0x%llx", static_cast<unsigned long long>(stream.GetPosition())));
    } else if (tag == new_class_tag) {
        ReadU16(stream); // the schema number: every version reads alike
        bool accepted = false;
        const std::string name = ReadClassName(stream, accepted);
        if (!accepted)
            return {};
        index = DefineClass(name);
    } else if (tag == large_index_tag) {
        index = static_cast<int>(ReadU32(stream) & ~large_class_reference_bit);
    } else if (tag & class_reference_bit) {
        index = tag & ~class_reference_bit;
    }
    // Any other tag is an object reference of the archive scheme, no class.
    std::string name = NameOfIndex(index);
    if (!name.empty())
        AdvanceCounter(); // the object that follows takes a number
    return name;
}

std::string TDataType::WriteClassTag(TStream& stream, const std::string& name, std::uint16_t schema)
{
    const int index = names_.try_emplace(name, 0).first->second;
    if (index <= 0) {
        WriteU16(stream, new_class_tag);
        WriteU16(stream, schema);
        WriteWordString(stream, name);
        DefineClass(name);
    } else if (index <= largest_short_index) {
        WriteU16(stream, static_cast<std::uint16_t>(class_reference_bit | index));
    } else {
        WriteU16(stream, large_index_tag);
        WriteU32(stream, large_class_reference_bit | static_cast<std::uint32_t>(index));
    }
    if (!name.empty())
        AdvanceCounter();
    return name;
}

void TDataType::LogTable() const
{
    for (const auto& [name, index] : names_)
        WriteDebugLog(StringPrintf("DataType:%s %d", name.c_str(), index));
}

int TDataType::DefineClass(const std::string& name)
{
    AdvanceCounter();
    SetIndex(name, counter_);
    return counter_;
}

void TDataType::SetIndex(const std::string& name, int index)
{
    auto [entry, added] = names_.try_emplace(name, 0);
    if (!added && entry->second != 0) {
        const auto [first, last] = names_by_index_.equal_range(entry->second);
        for (auto it = first; it != last; ++it) {
            if (it->second == name) {
                names_by_index_.erase(it);
                break;
            }
        }
    }
    entry->second = index;
    if (index != 0)
        names_by_index_.emplace(index, name);
}

void TDataType::AdvanceCounter()
{
    // Wraps instead of overflowing; no real file comes near 2^31 objects.
    counter_ = static_cast<int>(static_cast<std::uint32_t>(counter_) + 1u);
}

void TDataType::RebuildIndex()
{
    names_by_index_.clear();
    for (const auto& [name, index] : names_) {
        if (index != 0)
            names_by_index_.emplace(index, name);
    }
}

// struct ClassName { u16 length; [u32 length when the u16 is 0xFFFF]; u8 bytes[length]; }
// The name ends at its first zero byte. A cut-off name or one longer than
// MaxClassNameLength is not accepted; a long one is skipped whole.
std::string TDataType::ReadClassName(TStream& stream, bool& accepted)
{
    accepted = false;
    std::uint16_t short_length = 0;
    if (!stream.ReadExact(&short_length, sizeof short_length))
        return {};
    std::uint32_t length = short_length;
    if (short_length == 0xFFFF && !stream.ReadExact(&length, sizeof length))
        return {};
    if (length > stream.Remaining()) {
        stream.MarkRanShort();
        return {};
    }
    if (length > MaxClassNameLength) {
        stream.SetPosition(stream.GetPosition() + length);
        return {};
    }
    std::string name(length, '\0');
    stream.ReadExact(name.data(), length);
    const std::size_t zero = name.find('\0');
    if (zero != std::string::npos)
        name.resize(zero);
    accepted = true;
    return name;
}
