#include "elements/ZhdElem.h"

#include "platform/Stream.h"

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
