#include "elements/GlyphOutlineText.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GlyphOutlineText, QuadraticCurvesFlattenIntoEqualStepsOfTheParameter)
{
    struct Row {
        int n;
        std::vector<double> xs;
        std::vector<double> ys;
    };
    // P0 (0, 0), P1 (2, 4), P2 (4, 0): x = 4t, y = 8t(1 - t).
    const Row rows[] = {
        { 10, { 0.4, 0.8, 1.2, 1.6, 2.0, 2.4, 2.8, 3.2, 3.6, 4.0 },
              { 0.72, 1.28, 1.68, 1.92, 2.0, 1.92, 1.68, 1.28, 0.72, 0.0 } },
        { 2, { 2.0, 4.0 }, { 2.0, 0.0 } },
        { 1, { 4.0 }, { 0.0 } },
        { 0, {}, {} },
        { -3, {}, {} },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.n);
        std::vector<double> xs { -1 }, ys { -1 }; // appended to, never cleared
        AppendQuadBezierPoints(0, 0, 2, 4, 4, 0, xs, ys, row.n);
        ASSERT_EQ(xs.size(), row.xs.size() + 1);
        ASSERT_EQ(ys.size(), row.ys.size() + 1);
        for (std::size_t i = 0; i < row.xs.size(); ++i) {
            EXPECT_NEAR(xs[i + 1], row.xs[i], 1e-12);
            EXPECT_NEAR(ys[i + 1], row.ys[i], 1e-12);
        }
    }
}
