#include "core/QuarticSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace {

struct QuarticCase {
    const char* name;
    double a, b, c, d, e;
    std::vector<double> roots; // in the order reported
    std::vector<int> kinds;
};

// The coefficients of lead * (x - r1)(x - r2)... for two to four factors;
// a factor (x^2 + s*x + t) may stand for a complex pair.
struct Polynomial {
    std::vector<double> coefficients { 1 }; // highest power first

    void MultiplyBy(std::vector<double> factor)
    {
        std::vector<double> product(coefficients.size() + factor.size() - 1, 0.0);
        for (std::size_t i = 0; i < coefficients.size(); ++i) {
            for (std::size_t j = 0; j < factor.size(); ++j)
                product[i + j] += coefficients[i] * factor[j];
        }
        coefficients = product;
    }
};

} // namespace

TEST(QuarticSolver, RootsAndKindsInTheirOrder)
{
    const QuarticCase cases[] = {
        { "roots +-1 and +-2", 1, 0, -5, 0, 4, { 2, 1, -1, -2 }, { 1, 1, 1, 1 } },
        { "the same, scaled", 2, 0, -10, 0, 8, { 2, 1, -1, -2 }, { 1, 1, 1, 1 } },
        { "(x^2 - 1)^2: double roots", 1, 0, -2, 0, 1, { 1, -1 }, { 3, 3 } },
        { "no real root", 1, 0, 0, 0, 1, {}, {} },
        // A fourfold root keeps its kind, so the two lists stay in step.
        { "(x - 1)^4", 1, -4, 6, -4, 1, { 1 }, { 3 } },
        // Quadratic in x^2 with the resolvent's only real root at zero.
        { "x^4 - 1", 1, 0, 0, 0, -1, { 1, -1 }, { 1, 1 } },
        { "x^4 - x^2", 1, 0, -1, 0, 0, { 1, -1, 0 }, { 1, 1, 3 } },
    };
    for (const QuarticCase& test : cases) {
        SCOPED_TRACE(test.name);
        std::vector<double> roots { 99 };
        std::vector<int> kinds { 99, 99 };
        const int count = SolveQuartic(test.a, test.b, test.c, test.d, test.e, roots, kinds);
        ASSERT_EQ(count, static_cast<int>(test.roots.size()));
        ASSERT_EQ(roots.size(), test.roots.size());
        EXPECT_EQ(kinds, test.kinds);
        for (std::size_t i = 0; i < roots.size(); ++i)
            EXPECT_NEAR(roots[i], test.roots[i], 1e-12) << i;
    }
}

TEST(QuarticSolver, DoubleRootBesideAComplexPair)
{
    Polynomial p; // (x - 1.5)^2 (x^2 + x + 1)
    p.MultiplyBy({ 1, -3, 2.25 });
    p.MultiplyBy({ 1, 1, 1 });
    const auto& k = p.coefficients;
    std::vector<double> roots;
    std::vector<int> kinds;
    ASSERT_EQ(SolveQuartic(k[0], k[1], k[2], k[3], k[4], roots, kinds), 1);
    EXPECT_NEAR(roots[0], 1.5, 1e-7);
    EXPECT_EQ(kinds, std::vector<int> { RootMultiple });
}

// Roots +-2 beside the complex pair +-3i, with the symmetry broken in the
// ninth digit: the resolvent's one real root is tiny and must come out to
// full precision.
TEST(QuarticSolver, NearlyEvenQuartic)
{
    Polynomial p;
    p.MultiplyBy({ 1, -2 });
    p.MultiplyBy({ 1, 2 + 1e-9 });
    p.MultiplyBy({ 1, 0, 9 });
    const auto& k = p.coefficients;
    std::vector<double> roots;
    std::vector<int> kinds;
    ASSERT_EQ(SolveQuartic(k[0], k[1], k[2], k[3], k[4], roots, kinds), 2);
    std::sort(roots.begin(), roots.end());
    EXPECT_NEAR(roots[0], -2 - 1e-9, 1e-13);
    EXPECT_NEAR(roots[1], 2, 1e-13);
    EXPECT_EQ(kinds, (std::vector<int> { RootSimple, RootSimple }));
}

