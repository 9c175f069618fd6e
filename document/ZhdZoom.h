#pragma once

// Views: a centre point and a scale (TZhdZoom), and a view with an integer
// code whose meaning its holder sets (TZhdZoomF): in the header's printer
// area the tens digit is the print frame's reference point and the units digit
// the printer's 90-degree rotation; in a mark jump it is the jump's "GL" value.
//
// The point's tag is not part of a view's value: copies carry x, y and the
// scale (and the code), comparisons ignore the tag, and no record stores it.

#include "core/BPoint.h"

#include <cstdint>

class TStream;

class TZhdZoom : public TBPoint {
public:
    TZhdZoom() = default;
    // A view of the origin at the given scale.
    explicit TZhdZoom(double scale) : scale_(scale) {}
    TZhdZoom(const TZhdZoom& other);
    TZhdZoom& operator=(const TZhdZoom& other);

    // Exact comparison of x, y and the scale; a view with a code compares
    // the same way, its code left out.
    bool operator==(const TZhdZoom& other) const;
    bool operator!=(const TZhdZoom& other) const { return !(*this == other); }

    double GetScale() const { return scale_; }
    double SetScale(double scale) { return scale_ = scale; }

    TZhdZoom& AsZoom() { return *this; }
    // These two touch the scale only, never the point.
    TZhdZoom& AssignZoom(const TZhdZoom& other);
    TZhdZoom& SetZoom(double scale);

    // struct Zoom { f64 x; f64 y; f64 scale; };   24 bytes
    // A field the stream cannot deliver keeps its value.
    void Read(TStream& stream, std::uint32_t version);
    void Write(TStream& stream, std::uint32_t version) const;

private:
    double scale_ = 1.0;
};

class TZhdZoomF : public TZhdZoom {
public:
    TZhdZoomF() = default;

    int GetCode() const { return code_; }
    int SetCode(int code) { return code_ = code; }

    TZhdZoomF& AsZoomF() { return *this; }
    // These two touch the code only.
    TZhdZoomF& AssignZoomF(const TZhdZoomF& other);
    TZhdZoomF& SetZoomF(int code);

    // struct ZoomF { f64 x; f64 y; f64 scale; u32 code; };   28 bytes
    void Read(TStream& stream, std::uint32_t version);
    void Write(TStream& stream, std::uint32_t version) const;

private:
    int code_ = 0;
};
