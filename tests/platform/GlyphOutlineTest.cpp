#include "platform/GlyphOutline.h"
#include "platform/FontEngine.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "tests/platform/CanvasPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

// The Shift-JIS code of a character: lead byte × 256 + trail byte, or the
// byte.
unsigned int CodeOf(const char8_t* character)
{
    const std::string bytes = sj(character);
    unsigned int code = 0;
    for (const char byte : bytes)
        code = code << 8 | static_cast<unsigned char>(byte);
    return code;
}

// Every point of the outline: starts and record points.
std::vector<TOutlinePoint> PointsOf(const TGlyphOutline& outline)
{
    std::vector<TOutlinePoint> points;
    for (const TOutlineContour& contour : outline.contours) {
        points.push_back(contour.start);
        for (const TOutlineRecord& record : contour.records)
            points.insert(points.end(), record.points.begin(), record.points.end());
    }
    return points;
}

// Test oracle: the closed polygons of an outline, its splines flattened
// finely, as a drawing program would read the records.
std::vector<std::vector<TOutlinePoint>> PolygonsOf(const TGlyphOutline& outline)
{
    std::vector<std::vector<TOutlinePoint>> polygons;
    for (const TOutlineContour& contour : outline.contours) {
        std::vector<TOutlinePoint> polygon { contour.start };
        for (const TOutlineRecord& record : contour.records) {
            if (record.kind == TOutlineRecordKind::Line) {
                polygon.insert(polygon.end(), record.points.begin(), record.points.end());
                continue;
            }
            for (std::size_t i = 0; i + 1 < record.points.size(); ++i) {
                const TOutlinePoint from = polygon.back();
                const TOutlinePoint control = record.points[i];
                const TOutlinePoint next = record.points[i + 1];
                const TOutlinePoint to = i + 2 == record.points.size()
                    ? next
                    : TOutlinePoint { (control.x + next.x) / 2, (control.y + next.y) / 2 };
                for (int step = 1; step <= 12; ++step) {
                    const double t = step / 12.0;
                    const double a = (1 - t) * (1 - t);
                    const double b = 2 * t * (1 - t);
                    const double c = t * t;
                    polygon.push_back({ a * from.x + b * control.x + c * to.x, a * from.y + b * control.y + c * to.y });
                }
            }
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

// Non-zero winding of the point.
bool Inside(const std::vector<std::vector<TOutlinePoint>>& polygons, double x, double y)
{
    int winding = 0;
    for (const auto& polygon : polygons) {
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const TOutlinePoint& a = polygon[i];
            const TOutlinePoint& b = polygon[(i + 1) % polygon.size()];
            if ((a.y <= y) == (b.y <= y))
                continue;
            const double cross_x = a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x);
            if (cross_x > x)
                winding += b.y > a.y ? 1 : -1;
        }
    }
    return winding != 0;
}

} // namespace

TEST(GlyphOutline, LIsOneClosedContourOfLinesInsideItsCell)
{
    const TFont font = FontOf(u8"ＭＳ ゴシック", 40, 20);
    const TGlyphOutline outline = GlyphOutline(font, 'L');
    ASSERT_EQ(outline.contours.size(), 1U);
    const TOutlineContour& contour = outline.contours[0];
    ASSERT_FALSE(contour.records.empty());
    std::size_t corners = 1;
    for (const TOutlineRecord& record : contour.records) {
        EXPECT_EQ(record.kind, TOutlineRecordKind::Line);
        corners += record.points.size();
    }
    // Six corners, the lines in one record.
    EXPECT_EQ(corners, 6U);
    EXPECT_EQ(contour.records.size(), 1U);
    const TFontMetrics metrics = FontMetrics(font);
    EXPECT_EQ(metrics.ascent + metrics.descent, 40);
    for (const TOutlinePoint& point : PointsOf(outline)) {
        EXPECT_GE(point.x, 0);
        EXPECT_LE(point.x, 20);
        EXPECT_GE(point.y, -metrics.descent);
        EXPECT_LE(point.y, metrics.ascent);
    }
    EXPECT_EQ(outline.advance, (TOutlinePoint { 20, 0 }));
}