// Two real roots beside a complex pair, where the resolvent has one real root
// and its discriminant is positive: small beside the cube term's square
// (Cardano's sum cancels unless taken with the cube term's sign), or below the
// tolerance that sends it to the trigonometric form (which then does not come
// out real).
TEST(QuarticSolver, OneRealResolventRoot)
{
    const struct {
        double r1, r2, centre, width;
    } cases[] = {
        { 0.98375784039548964, -0.70470046547645171, -0.42037591084135184, 0.13067364903081735 },
        { -0.046372060446720632, 0.068583422089949747, -0.036632827792857245, 0.0050176964963960097 },
        { 0.092667154068166779, -0.08718403153203591, 0.092724873095522103, 0.0013521010271330125 },
        { -93.260594795997463, 19.04331197053348, 18.107843487981754, 1.0586480539487866 },
    };
    for (const auto& test : cases) {
        Polynomial p;
        p.MultiplyBy({ 1, -(test.r1 + test.r2), test.r1 * test.r2 });
        p.MultiplyBy({ 1, -2 * test.centre, test.centre * test.centre + test.width * test.width });
        const auto& k = p.coefficients;
        std::vector<double> roots;
        std::vector<int> kinds;
        ASSERT_EQ(SolveQuartic(k[0], k[1], k[2], k[3], k[4], roots, kinds), 2) << test.r1;
        std::sort(roots.begin(), roots.end());
        EXPECT_NEAR(roots[0], std::fmin(test.r1, test.r2), 1e-10 * std::fabs(test.r1));
        EXPECT_NEAR(roots[1], std::fmax(test.r1, test.r2), 1e-10 * std::fabs(test.r1));
    }
}

TEST(QuarticSolver, RefusalsLeaveTheListsAlone)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double refused[][5] = {
        { -1, 0, 5, 0, -4 },   // a negative leading coefficient
        { 1e-15, 0, 5, 0, -4 }, // not really a quartic
        { kNaN, 0, 5, 0, -4 },
        { kInf, 0, 5, 0, -4 },
        { 1, kNaN, 5, 0, -4 },
        { 1, 0, 5, 0, -kInf },
    };
    for (const auto& k : refused) {
        std::vector<double> roots { 7 };
        std::vector<int> kinds { 7 };
        EXPECT_EQ(SolveQuartic(k[0], k[1], k[2], k[3], k[4], roots, kinds), 0);
        EXPECT_EQ(roots, std::vector<double> { 7 });
        EXPECT_EQ(kinds, std::vector<int> { 7 });
    }
}

TEST(QuarticSolver, OverflowGivesNoRoots)
{
    std::vector<double> roots { 7 };
    std::vector<int> kinds { 7 };
    EXPECT_EQ(SolveQuartic(1, 1e300, 0, 0, -1, roots, kinds), 0);
    EXPECT_TRUE(roots.empty());
    EXPECT_TRUE(kinds.empty());
}

// Quartics built from known roots at sizes from 0.1 to 1000: four real roots,
// two real roots and a complex pair, or two complex pairs. Every real root is
// found once, simple, to near the precision of the coefficients, and nothing
// else is reported. Roots closer than 1% of the size are not drawn (near
// double roots are the tolerance's business).
TEST(QuarticSolver, FindsTheRootsOfBuiltQuarticsAtEverySize)
{
    std::mt19937_64 random(20240607);
    for (double size : { 0.1, 1.0, 10.0, 100.0, 1000.0 }) {
        std::uniform_real_distribution<double> coordinate(-size, size);
        std::uniform_real_distribution<double> lead(0.5, 2);
        for (int trial = 0; trial < 300; ++trial) {
            const int real_count = (trial % 3) * 2; // 0, 2 or 4
            std::vector<double> real_roots;
            Polynomial p;
            p.MultiplyBy({ lead(random) });
            for (int i = 0; i < real_count; ++i) {
                real_roots.push_back(coordinate(random));
                p.MultiplyBy({ 1, -real_roots.back() });
            }
            for (int i = real_count; i < 4; i += 2) {
                const double centre = coordinate(random);
                const double width = 0.05 * size + std::fabs(coordinate(random));
                p.MultiplyBy({ 1, -2 * centre, centre * centre + width * width });
            }
            bool separated = true;
            for (std::size_t i = 0; i < real_roots.size(); ++i) {
                for (std::size_t j = i + 1; j < real_roots.size(); ++j)
                    separated = separated && std::fabs(real_roots[i] - real_roots[j]) > 0.01 * size;
            }
            if (!separated)
                continue;

            const auto& k = p.coefficients;
            std::vector<double> roots;
            std::vector<int> kinds;
            const int count = SolveQuartic(k[0], k[1], k[2], k[3], k[4], roots, kinds);
            SCOPED_TRACE(testing::Message() << "size " << size << " trial " << trial);
            ASSERT_EQ(count, real_count);
            std::sort(roots.begin(), roots.end());
            std::sort(real_roots.begin(), real_roots.end());
            for (int i = 0; i < count; ++i) {
                EXPECT_NEAR(roots[i], real_roots[i], 1e-10 * size);
                EXPECT_EQ(kinds[i], RootSimple);
            }
        }
    }
}
