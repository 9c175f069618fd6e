#include "elements/KLine.h"

#include "document/ZhdData.h"
#include "elements/BodyFields.h"

TKLine::TKLine(const TZhdElem& base, TBPoint start, TBPoint end)
    : TZhdElem(base)
    , start_(start)
    , end_(end)
{
}

TKLine& TKLine::operator=(const TKLine& other)
{
    if (this != &other) {
        AssignStatusOnly(other);
        AssignLine(other);
    }
    return *this;
}

std::string TKLine::GetDisplayName(const TZhdData& document) const
{
    return GetTypeName() + " " + std::to_string(document.GetVersion());
}

void TKLine::ReadBody(TStream& stream, const TZhdData& document)
{
    GetStatusPtr().Read(stream, document.GetVersion());
    ReadPointField(stream, start_);
    ReadPointField(stream, end_);
}

void TKLine::WriteBody(TStream& stream, const TZhdData& document) const
{
    GetStatusPtr().Write(stream, document.GetVersion());
    WritePointField(stream, start_);
    WritePointField(stream, end_);
}

int TKLine::GetBodySize(const TZhdData& document) const
{
    return TStatus::GetRecordSize(document.GetVersion()) + 2 * PointFieldSize;
}

TKLine& TKLine::AssignLine(const TKLine& other)
{
    start_ = other.start_;
    end_ = other.end_;
    return *this;
}

TKLine& TKLine::SetLine(TBPoint start, TBPoint end)
{
    start_ = start;
    end_ = end;
    return *this;
}
