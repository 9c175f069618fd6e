// Block references measured on their placed contents: placement, extent,
// nearest points, transformations, nesting, self-reference and the kept
// placed copies.

#include "elements/KBlock.h"

#include "elements/KPoint.h"
#include "tests/elements/BlockFixture.h"
#include "tests/elements/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Extent {
    TBPoint min { 1234.0, 1234.0 };
    TBPoint max { 1234.0, 1234.0 };
};

Extent ExtentOf(const TZhdElem& elem, const TZhdData& document)
{
    Extent extent;
    elem.GetExtent(extent.min, extent.max, document, 1);
    return extent;
}

} // namespace

TEST(BlockGeometry, PlacementScalesThenTurnsThenMoves)
{
    TZhdData document;
    AddDefinition(document, 4, { LineElem(10, 0, 20, 0) });
    struct Row {
        TBPoint position;
        double scale_x, scale_y, degrees;
        double x1, y1, x2, y2; // the placed line's box
    };
    const Row rows[] = {
        { TBPoint(0.0, 0.0), 0, 0, 0, 10, 0, 20, 0 },     // scales of 0 act as 1
        { TBPoint(0.0, 0.0), 2, 0, 0, 20, 0, 40, 0 },     // doubled along x only
        { TBPoint(100.0, 50.0), 1, 1, 90, 100, 60, 100, 70 }, // (10, 0) lands on (100, 60)
        { TBPoint(-5.0, 0.0), 1, 3, 180, -25, 0, -15, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.degrees);
        const auto block = BlockElem(4, row.position, row.scale_x, row.scale_y, row.degrees);
        const Extent extent = ExtentOf(*block, document);
        EXPECT_POINT_NEAR(extent.min, row.x1, row.y1, 1e-9);
        EXPECT_POINT_NEAR(extent.max, row.x2, row.y2, 1e-9);
        EXPECT_POINT_NEAR(block->GetKeyPoint(5), row.position.GetX(), row.position.GetY(), 0);
    }
}

TEST(BlockGeometry, NearestPointsComeFromThePlacedElementsFirstOnTies)
{
    TZhdData document;
    // Two lines equally near (0, 5): the first in the definition wins.
    const auto first = LineElem(-10, 0, 10, 0);
    const auto second = LineElem(-10, 10, 10, 10);
    AddDefinition(document, 1, { first, second });
    const auto block = BlockElem(1, TBPoint(100.0, 0.0));

    TBPoint point;
    double distance = 0;
    ASSERT_EQ(block->NearestPoint(TBPoint(100.0, 5.0), document, point, distance), 1);
    EXPECT_POINT_NEAR(point, 100.0, 0.0, 1e-9);
    EXPECT_NEAR(std::fabs(distance), 5.0, 1e-9);

    ASSERT_EQ(block->NearestEndPoint(TBPoint(111.0, 9.0), document, point, distance), 1);
    EXPECT_POINT_NEAR(point, 110.0, 10.0, 1e-9);

    // The definition itself is never placed or marked.
    EXPECT_POINT_NEAR(first->GetKeyPoint(0), -10.0, 0.0, 0);
}

