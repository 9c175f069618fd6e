#include "elements/KPoint.h"

#include "document/ZhdData.h"
#include "elements/BodyFields.h"

TKPoint& TKPoint::operator=(const TKPoint& other)
{
    if (this != &other) {
        AssignStatusOnly(other);
        AssignPoint(other);
    }
    return *this;
}

void TKPoint::ReadBody(TStream& stream, const TZhdData& document)
{
    GetStatusPtr().Read(stream, document.GetVersion());
    ReadPointField(stream, position_);
    ReadField(stream, temporary_);
    // The line type just read decides whether the marker fields follow.
    if (IsMarker()) {
        ReadField(stream, marker_code_);
        ReadRadiansField(stream, marker_angle_);
        ReadField(stream, marker_scale_);
    }
}

void TKPoint::WriteBody(TStream& stream, const TZhdData& document) const
{
    GetStatusPtr().Write(stream, document.GetVersion());
    WritePointField(stream, position_);
    WriteField(stream, temporary_);
    if (IsMarker()) {
        WriteField(stream, marker_code_);
        WriteRadiansField(stream, marker_angle_);
        WriteField(stream, marker_scale_);
    }
}

int TKPoint::GetBodySize(const TZhdData& document) const
{
    const int plain = TStatus::GetRecordSize(document.GetVersion()) + PointFieldSize + WordFieldSize;
    return IsMarker() ? plain + WordFieldSize + 2 * DoubleFieldSize : plain;
}

TKPoint& TKPoint::AssignPoint(const TKPoint& other)
{
    return SetPoint(other.position_, other.temporary_, other.marker_code_, other.marker_angle_, other.marker_scale_);
}

TKPoint& TKPoint::SetPoint(TBPoint position, int temporary, int marker_code, TAngle marker_angle, double marker_scale)
{
    position_ = position;
    temporary_ = temporary;
    marker_code_ = marker_code;
    marker_angle_ = marker_angle;
    marker_scale_ = marker_scale;
    return *this;
}
