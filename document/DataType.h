#pragma once

// TDataType: the class-tag numbering of one drawing file's archive.
//
// Every element and block-definition record begins with a class tag. The
// first record of a class spells the name out and the class takes the next
// number of the running counter; later records refer back to that number. Each
// tag that names a class also gives the object that follows a number of its
// own, so writer and reader count alike.
//
//   struct ClassTag {
//       u16 tag;
//       // 0xFFFF:          u16 schema (ignored), word_string name: new class
//       // 0x8000..0xFFFE:  back reference to class index tag & 0x7FFF
//       // 0x7FFF:          u32 value: back reference to index value & 0x7FFFFFFF
//       // 0 .. 0x7FFE:     no class (null or object reference): ends a list
//   };
//
// Index 0 in the name map means "not yet defined in this file" and never names
// a class, so a tag without a class cannot pick one up. Names longer than 255
// bytes are refused as no class. The look-up from index to name is a hash
// table, O(1) per tag.

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

class TStream;

class TDataType {
public:
    using NameMap = std::map<std::string, int>;

    // The class tag of a block definition; the element kinds' tags are in
    // the kind table (elements/ElemKind.h).
    static constexpr const char* BlockDefineClassName = "CDataList";
    // The longest class name a file may define.
    static constexpr std::size_t MaxClassNameLength = 255;

    // An empty table, then Reset.
    TDataType();

    NameMap GetMap() const { return names_; }
    NameMap SetMap(NameMap names);
    int GetCounter() const { return counter_; }
    int SetCounter(int counter) { return counter_ = counter; }

    TDataType& GetDataTypePtr() { return *this; }
    TDataType& Assign(const TDataType& other);
    TDataType& AssignValue(TDataType other);

    // Prepares the table for one file: only the eight known class names,
    // all undefined (index 0), and the counter at 0.
    void Reset();

    // The first name, in the map's order, that holds the index; "" for none
    // and for index 0.
    std::string NameOfIndex(int index) const;

    // Reads one tag and returns its class name, "" when it names no class.
    // The version is not used.
    std::string ReadClassTag(TStream& stream, std::uint32_t version);
    // Writes the tag for the name (its definition the first time, a back
    // reference afterwards); returns the name.
    std::string WriteClassTag(TStream& stream, const std::string& name, std::uint16_t schema);

    // One debug-log line per name, in the map's order.
    void LogTable() const;

private:
    // Gives the name the next number of the counter as its index.
    int DefineClass(const std::string& name);
    void SetIndex(const std::string& name, int index);
    void AdvanceCounter();
    void RebuildIndex();
    std::string ReadClassName(TStream& stream, bool& accepted);

    NameMap names_;
    int counter_ = 0;
    // Index -> the names holding it (index 0 left out).
    std::unordered_multimap<int, std::string> names_by_index_;
};