TEST(GlyphOutline, KanjiHaveClosedContoursInsideTheFullWidthCell)
{
    for (const char8_t* face : { u8"ＭＳ ゴシック", u8"ＭＳ 明朝" }) {
        const TFont font = FontOf(face, 30, 12);
        const TFontMetrics metrics = FontMetrics(font);
        for (const char8_t* character : { u8"口", u8"図", u8"面" }) {
            SCOPED_TRACE(SjisToUtf8(sj(character)));
            const TGlyphOutline outline = GlyphOutline(font, CodeOf(character));
            EXPECT_GE(outline.contours.size(), 2U);
            for (const TOutlinePoint& point : PointsOf(outline)) {
                EXPECT_GE(point.x, 0);
                EXPECT_LE(point.x, 24);
                EXPECT_GE(point.y, -metrics.descent);
                EXPECT_LE(point.y, metrics.ascent);
            }
            EXPECT_EQ(outline.advance, (TOutlinePoint { 24, 0 }));
        }
    }
    // 口 is two nested boxes.
    EXPECT_EQ(GlyphOutline(FontOf(u8"ＭＳ ゴシック", 30), CodeOf(u8"口")).contours.size(), 2U);
}

// The records are in TrueType's form: lines, and splines of at least two
// points whose last is on the curve; the faces are quadratic, so curved
// characters have splines.
TEST(GlyphOutline, RecordsAreLinesAndQuadraticSplines)
{
    for (const char8_t* face : { u8"ＭＳ ゴシック", u8"ＭＳ Ｐゴシック", u8"ＭＳ 明朝", u8"ＭＳ Ｐ明朝" }) {
        std::size_t splines = 0;
        for (const char8_t* character : { u8"O", u8"S", u8"の", u8"図", u8"あ" }) {
            const TGlyphOutline outline = GlyphOutline(FontOf(face, 50, 25), CodeOf(character));
            ASSERT_FALSE(outline.contours.empty());
            for (const TOutlineContour& contour : outline.contours) {
                ASSERT_FALSE(contour.records.empty());
                for (const TOutlineRecord& record : contour.records) {
                    ASSERT_TRUE(record.kind == TOutlineRecordKind::Line || record.kind == TOutlineRecordKind::QSpline);
                    ASSERT_FALSE(record.points.empty());
                    if (record.kind == TOutlineRecordKind::QSpline) {
                        EXPECT_GE(record.points.size(), 2U);
                        ++splines;
                    }
                }
            }
        }
        EXPECT_GT(splines, 20U) << SjisToUtf8(sj(face));
    }
}

TEST(GlyphOutline, BlanksAndFontsThatDrawNothingHaveNoContours)
{
    const TFont font = FontOf(u8"ＭＳ ゴシック", 30, 10);
    const TGlyphOutline blank = GlyphOutline(font, ' ');
    EXPECT_TRUE(blank.contours.empty());
    EXPECT_EQ(blank.advance, (TOutlinePoint { 10, 0 }));
    const TGlyphOutline wide_blank = GlyphOutline(font, CodeOf(u8"　"));
    EXPECT_TRUE(wide_blank.contours.empty());
    EXPECT_EQ(wide_blank.advance, (TOutlinePoint { 20, 0 }));

    for (const auto& size : { std::pair { 0, 10 }, std::pair { -5, 0 }, std::pair { 20, -1 },
             std::pair { 10'000'000, 0 }, std::pair { 20, font_engine::max_font_pixels + 1 } }) {
        const TFont empty = FontOf(u8"ＭＳ ゴシック", size.first, size.second);
        EXPECT_EQ(GlyphOutline(empty, 'L'), TGlyphOutline {});
        EXPECT_EQ(FontMetrics(empty), TFontMetrics {});
        EXPECT_EQ(TextOrigin(empty, 3, 4), (TOutlinePoint { 3, 4 }));
    }
    // Codes that are no character have the missing-character glyph.
    EXPECT_FALSE(GlyphOutline(font, 0x8540).contours.empty());
    EXPECT_FALSE(GlyphOutline(font, 0x123456).contours.empty());
}

TEST(GlyphOutline, TheEscapementTurnsTheOutline)
{
    const TGlyphOutline upright = GlyphOutline(FontOf(u8"ＭＳ 明朝", 40, 15), CodeOf(u8"図"));
    for (const int escapement : { 300, 900, 1800, -450, 3600 + 300 }) {
        SCOPED_TRACE(escapement);
        const TGlyphOutline turned = GlyphOutline(FontOf(u8"ＭＳ 明朝", 40, 15, escapement), CodeOf(u8"図"));
        const double angle = escapement / 1800.0 * std::numbers::pi;
        const auto turn = [angle](TOutlinePoint p) {
            return TOutlinePoint { p.x * std::cos(angle) - p.y * std::sin(angle),
                p.x * std::sin(angle) + p.y * std::cos(angle) };
        };
        ASSERT_EQ(turned.contours.size(), upright.contours.size());
        const std::vector<TOutlinePoint> before = PointsOf(upright);
        const std::vector<TOutlinePoint> after = PointsOf(turned);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_NEAR(after[i].x, turn(before[i]).x, 1e-9);
            EXPECT_NEAR(after[i].y, turn(before[i]).y, 1e-9);
        }
        EXPECT_NEAR(turned.advance.x, turn(upright.advance).x, 1e-9);
        EXPECT_NEAR(turned.advance.y, turn(upright.advance).y, 1e-9);
    }
}

