#pragma once

// TKBlockDefine: one block definition: an attribute record, the number by
// which block references name it, two words kept from the file, a name and
// the contents as an element list. Copies share the contents' elements.
//
// The next-number counter is shared by every definition of the run; only
// RaiseNextNumber and AssignNewNumber change it.

#include "document/Status.h"
#include "document/ZhdElemList.h"

#include <cstdint>
#include <string>

class TKBlockDefine {
public:
    TKBlockDefine() = default;

    static std::uint32_t GetNextNumber();
    static std::uint32_t RaiseNextNumber(std::uint32_t n);
    // This definition takes the counter's value; the counter then advances.
    std::uint32_t AssignNewNumber();
    std::uint32_t AssignCurrentNumber();

    TStatus GetStatus() const { return status_; }
    TStatus SetStatus(TStatus status) { return status_ = status; }
    std::uint32_t GetNumber() const { return number_; }
    std::uint32_t SetNumber(std::uint32_t number) { return number_ = number; }
    std::uint32_t GetStoredValue1() const { return stored_value1_; }
    std::uint32_t SetStoredValue1(std::uint32_t value) { return stored_value1_ = value; }
    std::uint32_t GetStoredValue2() const { return stored_value2_; }
    std::uint32_t SetStoredValue2(std::uint32_t value) { return stored_value2_ = value; }
    std::string GetName() const { return name_; }
    std::string SetName(std::string name);
    TZhdElemList GetElemList() const { return contents_; }
    TZhdElemList SetElemList(TZhdElemList contents);
    // The contents themselves, for walks that must not copy the list.
    const TZhdElemList& GetElemListRef() const { return contents_; }
    TKBlockDefine& GetBlockDefinePtr() { return *this; }
    TKBlockDefine& Assign(const TKBlockDefine& other);
    TKBlockDefine& AssignValue(TKBlockDefine other);

    //   struct BlockDefinition {
    //       ClassTag tag;                "CDataList" (read, not checked)
    //       Status   status;             13 or 15 bytes by version
    //       u32      number, stored_value1, stored_value2;
    //       archive_string name;
    //       ElemList contents;
    //   };
    // Reading raises the highest block number of the document's element list
    // to this definition's number.
    TListReadResult ReadArchive(TStream& stream, TZhdData& document);
    void WriteArchive(TStream& stream, TZhdData& document) const;
    // The record's size without its class tag.
    int GetArchiveSize(const TZhdData& document) const;
    // The smallest record a definition can have at the version.
    static std::uint64_t SmallestRecordSize(std::uint32_t version);

    // 1 to 3 when the name ends in "@@SfigorgFlag@@1" to "...3", else 4.
    int GetFigureOriginFlag() const;

private:
    TStatus status_ { 0, 1, 1, 0, 0, 0, 0 };
    std::uint32_t number_ = 0;
    std::uint32_t stored_value1_ = 0;
    std::uint32_t stored_value2_ = 0;
    std::string name_;
    TZhdElemList contents_;
};
