// All intersections of a drawing by area division, against the plain
// comparison of every pair, with the trace lines the search writes.

#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "platform/ShiftJis.h"
#include "tests/document/SelectionFixture.h"
#include "tests/elements/BlockFixture.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <sstream>
#include <tuple>

namespace {

using Table = TZhdElemList::IntersectionTable;
// Element number, the other's number, x, y.
using Filed = std::tuple<int, int, double, double>;

// To a billionth, so that the tables read plainly.
double Round(double v)
{
    return std::round(v * 1e9) / 1e9 + 0.0;
}

std::vector<Filed> Flatten(const Table& table)
{
    std::vector<Filed> filed;
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (const TBPoint& point : table[i])
            filed.emplace_back(static_cast<int>(i), point.GetTag(), Round(point.GetX()), Round(point.GetY()));
    }
    std::sort(filed.begin(), filed.end());
    return filed;
}

// Every pair of elements of editable layers, every point on both pieces.
std::vector<Filed> BruteForce(TZhdData& document)
{
    TZhdElemList& list = document.GetElemListPtr();
    list.NumberElems();
    std::vector<Filed> filed;
    std::vector<TBPoint> points;
    const auto editable = [&](const TZhdElemPtr& elem) {
        return document.GetCachedLayerState(elem->GetGLayer(), elem->GetLayer()) > 1;
    };
    for (int a = 0; a < list.Size(); ++a) {
        for (int b = a + 1; b < list.Size(); ++b) {
            if (!editable(list.GetAt(a)) || !editable(list.GetAt(b)))
                continue;
            TZhdElem::CrossPointsBetween(list.GetAt(a), list.GetAt(b), document, points);
            for (const TBPoint& point : points) {
                if (point.GetTag() == 0)
                    continue;
                filed.emplace_back(a, b, Round(point.GetX()), Round(point.GetY()));
                filed.emplace_back(b, a, Round(point.GetX()), Round(point.GetY()));
            }
        }
    }
    std::sort(filed.begin(), filed.end());
    return filed;
}

int FindAll(TZhdData& document, Table& table)
{
    std::string text;
    return document.FindIntersections(table, text);
}

// The trace lines of one search.
class CapturedLog {
public:
    CapturedLog() { RedirectDebugLog(&lines_); }
    ~CapturedLog() { RedirectDebugLog(nullptr); }
    std::string Text() const { return lines_.str(); }

private:
    std::ostringstream lines_;
};

TZhdElemPtr Circle(double cx, double cy, double r)
{
    return boost::make_shared<TKCircle>(TBPoint(cx, cy), r, TAngle(0.0), TAngle(6.283185307179586), TAngle(0.0),
                                        1.0, 1);
}

} // namespace

TEST(IntersectionSearch, PointIsFiledOnBothElementsWithTheOthersNumber)
{
    TZhdData document;
    for (int i = 0; i < 10; ++i) // apart from each other: horizontal lines far down
        document.GetElemListPtr().Append(LineElem(100, -10.0 * i, 110, -10.0 * i));
    document.GetElemListPtr().SetAt(3, LineElem(0, 0, 10, 10));
    document.GetElemListPtr().SetAt(8, LineElem(0, 10, 10, 0));
    document.RefreshLayerStates();

    Table table { { TBPoint(1.0, 1.0) } };
    EXPECT_EQ(FindAll(document, table), 1);
    ASSERT_EQ(table.size(), 10u);
    EXPECT_EQ(Flatten(table), (std::vector<Filed> { { 3, 8, 5.0, 5.0 }, { 8, 3, 5.0, 5.0 } }));
}

TEST(IntersectionSearch, JunctionsOnTheTopAndRightOfTheDrawingAreFound)
{
    // A frame whose corners are the corners of the drawing's extent.
    TZhdData document;
    TZhdElemList& list = document.GetElemListPtr();
    for (const auto& line : { LineElem(0, 0, 100, 0), LineElem(100, 0, 100, 50), LineElem(100, 50, 0, 50),
                              LineElem(0, 50, 0, 0) })
        list.Append(line);
    document.RefreshLayerStates();

    Table table;
    EXPECT_EQ(FindAll(document, table), 4);
    EXPECT_EQ(Flatten(table), BruteForce(document));

    // The grid search alone, started on the extent, is closed there too.
    Table grid(4);
    std::string text;
    list.IntersectByGrid(grid, document, 100, TBPoint(0.0, 0.0), TBPoint(100.0, 50.0), 0, 0, text);
    EXPECT_EQ(Flatten(grid), Flatten(table));
}

