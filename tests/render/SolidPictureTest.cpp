// Every arc-solid figure rendered to an image, one to a cell: whole ellipse,
// sector, segment, tangent figure, partial and whole rings of both kinds,
// the arc line, and a figure cut by the image's edge. The solid's own
// containment test is the oracle: ink lies inside the figure and the figure
// is inked, but for a pixel at the boundary. The picture is kept as a test
// artefact.

#include "document/ZhdData.h"
#include "elements/KSolid.h"
#include "platform/ImageCanvas.h"
#include "render/InfoReg.h"
#include "tests/render/RenderFixture.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int cell = 120;
constexpr int width = 5 * cell;
constexpr int height = 2 * cell;
constexpr TColor white = PackColor(255, 255, 255);
constexpr TColor ink = PackColor(0, 90, 170);
constexpr double degree = 3.14159265358979323846 / 180;

struct Figure {
    const char* name;
    std::uint8_t kind;
    double radius, flatness, tilt_degrees, start_degrees, arc_degrees, value;
    // Cell column and row, and where in the cell the centre lies.
    int column, row;
    double dx = 0, dy = 0;
};

const Figure figures[] = {
    { "whole ellipse", TKSolid::EllipseKind, 45, 0.5, 30, 0, 0, 100, 0, 0 },
    { "sector", TKSolid::EllipseKind, 45, 0.8, 0, 30, 240, 0, 1, 0 },
    { "segment", TKSolid::EllipseKind, 45, 0.7, -20, 20, 200, 5, 2, 0 },
    { "tangent figure", TKSolid::EllipseKind, 30, 1.0, 0, 20, 100, -1, 3, 0, -15, -15 },
    { "partial ring", TKSolid::SameFlatnessRingKind, 45, 0.8, 10, 0, 270, 25, 4, 0 },
    { "partial constant-width ring", TKSolid::ConstantWidthRingKind, 45, 0.6, 0, 45, 200, 30, 0, 1 },
    { "whole ring", TKSolid::SameFlatnessRingKind, 45, 0.9, 0, 0, 0, 30, 1, 1 },
    { "whole constant-width ring", TKSolid::ConstantWidthRingKind, 25, 0.7, 20, 10, 360, 45, 2, 1 },
    { "arc line", TKSolid::ArcLineKind, 45, 0.6, -30, 0, 360, 100, 3, 1 },
    { "cut by the edge", TKSolid::EllipseKind, 50, 0.9, 0, 100, 250, 0, 4, 1, 40, 0 },
};

TKSolid SolidOf(const Figure& figure)
{
    TKSolid solid;
    solid.SetPenStyle(figure.kind);
    const TBPoint centre(cell * figure.column + cell / 2 + figure.dx, height - cell * figure.row - cell / 2 + figure.dy);
    solid.SetSolid(centre, TBPoint(figure.radius, figure.flatness),
                   TBPoint(figure.tilt_degrees * degree, figure.start_degrees * degree),
                   TBPoint(figure.arc_degrees * degree, figure.value), 0);
    return solid;
}

// How many of the nine points around the pixel's centre (its corners and
// sides at `reach` pixels, and itself) the figure contains; one pixel is
// one millimetre, y upward in the drawing.
int ContainedAround(const TKSolid& solid, int x, int y, double reach)
{
    int contained = 0;
    for (int i = -1; i <= 1; ++i) {
        for (int j = -1; j <= 1; ++j) {
            const TBPoint point(x + 0.5 + i * reach, height - (y + 0.5) + j * reach);
            contained += solid.ContainsPoint(point) != 0 ? 1 : 0;
        }
    }
    return contained;
}

// Vertices are truncated to whole pixels, which moves the outline by up to
// a pixel; a pixel's centre lies half a pixel further. Within that of the
// outline a pixel may go either way (the cusps of the tangent figure are
// thinner than any grid of samples, hence the outline's distance).
bool IsAtOrInside(const TKSolid& solid, const TZhdData& document, int x, int y)
{
    if (ContainedAround(solid, x, y, 1.0) > 0)
        return true;
    TBPoint nearest;
    double distance = 0;
    return solid.NearestPoint(TBPoint(x + 0.5, height - (y + 0.5)), document, nearest, distance) != 0
        && std::fabs(distance) <= 1.5;
}

} // namespace

TEST(SolidPicture, FiguresFillWhatTheyContain)
{
    TZhdData document;
    ShowOneMillimetrePerPixel(document.GetInfoRegPtr(), width, height);
    document.SetDrawColor(static_cast<int>(ink));
    TImageCanvas canvas(width, height, white);
    for (const Figure& figure : figures) {
        TKSolid solid = SolidOf(figure);
        solid.Draw(canvas, document);
    }
    EXPECT_TRUE(canvas.Image().save(QString::fromStdString(TestArtefactPath("solid_figures.png").string())));

    for (const Figure& figure : figures) {
        SCOPED_TRACE(figure.name);
        const TKSolid solid = SolidOf(figure);
        // The arc line is drawn, not filled: its ink is its outline.
        const bool filled = figure.kind != TKSolid::ArcLineKind;
        int inked = 0, astray = 0, missed = 0;
        for (int y = figure.row * cell; y < (figure.row + 1) * cell; ++y) {
            for (int x = figure.column * cell; x < (figure.column + 1) * cell; ++x) {
                const bool has_ink = canvas.GetPixel(x, y) == ink;
                const bool centre_inside = solid.ContainsPoint(TBPoint(x + 0.5, height - (y + 0.5))) != 0;
                inked += has_ink ? 1 : 0;
                if (has_ink && !centre_inside && !IsAtOrInside(solid, document, x, y))
                    ++astray;
                if (filled && !has_ink && centre_inside && ContainedAround(solid, x, y, 1.5) == 9)
                    ++missed;
            }
        }
        EXPECT_GT(inked, 200);
        EXPECT_EQ(astray, 0) << "ink outside the figure";
        EXPECT_EQ(missed, 0) << "figure left blank";
    }
}
