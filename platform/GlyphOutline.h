#pragma once

// The outlines of characters, for drawing code that strokes them itself
// (the edge drawn around a text's characters).
//
// An outline comes in the native TrueType form: closed contours, each a
// start point and records of straight lines and quadratic splines, in
// pixels as doubles, y upward, relative to the character's origin on the
// base line, scaled like TextOut scales the font (FontEngine.h gives the
// rules) and turned by its escapement. Since TextOut's pixels are made from
// the same outline, a glyph outline placed at TextOrigin lies on the
// characters TextOut draws.
//
// Outlines are cached by scaled font and character, at most 4096 of them;
// at the limit the cache is emptied and filled again.

#include "platform/CanvasTypes.h"

#include <cstdint>
#include <vector>

struct TOutlinePoint {
    double x = 0;
    double y = 0;
    bool operator==(const TOutlinePoint&) const = default;
};

enum class TOutlineRecordKind : std::uint8_t {
    // Straight lines from the previous point to each point in turn.
    Line,
    // A quadratic B-spline from the previous point: control points, the
    // last one on the curve. Between two control points in a row lies an
    // implied point on the curve halfway between them, so n points make n -
    // 1 quadratic segments.
    QSpline,
};

struct TOutlineRecord {
    TOutlineRecordKind kind = TOutlineRecordKind::Line;
    std::vector<TOutlinePoint> points;
    bool operator==(const TOutlineRecord&) const = default;
};

// A contour runs from `start` through its records; when the last record
// does not end at `start`, a straight line closes it.
struct TOutlineContour {
    TOutlinePoint start;
    std::vector<TOutlineRecord> records;
    bool operator==(const TOutlineContour&) const = default;
};

struct TGlyphOutline {
    // None for a blank, and for a font that draws nothing.
    std::vector<TOutlineContour> contours;
    // From this character's origin to the next one's (turned, y upward).
    TOutlinePoint advance;
    bool operator==(const TGlyphOutline&) const = default;
};

// The outline of a character of the font: `code` is its Shift-JIS code,
// lead byte × 256 + trail byte for a double-byte character, else the byte.
// A character the face lacks has the face's missing-character outline.
TGlyphOutline GlyphOutline(const TFont& font, unsigned int code);

// Where TextOut(x, y, …) puts the first character's origin, in screen
// coordinates (y downward): Ascent() below (x, y) across the turned cell,
// rounded to a pixel corner as TextOut rounds it. An outline point (px, py)
// then lies at (origin.x + px, origin.y - py). A font that draws nothing
// answers (x, y).
TOutlinePoint TextOrigin(const TFont& font, int x, int y);

// The cell of the font as TextOut draws it, in pixels: the base line lies
// `ascent` below the cell's top and ascent + descent is the font's height;
// both 0 for a font that draws nothing.
struct TFontMetrics {
    int ascent = 0;
    int descent = 0;
    bool operator==(const TFontMetrics&) const = default;
};
TFontMetrics FontMetrics(const TFont& font);
