#pragma once

// TKLine: a straight segment from a start point to an end point.

#include "core/BPoint.h"
#include "elements/ZhdElem.h"

class TKLine final : public TZhdElem {
public:
    TKLine() = default;
    // A line with the given base part; dimensions build their parts this way.
    TKLine(const TZhdElem& base, TBPoint start, TBPoint end);
    TKLine(const TKLine&) = default;
    // The attribute record and both points; the marks and number stay.
    TKLine& operator=(const TKLine& other);

    // "線 " and the document's version.
    std::string GetDisplayName(const TZhdData& document) const override;
    static constexpr int TypeCode = LineCode;
    int GetTypeCode() const override { return TypeCode; }

    //   struct LineBody {
    //       Status status;             13 or 15 bytes by version
    //       Point  start, end;         32 bytes
    //   };
    void ReadBody(TStream& stream, const TZhdData& document) override;
    void WriteBody(TStream& stream, const TZhdData& document) const override;
    int GetBodySize(const TZhdData& document) const override;

    // External-command text form (KLineTextRecord.cpp).
    void ReadTextRecord(const StringList& lines, TZhdData& document) override;
    void WriteTextRecord(StringList& lines, TZhdData& document) const override;

    TBPoint GetStart() const { return start_; }
    TBPoint SetStart(TBPoint point) { return start_ = point; }
    TBPoint GetEnd() const { return end_; }
    TBPoint SetEnd(TBPoint point) { return end_ = point; }
    TKLine& AsLine() { return *this; }
    // Both points; the attribute record stays.
    TKLine& AssignLine(const TKLine& other);
    TKLine& SetLine(TBPoint start, TBPoint end);

private:
    TBPoint start_;
    TBPoint end_;
};