TEST(IntersectionSearch, AgreesWithEveryPairCompared)
{
    struct Row {
        const char* name;
        std::function<void(TZhdElemList&)> fill;
    };
    const Row rows[] = {
        { "grid of 40 x 40 lines with a frame",
          [](TZhdElemList& list) {
              for (int i = 0; i <= 40; ++i) {
                  list.Append(LineElem(0, i * 2.5, 100, i * 2.5));
                  list.Append(LineElem(i * 2.5, 0, i * 2.5, 100));
              }
          } },
        { "1500 random segments",
          [](TZhdElemList& list) {
              std::mt19937_64 random(7);
              std::uniform_real_distribution<double> at(0, 1000), step(-40, 40);
              for (int i = 0; i < 1500; ++i) {
                  const double x = at(random), y = at(random);
                  list.Append(LineElem(x, y, x + step(random), y + step(random)));
              }
          } },
        { "lines, circles, points and solids in either order",
          [](TZhdElemList& list) {
              std::mt19937_64 random(11);
              std::uniform_real_distribution<double> at(0, 300), step(-30, 30);
              for (int i = 0; i < 600; ++i) {
                  const double x = at(random), y = at(random);
                  switch (i % 4) {
                  case 0:
                      list.Append(LineElem(x, y, x + step(random), y + step(random)));
                      break;
                  case 1:
                      list.Append(Circle(x, y, 1 + std::fabs(step(random)) / 3));
                      break;
                  case 2: {
                      auto solid = boost::make_shared<TKSolid>();
                      solid->SetSolid(TBPoint(x, y), TBPoint(x + 8, y), TBPoint(x + 8, y + 5), TBPoint(x, y + 5), 0);
                      list.Append(solid);
                      break;
                  }
                  default: {
                      // On a line of the list now and then.
                      auto point = boost::make_shared<TKPoint>();
                      point->SetPos(TBPoint(std::round(x), std::round(y)));
                      list.Append(point);
                      list.Append(LineElem(std::round(x) - 3, std::round(y), std::round(x) + 3, std::round(y)));
                      break;
                  }
                  }
              }
          } },
        // Elements stacked on one another fall into both halves of every
        // cut; the search must still end, and soon.
        { "300 copies of one line", [](TZhdElemList& list) {
              for (int i = 0; i < 300; ++i)
                  list.Append(LineElem(0, 0, 50, 50));
          } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TZhdData document;
        row.fill(document.GetElemListPtr());
        document.RefreshLayerStates();
        Table table;
        const int found = FindAll(document, table);
        const std::vector<Filed> expected = BruteForce(document);
        EXPECT_EQ(found, static_cast<int>(expected.size() / 2));
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(Flatten(table), expected);
    }
}

TEST(IntersectionSearch, OnlyEditableLayersAreIntersected)
{
    TZhdData document;
    SetLayerState(document, 0, 1, 0); // hidden
    SetLayerState(document, 0, 2, 1); // display only
    TZhdElemList& list = document.GetElemListPtr();
    list.Append(LineElem(0, 0, 10, 10));
    list.Append(PlaceOn(boost::static_pointer_cast<TKLine>(LineElem(0, 10, 10, 0)), 0, 1));
    list.Append(PlaceOn(boost::static_pointer_cast<TKLine>(LineElem(0, 5, 10, 5)), 0, 2));
    list.Append(LineElem(5, 0, 5, 10));
    document.RefreshLayerStates();
    Table table;
    EXPECT_EQ(FindAll(document, table), 1);
    EXPECT_EQ(Flatten(table), (std::vector<Filed> { { 0, 3, 5.0, 5.0 }, { 3, 0, 5.0, 5.0 } }));
}

TEST(IntersectionSearch, EmptyDrawingHasNoIntersections)
{
    TZhdData document;
    Table table { {}, {} };
    std::string text = "old";
    EXPECT_EQ(document.FindIntersections(table, text), 0);
    EXPECT_TRUE(table.empty());
}

TEST(IntersectionSearch, TraceLinesGiveTheEstimateAndTheCells)
{
    struct Row {
        int count;
        std::string estimate;
        std::string cells;
    };
    const Row rows[] = {
        { 800, "n=800, m=100, call_limit=6, p1=320000, p2=42400, p2 / p1=0.132500", "[6 * 6 = 36]" },
        // Too few for cells of their own: the whole area is one.
        { 50, "n=50, m=100, call_limit=-2, p1=1250, p2=2450, p2 / p1=1.960000", "[1 * 1 = 1]" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.count);
        TZhdData document;
        for (int i = 0; i < row.count; ++i)
            document.GetElemListPtr().Append(LineElem(i, 0, i, 10));
        document.RefreshLayerStates();

        CapturedLog log;
        Table table;
        std::string text;
        document.FindIntersections(table, text);
        const std::string lines = log.Text();
        EXPECT_NE(lines.find(row.estimate + "\n"), std::string::npos) << lines.substr(0, 200);
        EXPECT_NE(lines.find(sj(u8"交差判定：エリア分割　") + row.cells), std::string::npos);
        EXPECT_NE(lines.find(sj(u8"交差判定：0 / ") + std::to_string(row.count)), std::string::npos);
        // The text is left holding the last line written.
        EXPECT_EQ(text, "   TOTAL 0");
    }
}
