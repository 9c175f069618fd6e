#pragma once

// TZhdElem: the interface of the seven drawing element kinds, and the part
// they share: the attribute record (stored in the drawing file), the marks
// (never stored) and the element's number in its list.
//
// Element lists hold elements through shared pointers and reach every kind
// through this interface. Elements hold no pointer to their document: every
// operation that depends on the drawing (its file version above all) takes the
// document as an argument.
//
// Marks: bit 1 instruction element of the external-command text form, bit 2
// selected, bit 3 marked by the last selection (set and cleared with bit 2).
//
// An element is copied through its archive body: written into a stream and
// read back with the same document. A copy thus carries the attribute record
// and the class fields exactly as a drawing file would, but neither the marks
// nor the number; through a document of version 350 or lower the pen width
// does not survive (that record has no room for it).

#include "core/TextUtil.h"
#include "document/Forward.h"
#include "document/Status.h"
#include "elements/Forward.h"

#include <cstdint>
#include <string>

class TStream;

class TZhdElem {
public:
    // Type codes.
    static constexpr int LineCode = 1;
    static constexpr int CircleCode = 2;
    static constexpr int PointCode = 3;
    static constexpr int MojiCode = 4;
    static constexpr int SunpouCode = 5;
    static constexpr int SolidCode = 6;
    static constexpr int BlockCode = 7;

    // Mark bits.
    static constexpr int InstructionMark = 1;
    static constexpr int SelectedMark = 2;
    static constexpr int LastHitMark = 3;

    virtual ~TZhdElem() = default;

    TStatus GetStatus() const { return status_; }
    TStatus& GetStatusPtr() { return status_; }
    const TStatus& GetStatusPtr() const { return status_; }
    TStatus SetStatus(TStatus status) { return status_ = status; }
    TBitFlg GetElemFlg() const { return marks_; }
    TBitFlg& GetElemFlgPtr() { return marks_; }
    TBitFlg SetElemFlg(TBitFlg marks) { return marks_ = marks; }
    int GetNumber() const { return number_; }
    int SetNumber(int number) { return number_ = number; }
    TZhdElem& AsElem() { return *this; }
    // Attribute record, marks and number.
    TZhdElem& AssignElem(const TZhdElem& other);
    TZhdElem& SetElem(TStatus status, TBitFlg marks, int number);

    std::uint32_t GetPlGroup() const { return status_.GetPlGroup(); }
    std::uint32_t SetPlGroup(std::uint32_t value) { return status_.SetPlGroup(value); }
    std::uint8_t GetPenStyle() const { return status_.GetPenStyle(); }
    std::uint8_t SetPenStyle(std::uint8_t value) { return status_.SetPenStyle(value); }
    std::uint16_t GetPenColor() const { return status_.GetPenColor(); }
    std::uint16_t SetPenColor(std::uint16_t value) { return status_.SetPenColor(value); }
    std::uint16_t GetPenWidth() const { return status_.GetPenWidth(); }
    std::uint16_t SetPenWidth(std::uint16_t value) { return status_.SetPenWidth(value); }
    std::uint16_t GetLayer() const { return status_.GetLayer(); }
    std::uint16_t SetLayer(std::uint16_t value) { return status_.SetLayer(value); }
    std::uint16_t GetGLayer() const { return status_.GetGLayer(); }
    std::uint16_t SetGLayer(std::uint16_t value) { return status_.SetGLayer(value); }
    std::uint16_t GetGroupLayerCode() const { return status_.GetGroupLayerCode(); }
    TBitFlg GetStatusFlg() const { return status_.GetFlg(); }
    TBitFlg SetStatusFlg(TBitFlg flags) { return status_.SetFlg(flags); }

    // The seven classes are final: the type code names the exact class, and
    // the kind table (elements/ElemKind.h) gives the rest.
    virtual int GetTypeCode() const = 0;
    // "線", "円", ... as the kind is called in the program's texts.
    std::string GetTypeName() const;
    // The type name, except that a line adds the document's version.
    virtual std::string GetDisplayName(const TZhdData& document) const;
    // The class tag under which the element list stores the element.
    std::string GetArchiveClassName() const;

    // The archive body: the attribute record at the document's version, then
    // the class's own fields. A field the stream cannot deliver keeps its
    // value; the caller reads the stream's ran-short flag.
    virtual void ReadBody(TStream& stream, const TZhdData& document) = 0;
    virtual void WriteBody(TStream& stream, const TZhdData& document) const = 0;
    // The bytes WriteBody writes.
    virtual int GetBodySize(const TZhdData& document) const = 0;

    // The searchable texts: empty except for texts and dimensions.
    virtual std::string GetText(int index) const;

    // --- External-command text form (elements/*TextRecord.cpp, the common
    // frame in elements/TextRecordFrame.h). ---
    // Reads the element from its record at the document's line index, in the
    // document's running state GStatus; a dimension reads on over its block
    // and leaves the index on the last line it read.
    virtual void ReadTextRecord(const StringList& lines, TZhdData& document) = 0;
    // Appends the element's lines: attribute changes against GStatus, curve
    // group and flag lines, and the record.
    virtual void WriteTextRecord(StringList& lines, TZhdData& document) const = 0;

    // This element takes the other's attribute record and class fields
    // through its body; the scratch stream is rewound, not truncated. The
    // other element must be of this element's class.
    void CopyFromUsingStream(const TZhdElem& other, const TZhdData& document, TStream& scratch);
    void CopyFromSharedUsingStream(const TZhdElemPtr& other, const TZhdData& document, TStream& scratch);
    void CopyFrom(const TZhdElem& other, const TZhdData& document);
    void CopyFromShared(const TZhdElemPtr& other, const TZhdData& document);
    void CopyTo(TZhdElem& other, const TZhdData& document) const;
    void CopyToShared(const TZhdElemPtr& other, const TZhdData& document) const;

    // Frees what the element holds besides its fields (the images of a text);
    // 1 when there was something to free.
    virtual int Release();

protected:
    TZhdElem() = default;
    TZhdElem(const TZhdElem&) = default;
    // The kinds' own assignments copy the attribute record but keep the
    // target's marks and number.
    TZhdElem& operator=(const TZhdElem&) = default;
    void AssignStatusOnly(const TZhdElem& other) { status_ = other.status_; }

private:
    TStatus status_;
    TBitFlg marks_;
    int number_ = 0;
};
