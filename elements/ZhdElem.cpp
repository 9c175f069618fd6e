#include "elements/ZhdElem.h"

#include "elements/ElemKind.h"
#include "platform/ShiftJis.h"
#include "platform/Stream.h"

const std::string& ElemKindTypeName(int type_code)
{
    static const std::string none;
    const std::size_t kind = ElemKindIndexOfCode(type_code);
    return kind == NoElemKind ? none : sj(ElemKinds[kind].type_name);
}

std::string TZhdElem::GetTypeName() const
{
    return ElemKindTypeName(GetTypeCode());
}

std::string TZhdElem::GetDisplayName(const TZhdData&) const
{
    return GetTypeName();
}

std::string TZhdElem::GetArchiveClassName() const
{
    const std::size_t kind = ElemKindIndexOfCode(GetTypeCode());
    return kind == NoElemKind ? std::string() : std::string(ElemKinds[kind].archive_class_name);
}

TZhdElem& TZhdElem::AssignElem(const TZhdElem& other)
{
    status_ = other.status_;
    marks_ = other.marks_;
    number_ = other.number_;
    return *this;
}

TZhdElem& TZhdElem::SetElem(TStatus status, TBitFlg marks, int number)
{
    status_ = status;
    marks_ = marks;
    number_ = number;
    return *this;
}

std::string TZhdElem::GetText(int) const
{
    return {};
}

void TZhdElem::CopyFromUsingStream(const TZhdElem& other, const TZhdData& document, TStream& scratch)
{
    scratch.SetPosition(0);
    other.WriteBody(scratch, document);
    scratch.SetPosition(0);
    ReadBody(scratch, document);
}

void TZhdElem::CopyFromSharedUsingStream(const TZhdElemPtr& other, const TZhdData& document, TStream& scratch)
{
    if (other)
        CopyFromUsingStream(*other, document, scratch);
}

void TZhdElem::CopyFrom(const TZhdElem& other, const TZhdData& document)
{
    TMemoryStream scratch;
    CopyFromUsingStream(other, document, scratch);
}

void TZhdElem::CopyFromShared(const TZhdElemPtr& other, const TZhdData& document)
{
    if (other)
        CopyFrom(*other, document);
}

void TZhdElem::CopyTo(TZhdElem& other, const TZhdData& document) const
{
    other.CopyFrom(*this, document);
}

void TZhdElem::CopyToShared(const TZhdElemPtr& other, const TZhdData& document) const
{
    if (other)
        CopyTo(*other, document);
}

int TZhdElem::Release()
{
    return 0;
}