// Outline and text coincide: the pixels whose centres the outline holds
// are the pixels TextOut paints, but for the few the rasterizer adds to keep
// thin strokes and the rounding at the outline's edges.
TEST(GlyphOutline, LiesOnTheCharactersTextOutDraws)
{
    const struct {
        const char8_t* face;
        const char8_t* character;
        int height;
        int width;
        int escapement;
        bool bold;
        bool italic;
    } cases[] = {
        { u8"ＭＳ ゴシック", u8"図", 60, 30, 0, false, false },
        { u8"ＭＳ 明朝", u8"面", 48, 20, 300, false, false },
        { u8"ＭＳ Ｐ明朝", u8"S", 64, 0, 900, true, false },
        { u8"ＭＳ Ｐゴシック", u8"あ", 50, 25, 2100, false, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SjisToUtf8(sj(c.character)));
        TFont font = FontOf(c.face, c.height, c.width, c.escapement);
        font.weight = c.bold ? 700 : 400;
        font.italic = c.italic;
        TImageCanvas canvas(140, 140);
        canvas.SetFont(font);
        canvas.TextOut(50, 50, sj(c.character));
        const TOutlinePoint origin = TextOrigin(font, 50, 50);
        const auto polygons = PolygonsOf(GlyphOutline(font, CodeOf(c.character)));
        int painted = 0;
        int differ = 0;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                const bool ink = canvas.GetPixel(x, y) != PackColor(255, 255, 255);
                const bool inside = Inside(polygons, x + 0.5 - origin.x, origin.y - (y + 0.5));
                painted += ink ? 1 : 0;
                differ += ink != inside ? 1 : 0;
            }
        }
        EXPECT_GT(painted, 200);
        EXPECT_LT(differ, painted / 40) << painted;
    }
}

TEST(GlyphOutline, DoubleByteCodesAreLeadByteTimes256PlusTrailByte)
{
    const TFont font = FontOf(u8"ＭＳ ゴシック", 30, 15);
    // 図 is 0x907D, ｱ the single byte 0xB1.
    EXPECT_EQ(CodeOf(u8"図"), 0x907DU);
    EXPECT_EQ(GlyphOutline(font, 0x907D), GlyphOutline(font, CodeOf(u8"図")));
    EXPECT_NE(GlyphOutline(font, 0x907D), GlyphOutline(font, 0x907E));
    const TGlyphOutline katakana = GlyphOutline(font, 0xB1);
    EXPECT_FALSE(katakana.contours.empty());
    EXPECT_EQ(katakana.advance, (TOutlinePoint { 15, 0 }));
}

TEST(GlyphOutline, TextOriginIsWhereTextOutPutsTheBaseLine)
{
    const TFont font = FontOf(u8"ＭＳ ゴシック", 30);
    EXPECT_EQ(FontMetrics(font), (TFontMetrics { 26, 4 }));
    EXPECT_EQ(TextOrigin(font, 10, 20), (TOutlinePoint { 10, 46 }));
    EXPECT_EQ(TextOrigin(FontOf(u8"ＭＳ ゴシック", 30, 0, 900), 10, 20), (TOutlinePoint { 36, 20 }));
    EXPECT_EQ(TextOrigin(FontOf(u8"ＭＳ ゴシック", 30, 0, 1800), 10, 20), (TOutlinePoint { 10, -6 }));
    for (const int height : { 1, 2, 7, 12, 13, 99, 1000, font_engine::max_font_pixels }) {
        for (const char8_t* face : { u8"ＭＳ ゴシック", u8"ＭＳ 明朝", u8"Nothing" }) {
            const TFontMetrics metrics = FontMetrics(FontOf(face, height, 3));
            EXPECT_EQ(metrics.ascent + metrics.descent, height);
            EXPECT_GE(metrics.descent, 0);
        }
    }
}

TEST(GlyphOutline, OutlinesOutliveTheirCache)
{
    const TFont font = FontOf(u8"ＭＳ 明朝", 40, 20);
    const TGlyphOutline first = GlyphOutline(font, CodeOf(u8"図"));
    // More outlines than the cache keeps.
    std::size_t contours = 0;
    for (unsigned int code = 0x889F; code < 0x889F + 70; ++code) {
        for (int height = 10; height < 70; ++height)
            contours += GlyphOutline(FontOf(u8"ＭＳ 明朝", height), code).contours.size();
    }
    EXPECT_GT(contours, 4200U);
    EXPECT_EQ(GlyphOutline(font, CodeOf(u8"図")), first);
}
