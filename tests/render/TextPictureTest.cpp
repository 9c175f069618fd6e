// Japanese texts rendered with the installed faces: horizontal and vertical
// writing, straight and at 30°. Their ink must lie inside their boxes, and
// there must be ink. The pictures are kept as test artefacts.

#include "core/PlaneGeometry.h"
#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "render/InfoReg.h"
#include "tests/render/RenderFixture.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace {

constexpr int width = 400;
constexpr int height = 300;
constexpr TColor white = PackColor(255, 255, 255);
constexpr TColor ink = PackColor(0, 0, 160);
// The cell is 1.1 times the box and pixels are whole: this much ink may
// stand outside the box.
constexpr double tolerance_pixels = 2.5;

struct Sample {
    const char* name;
    bool vertical;
    double degrees;
    TBPoint start;
};

TKMoji SampleText(const Sample& sample)
{
    TKMoji text(sample.start, sample.start, TZhdaMoji(20, 20, 2, 1), 1, TAngle(sample.degrees * 3.141592653589793 / 180),
                sj(u8"ＭＳ 明朝"), sj(u8"図面の寸法Ａ12"));
    if (sample.vertical) {
        TBitFlg flags = text.GetStatusFlg();
        flags.SetBit(TKMoji::VerticalFlag);
        text.SetStatusFlg(flags);
    }
    TBPoint along;
    RotatePoint(TBPoint(text.GetTextWidth(), 0.0), text.GetAngle(), along);
    text.SetEnd(sample.start + along);
    text.SetPenColor(2);
    return text;
}

// The drawing point (x, y) on the pixel (x, 300 - y).
void OneMillimetrePerPixel(TZhdData& document)
{
    ShowOneMillimetrePerPixel(document.GetInfoRegPtr(), width, height);
    document.GetPenMapPtr()["B"].SetColor(static_cast<int>(white));
    document.GetPenMapPtr()["2"].SetColor(static_cast<int>(ink));
}

// How far the pixel's centre lies outside the convex box (0 inside).
double OutsideBy(const std::array<TBPoint, 4>& box, double x, double y)
{
    double outside = 0;
    for (int i = 0; i < 4; ++i) {
        const TBPoint& a = box[static_cast<std::size_t>(i)];
        const TBPoint& b = box[static_cast<std::size_t>((i + 1) % 4)];
        const double length = a.DistanceTo(b);
        if (length < 1e-9)
            continue;
        // The box runs counter-clockwise in the drawing, so the inside is
        // on the left of each side.
        const double left = ((b.GetX() - a.GetX()) * (y - a.GetY()) - (b.GetY() - a.GetY()) * (x - a.GetX())) / length;
        outside = std::max(outside, -left);
    }
    return outside;
}

} // namespace

TEST(TextPicture, JapaneseTextsDrawInsideTheirBoxes)
{
    const Sample samples[] = {
        { "text_horizontal.png", false, 0, TBPoint(20.0, 240.0) },
        { "text_horizontal_30.png", false, 30, TBPoint(40.0, 60.0) },
        { "text_vertical.png", true, -90, TBPoint(180.0, 280.0) },
        { "text_vertical_30.png", true, -60, TBPoint(260.0, 280.0) },
    };
    // Two half-width characters: in vertical writing they share a cell across
    // the column, as the box counts them.
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.name);
        TZhdData document;
        OneMillimetrePerPixel(document);
        TKMoji text = SampleText(sample);
        TImageCanvas canvas(width, height);
        document.SetDrawColor(static_cast<int>(ink));
        text.Draw(canvas, document);
        EXPECT_TRUE(canvas.Image().save(QString::fromStdString(TestArtefactPath(sample.name).string())));

        std::array<TBPoint, 4> box;
        const int corners[4] = { 0, 2, 8, 6 };
        for (std::size_t i = 0; i < 4; ++i) {
            const TBPoint corner = text.GetBoxPoint(corners[i], 0, 0, 1);
            box[i] = TBPoint(corner.GetX(), corner.GetY());
        }
        int inked = 0, astray = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (canvas.GetPixel(x, y) == white)
                    continue;
                ++inked;
                if (OutsideBy(box, x + 0.5, height - (y + 0.5)) > tolerance_pixels)
                    ++astray;
            }
        }
        EXPECT_GT(inked, 300) << "eight characters of 20 pixels";
        EXPECT_EQ(astray, 0);
    }
}
