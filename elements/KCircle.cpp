#include "elements/KCircle.h"

#include "document/ZhdData.h"
#include "elements/BodyFields.h"

TKCircle::TKCircle(TBPoint center, double radius, TAngle start, TAngle arc, TAngle tilt, double flatness,
                   int full_circle)
{
    SetCircle(center, radius, start, arc, tilt, flatness, full_circle);
}

TKCircle& TKCircle::operator=(const TKCircle& other)
{
    if (this != &other) {
        AssignStatusOnly(other);
        AssignCircle(other);
    }
    return *this;
}

void TKCircle::ReadBody(TStream& stream, const TZhdData& document)
{
    GetStatusPtr().Read(stream, document.GetVersion());
    ReadPointField(stream, center_);
    ReadField(stream, radius_);
    ReadRadiansField(stream, start_);
    ReadRadiansField(stream, arc_);
    ReadRadiansField(stream, tilt_);
    ReadField(stream, flatness_);
    ReadField(stream, full_circle_);
}

void TKCircle::WriteBody(TStream& stream, const TZhdData& document) const
{
    GetStatusPtr().Write(stream, document.GetVersion());
    WritePointField(stream, center_);
    WriteField(stream, radius_);
    WriteRadiansField(stream, start_);
    WriteRadiansField(stream, arc_);
    WriteRadiansField(stream, tilt_);
    WriteField(stream, flatness_);
    WriteField(stream, full_circle_);
}

int TKCircle::GetBodySize(const TZhdData& document) const
{
    return TStatus::GetRecordSize(document.GetVersion()) + PointFieldSize + 5 * DoubleFieldSize + WordFieldSize;
}

TKCircle& TKCircle::AssignCircle(const TKCircle& other)
{
    return SetCircle(other.center_, other.radius_, other.start_, other.arc_, other.tilt_, other.flatness_,
                     other.full_circle_);
}

TKCircle& TKCircle::SetCircle(TBPoint center, double radius, TAngle start, TAngle arc, TAngle tilt, double flatness,
                              int full_circle)
{
    center_ = center;
    radius_ = radius;
    start_ = start;
    arc_ = arc;
    tilt_ = tilt;
    flatness_ = flatness;
    full_circle_ = full_circle;
    return *this;
}
