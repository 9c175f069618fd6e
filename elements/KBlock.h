#pragma once

// TKBlock: a reference that places a block definition, by its number, at an
// insertion point with x and y scales (0 acts as 1) and an angle. It owns no
// geometry: shapes are worked out on placed copies of the definition.
//
// With line type 1 the placed elements take the block's layer when drawn,
// and the element list counts the reference as one block; with any other line
// type they keep their own layers and the loader counts the definition's
// contents instead.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "elements/ZhdElem.h"

class TKBlock final : public TZhdElem {
public:
    TKBlock() = default;
    TKBlock(const TKBlock&) = default;
    // The attribute record and the five fields; the marks and number stay.
    TKBlock& operator=(const TKBlock& other);

    static constexpr int TypeCode = BlockCode;
    int GetTypeCode() const override { return TypeCode; }

    //   struct BlockBody {
    //       Status status;             13 or 15 bytes by version
    //       Point  insertion;
    //       f64    scale_x, scale_y;
    //       f64    angle;              radians
    //       u32    block_number;
    //   };                             status + 44 bytes
    void ReadBody(TStream& stream, const TZhdData& document) override;
    void WriteBody(TStream& stream, const TZhdData& document) const override;
    int GetBodySize(const TZhdData& document) const override;

    // External-command text form (KBlockTextRecord.cpp).
    void ReadTextRecord(const StringList& lines, TZhdData& document) override;
    void WriteTextRecord(StringList& lines, TZhdData& document) const override;

    // Geometry (KBlockGeometry.cpp), worked out on the placed contents
    // (elements/BlockPlacement.h), always on the block's layer. A block
    // whose contents cannot be walked (no definitions, or a definition
    // that places itself) has no extent (min and max untouched) and no
    // points.
    TBPoint GetKeyPoint(int index) const override; // the insertion point
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const override;
    // The nearest of the placed elements' answers; of equally near ones the
    // first in the definition. The distance is 1e308 when none answers.
    int NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                     double& distance) const override;
    int NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                        double& distance) const override;
    // Placed elements that cannot come nearer than `bound`, or than the
    // nearest answer so far, are not asked.
    int NearestPointWithin(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance,
                           double bound) const override;
    int NearestEndPointWithin(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance,
                              double bound) const override;
    void MoveBy(TBPoint offset, const TZhdData& document) override;
    // The angle grows by the turn and the insertion point turns about the
    // origin.
    void Rotate(TAngle angle, const TZhdData& document) override;
    // Both scales and the insertion point, about the origin.
    void Scale(double sx, double sy, const TZhdData& document) override;

    // Drawing (KBlockDraw.cpp): the placed contents through the element-list
    // drawing, on the block's layer for pen style 1, selected with the
    // block. Result 0.
    int Draw(TCanvas& canvas, TZhdData& document) override;

    TBPoint GetPos() const { return position_; }
    TBPoint SetPos(TBPoint position) { return position_ = position; }
    double GetScaleX() const { return scale_x_; }
    double SetScaleX(double scale) { return scale_x_ = scale; }
    double GetScaleY() const { return scale_y_; }
    double SetScaleY(double scale) { return scale_y_ = scale; }
    TAngle GetAngle() const { return angle_; }
    TAngle SetAngle(TAngle angle) { return angle_ = angle; }
    int GetBlockNumber() const { return block_number_; }
    int SetBlockNumber(int number) { return block_number_ = number; }
    TKBlock& AsBlock() { return *this; }
    // The five fields; the attribute record stays.
    TKBlock& AssignBlock(const TKBlock& other);
    TKBlock& SetBlock(TBPoint position, double scale_x, double scale_y, TAngle angle, int block_number);

private:
    TBPoint position_;
    double scale_x_ = 0.0;
    double scale_y_ = 0.0;
    TAngle angle_;
    int block_number_ = 0;
};
