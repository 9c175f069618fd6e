#include "elements/KSolid.h"

#include "document/ZhdData.h"
#include "elements/BodyFields.h"

TKSolid& TKSolid::operator=(const TKSolid& other)
{
    if (this != &other) {
        AssignStatusOnly(other);
        AssignSolid(other);
    }
    return *this;
}

void TKSolid::ReadBody(TStream& stream, const TZhdData& document)
{
    GetStatusPtr().Read(stream, document.GetVersion());
    for (TBPoint& corner : corners_)
        ReadPointField(stream, corner);
    // The pen colour just read decides whether the colour follows.
    if (HasOwnColor())
        ReadField(stream, color_);
}

void TKSolid::WriteBody(TStream& stream, const TZhdData& document) const
{
    GetStatusPtr().Write(stream, document.GetVersion());
    for (const TBPoint& corner : corners_)
        WritePointField(stream, corner);
    if (HasOwnColor())
        WriteField(stream, color_);
}

int TKSolid::GetBodySize(const TZhdData& document) const
{
    const int plain = TStatus::GetRecordSize(document.GetVersion()) + 4 * PointFieldSize;
    return HasOwnColor() ? plain + WordFieldSize : plain;
}

TKSolid& TKSolid::AssignSolid(const TKSolid& other)
{
    return SetSolid(other.corners_[0], other.corners_[1], other.corners_[2], other.corners_[3], other.color_);
}

TKSolid& TKSolid::SetSolid(TBPoint point1, TBPoint point2, TBPoint point3, TBPoint point4, int color)
{
    corners_[0] = point1;
    corners_[1] = point2;
    corners_[2] = point3;
    corners_[3] = point4;
    color_ = color;
    return *this;
}