TEST(BlockGeometry, EmptyMissingAndSelfPlacingDefinitionsEnd)
{
    // No definitions at all, and an empty one: no extent, no points.
    TZhdData none;
    TZhdData empty;
    AddDefinition(empty, 1, {});
    for (const TZhdData* document : { &none, &empty }) {
        const auto block = BlockElem(1);
        const Extent extent = ExtentOf(*block, *document);
        EXPECT_POINT_NEAR(extent.min, 1234.0, 1234.0, 0);
        TBPoint point(7.0, 7.0);
        double distance = 0;
        EXPECT_EQ(block->NearestPoint(TBPoint(0.0, 0.0), *document, point, distance), 0);
        EXPECT_EQ(distance, 1e308);
        EXPECT_POINT_NEAR(point, 7.0, 7.0, 0);
        EXPECT_EQ(block->NearestEndPoint(TBPoint(0.0, 0.0), *document, point, distance), 0);
    }

    // 1 places itself next to a line; 2 and 3 place each other.
    TZhdData ring;
    AddDefinition(ring, 1, { LineElem(0, 0, 10, 0), BlockElem(1, TBPoint(5.0, 5.0)) });
    AddDefinition(ring, 2, { LineElem(0, 0, 0, 10), BlockElem(3, TBPoint(1.0, 0.0)) });
    AddDefinition(ring, 3, { LineElem(0, 0, 0, 20), BlockElem(2, TBPoint(1.0, 0.0)) });
    // The inner copy of a definition already being placed is skipped, and
    // adds nothing to the box (not even its insertion point).
    const Extent self = ExtentOf(*BlockElem(1, TBPoint(100.0, 100.0)), ring);
    EXPECT_POINT_NEAR(self.min, 100.0, 100.0, 1e-9);
    EXPECT_POINT_NEAR(self.max, 110.0, 100.0, 1e-9);
    const Extent mutual = ExtentOf(*BlockElem(2), ring);
    EXPECT_POINT_NEAR(mutual.min, 0.0, 0.0, 1e-9);
    EXPECT_POINT_NEAR(mutual.max, 1.0, 20.0, 1e-9);
    TBPoint point;
    double distance = 0;
    EXPECT_EQ(BlockElem(2)->NearestEndPoint(TBPoint(2.0, 21.0), ring, point, distance), 1);
    EXPECT_POINT_NEAR(point, 1.0, 20.0, 1e-9);
    // Asked again, from the kept copies, the answers are the same.
    EXPECT_POINT_NEAR(ExtentOf(*BlockElem(1, TBPoint(100.0, 100.0)), ring).max, 110.0, 100.0, 1e-9);
    EXPECT_POINT_NEAR(ExtentOf(*BlockElem(2), ring).max, 1.0, 20.0, 1e-9);
}

TEST(BlockGeometry, NestedReferencesArePlacedByEveryLevel)
{
    TZhdData document;
    AddDefinition(document, 1, { LineElem(0, 0, 1, 0) });
    AddDefinition(document, 2, { BlockElem(1, TBPoint(10.0, 0.0), 2, 2) });
    AddDefinition(document, 3, { BlockElem(2, TBPoint(0.0, 100.0), 1, 1, 90) });
    // Level 1: (0..1, 0); level 2: x2, at (10, 0) → (10..12, 0); level 3:
    // turned a quarter and moved up 100 → (0, 110..112).
    const Extent extent = ExtentOf(*BlockElem(3), document);
    EXPECT_POINT_NEAR(extent.min, 0.0, 110.0, 1e-9);
    EXPECT_POINT_NEAR(extent.max, 0.0, 112.0, 1e-9);
}

TEST(BlockGeometry, AChangedDefinitionIsPlacedAnew)
{
    TZhdData document;
    AddDefinition(document, 1, { LineElem(0, 0, 10, 0) });
    const auto block = BlockElem(1);
    EXPECT_POINT_NEAR(ExtentOf(*block, document).max, 10.0, 0.0, 1e-9);
    document.ClearBlockDefines();
    AddDefinition(document, 1, { LineElem(0, 0, 30, 0) });
    EXPECT_POINT_NEAR(ExtentOf(*block, document).max, 30.0, 0.0, 1e-9);
    // A copy of the document places on its own.
    const TZhdData copy(document);
    EXPECT_POINT_NEAR(ExtentOf(*block, copy).max, 30.0, 0.0, 1e-9);
}

TEST(BlockGeometry, Transformations)
{
    const TZhdData document;
    auto block = BlockElem(1, TBPoint(10.0, 0.0), 1, 1, 30);
    block->Rotate(TAngle(std::numbers::pi / 2), document);
    EXPECT_POINT_NEAR(block->GetPos(), 0.0, 10.0, 1e-9);
    EXPECT_NEAR(block->GetAngle().GetDegrees(), 120.0, 1e-9);

    block = BlockElem(1, TBPoint(1.0, 1.0), 1, 1);
    block->Scale(2, 3, document);
    EXPECT_POINT_NEAR(block->GetPos(), 2.0, 3.0, 0);
    EXPECT_EQ(block->GetScaleX(), 2);
    EXPECT_EQ(block->GetScaleY(), 3);

    // Stored scales of 0 place at 1: scaling such a block grows it.
    block = BlockElem(1, TBPoint(1.0, 1.0), 0, 0);
    block->Scale(2, 3, document);
    EXPECT_EQ(block->GetScaleX(), 2);
    EXPECT_EQ(block->GetScaleY(), 3);

    block->Move(5, -1, document);
    EXPECT_POINT_NEAR(block->GetPos(), 7.0, 2.0, 0);
}
