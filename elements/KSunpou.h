#pragma once

// TKSunpou: a dimension, made of complete elements of other kinds: the
// dimension line, the text stating the measure, and from version 420 an
// extended part (TSXFSunpou) with a mode, two extension lines and four end
// points. Each part keeps its own attribute record; the dimension's own record
// decides its layer, curve group and flags.

#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/ZhdElem.h"

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <cstdint>

// The extended part: drawn only when its mode is not 0; end points 3 and 4
// are stored but never drawn.
class TSXFSunpou {
public:
    static constexpr int PointCount = 4;

    TSXFSunpou() = default;

    std::int16_t GetMode() const { return mode_; }
    std::int16_t SetMode(std::int16_t mode) { return mode_ = mode; }
    TKLine GetLine1() const { return line1_; }
    TKLine SetLine1(TKLine line);
    TKLine GetLine2() const { return line2_; }
    TKLine SetLine2(TKLine line);
    TKPoint GetPoint1() const { return points_[0]; }
    TKPoint SetPoint1(TKPoint point) { return SetPointAt(0, point); }
    TKPoint GetPoint2() const { return points_[1]; }
    TKPoint SetPoint2(TKPoint point) { return SetPointAt(1, point); }
    TKPoint GetPoint3() const { return points_[2]; }
    TKPoint SetPoint3(TKPoint point) { return SetPointAt(2, point); }
    TKPoint GetPoint4() const { return points_[3]; }
    TKPoint SetPoint4(TKPoint point) { return SetPointAt(3, point); }
    TSXFSunpou& AsSXFSunpou() { return *this; }
    TSXFSunpou& AssignSXFSunpou(const TSXFSunpou& other);
    TSXFSunpou& SetSXFSunpou(std::int16_t mode, TKLine line1, TKLine line2, TKPoint point1, TKPoint point2,
                             TKPoint point3, TKPoint point4);

    //   struct SXFPart {
    //       i16       mode;
    //       LineBody  line1, line2;
    //       PointBody points[4];
    //   };
    void ReadBody(TStream& stream, const TZhdData& document);
    void WriteBody(TStream& stream, const TZhdData& document) const;
    int GetBodySize(const TZhdData& document) const;

    // The extension lines and the end points that a mode draws.
    static constexpr int DrawnPointCount = 2;

    // Applies the operation to extension line 1, extension line 2 and the
    // first `points` end points, in this order.
    template <typename Operation>
    void ForEachPart(int points, Operation operation)
    {
        VisitParts(*this, points, operation);
    }
    template <typename Operation>
    void ForEachPart(int points, Operation operation) const
    {
        VisitParts(*this, points, operation);
    }

private:
    template <typename Self, typename Operation>
    static void VisitParts(Self& self, int points, Operation& operation)
    {
        operation(self.line1_);
        operation(self.line2_);
        for (int i = 0; i < points && i < PointCount; ++i)
            operation(self.points_[i]);
    }

    TKPoint SetPointAt(int index, const TKPoint& point);

    std::int16_t mode_ = 0;
    TKLine line1_;
    TKLine line2_;
    TKPoint points_[PointCount];
};

class TKSunpou final : public TZhdElem {
public:
    TKSunpou() = default;
    TKSunpou(const TKSunpou&) = default;
    // The attribute record and the three parts; the marks and number stay.
    TKSunpou& operator=(const TKSunpou& other);

    static constexpr int TypeCode = SunpouCode;
    int GetTypeCode() const override { return TypeCode; }

    //   struct DimensionBody {
    //       Status   status;           13 or 15 bytes by version
    //       LineBody line;
    //       TextBody text;
    //       SXFPart  sxf;              only from version 420
    //   };
    void ReadBody(TStream& stream, const TZhdData& document) override;
    void WriteBody(TStream& stream, const TZhdData& document) const override;
    int GetBodySize(const TZhdData& document) const override;

    // External-command text form (KSunpouTextRecord.cpp).
    void ReadTextRecord(const StringList& lines, TZhdData& document) override;
    void WriteTextRecord(StringList& lines, TZhdData& document) const override;

    // The dimension text's texts.
    std::string GetText(int index) const override;

    // Geometry (KSunpouGeometry.cpp): the dimension line's key points, the
    // line's shape measures followed by the text's, the extent of all that
    // the dimension draws (the line, the text and, with a mode, the extension
    // lines and end points 1 and 2), and the nearer of the line's and the
    // text's nearest points. Moving and turning take the line, the text,
    // the extension lines and end points 1 and 2; scaling takes all four end
    // points, whose markers keep their size.
    TBPoint GetKeyPoint(int index) const override;
    TShapeInfo GetShapeInfo(const TBPoint& point) const override;
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const override;
    int NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                     double& distance) const override;
    int NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                        double& distance) const override;
    void MoveBy(TBPoint offset, const TZhdData& document) override;
    void Rotate(TAngle angle, const TZhdData& document) override;
    void Scale(double sx, double sy, const TZhdData& document) override;

    // Drawing (KSunpouDraw.cpp): the line, the extension part when its mode
    // is not 0, then the text, each in the colour of its own pen number.
    int Draw(TCanvas& canvas, TZhdData& document) override;

    TKLine GetLine() const { return line_; }
    TKLine SetLine(TKLine line);
    TKMoji GetMoji() const { return moji_; }
    TKMoji SetMoji(TKMoji moji);
    TSXFSunpou GetSXF() const { return *sxf_; }
    TSXFSunpou SetSXF(TSXFSunpou sxf);
    TKSunpou& AsSunpou() { return *this; }
    // The three parts; the dimension's attribute record, marks and number stay.
    TKSunpou& AssignSunpou(const TKSunpou& other);
    TKSunpou& SetSunpou(TKLine line, TKMoji moji, TSXFSunpou sxf);

private:
    using SXFPtr = boost::shared_ptr<const TSXFSunpou>;

    static const SXFPtr& DefaultSXF();
    void ReadSXF(TStream& stream, const TZhdData& document);
    // The extension part changed by the operation (a copy of its own: the
    // default part is shared).
    template <typename Operation>
    void ChangeSXF(int points, Operation operation)
    {
        auto changed = boost::make_shared<TSXFSunpou>(*sxf_);
        changed->ForEachPart(points, operation);
        sxf_ = changed;
    }

    TKLine line_;
    TKMoji moji_;
    SXFPtr sxf_ = DefaultSXF();
};
