#include "elements/KBlock.h"

#include "document/ZhdData.h"
#include "elements/BodyFields.h"

TKBlock& TKBlock::operator=(const TKBlock& other)
{
    if (this != &other) {
        AssignStatusOnly(other);
        AssignBlock(other);
    }
    return *this;
}

void TKBlock::ReadBody(TStream& stream, const TZhdData& document)
{
    GetStatusPtr().Read(stream, document.GetVersion());
    ReadPointField(stream, position_);
    ReadField(stream, scale_x_);
    ReadField(stream, scale_y_);
    ReadRadiansField(stream, angle_);
    ReadField(stream, block_number_);
}

void TKBlock::WriteBody(TStream& stream, const TZhdData& document) const
{
    GetStatusPtr().Write(stream, document.GetVersion());
    WritePointField(stream, position_);
    WriteField(stream, scale_x_);
    WriteField(stream, scale_y_);
    WriteRadiansField(stream, angle_);
    WriteField(stream, block_number_);
}

int TKBlock::GetBodySize(const TZhdData& document) const
{
    return TStatus::GetRecordSize(document.GetVersion()) + PointFieldSize + 3 * DoubleFieldSize + WordFieldSize;
}

TKBlock& TKBlock::AssignBlock(const TKBlock& other)
{
    return SetBlock(other.position_, other.scale_x_, other.scale_y_, other.angle_, other.block_number_);
}

TKBlock& TKBlock::SetBlock(TBPoint position, double scale_x, double scale_y, TAngle angle, int block_number)
{
    position_ = position;
    scale_x_ = scale_x;
    scale_y_ = scale_y;
    angle_ = angle;
    block_number_ = block_number;
    return *this;
}
