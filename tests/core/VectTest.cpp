#include "core/Vect.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

template <typename T>
TVect<T> Make(std::initializer_list<T> values)
{
    TVect<T> vect;
    for (const T& value : values)
        vect.Append(value);
    return vect;
}

template <typename T>
std::vector<T> Items(const TVect<T>& vect)
{
    std::vector<T> items;
    for (int i = 0; i < vect.Count(); ++i)
        items.push_back(vect.Get(i));
    return items;
}

} // namespace

TEST(Vect, ClampIndexTakesTheAbsoluteValueAndStopsAtTheLast)
{
    TVect<int> ten;
    ten.Resize(10);
    const TVect<int> empty;
    struct Case {
        int index;
        int on_ten;
    };
    const Case cases[] = { { 0, 0 }, { 3, 3 }, { -3, 3 }, { 9, 9 }, { 25, 9 }, { -25, 9 }, { INT_MAX, 9 }, { INT_MIN, 9 } };
    for (const auto& c : cases) {
        EXPECT_EQ(ten.ClampIndex(c.index), c.on_ten) << c.index;
        EXPECT_EQ(empty.ClampIndex(c.index), -1) << c.index;
    }
}

TEST(Vect, GetAndSetUseTheClampedIndex)
{
    TVect<int> vect = Make({ 10, 11, 12, 13, 14 });
    EXPECT_EQ(vect.Get(-1), 11);
    EXPECT_EQ(vect.Get(7), 14);
    EXPECT_EQ(vect.Get(INT_MIN), 14);
    EXPECT_EQ(vect.Set(7, 99), 99);
    EXPECT_EQ(vect.Set(-2, 42), 42);
    EXPECT_EQ(Items(vect), (std::vector<int> { 10, 11, 42, 13, 99 }));
}

TEST(Vect, ExchangeSwapsTheClampedElements)
{
    TVect<std::string> vect = Make<std::string>({ "a", "b", "c", "d", "e" });
    EXPECT_EQ(vect.Exchange(2, 2), 5);
    EXPECT_EQ(Items(vect), (std::vector<std::string> { "a", "b", "c", "d", "e" }));
    EXPECT_EQ(vect.Exchange(0, 99), 5);
    EXPECT_EQ(Items(vect), (std::vector<std::string> { "e", "b", "c", "d", "a" }));
    vect.Exchange(-1, 3);
    EXPECT_EQ(Items(vect), (std::vector<std::string> { "e", "d", "c", "b", "a" }));
}

TEST(Vect, InsertAndDeleteUseTheIndexAsGiven)
{
    TVect<int> vect = Make({ 1, 2, 3 });
    EXPECT_EQ(vect.Insert(3, 4), 4);
    EXPECT_EQ(vect.Insert(0, 0), 5);
    EXPECT_EQ(vect.Insert(2, 9), 6);
    EXPECT_EQ(Items(vect), (std::vector<int> { 0, 1, 9, 2, 3, 4 }));
    EXPECT_EQ(vect.Delete(2), 5);
    EXPECT_EQ(vect.Delete(0), 4);
    EXPECT_EQ(vect.Delete(3), 3);
    EXPECT_EQ(Items(vect), (std::vector<int> { 1, 2, 3 }));
}

TEST(Vect, InsertAndDeleteOutsideTheLimitsStayInside)
{
    TVect<int> vect = Make({ 1, 2 });
    EXPECT_EQ(vect.Insert(-5, 0), 3);
    EXPECT_EQ(vect.Insert(99, 3), 4);
    EXPECT_EQ(vect.Insert(INT_MIN, -1), 5);
    EXPECT_EQ(Items(vect), (std::vector<int> { -1, 0, 1, 2, 3 }));
    EXPECT_EQ(vect.Delete(-1), 5);
    EXPECT_EQ(vect.Delete(5), 5);
    EXPECT_EQ(vect.Delete(INT_MIN), 5);
    EXPECT_EQ(Items(vect), (std::vector<int> { -1, 0, 1, 2, 3 }));
}

TEST(Vect, AnEmptyVectorReadsDefaultsAndStoresNothing)
{
    TVect<std::string> empty;
    EXPECT_EQ(empty.Get(0), "");
    EXPECT_EQ(empty.Set(3, "x"), "");
    EXPECT_EQ(empty.Exchange(0, 1), 0);
    EXPECT_EQ(empty.Delete(0), 0);
    EXPECT_EQ(empty.Count(), 0);
    TVect<double> numbers;
    EXPECT_EQ(numbers.Get(-7), 0.0);
}

TEST(Vect, ResizeTakesTheAbsoluteSizeAndFillsWithDefaults)
{
    TVect<double> vect = Make({ 1.5, 2.5 });
    EXPECT_EQ(vect.Resize(-4), 4);
    EXPECT_EQ(Items(vect), (std::vector<double> { 1.5, 2.5, 0.0, 0.0 }));
    EXPECT_EQ(vect.Resize(1), 1);
    EXPECT_EQ(Items(vect), (std::vector<double> { 1.5 }));
    EXPECT_EQ(vect.Clear(), 0);
    EXPECT_EQ(vect.Count(), 0);
}

TEST(Vect, FlagsBehaveAsAnyOtherElement)
{
    TVect<bool> flags;
    EXPECT_EQ(flags.Resize(3), 3);
    EXPECT_EQ(Items(flags), (std::vector<bool> { false, false, false }));
    EXPECT_TRUE(flags.Set(-1, true));
    EXPECT_FALSE(flags.Set(0, false));
    flags.Exchange(1, 2);
    EXPECT_EQ(Items(flags), (std::vector<bool> { false, false, true }));
    flags.Insert(0, true);
    EXPECT_EQ(Items(flags), (std::vector<bool> { true, false, false, true }));
}

TEST(Vect, CopiesAreIndependent)
{
    TVect<std::string> source = Make<std::string>({ "a", "b" });
    TVect<std::string> copy(source);
    TVect<std::string> assigned;
    assigned = source;
    TVect<std::string> taken;
    taken.Assign(source).Append("c");
    source.Set(0, "changed");
    EXPECT_EQ(Items(copy), (std::vector<std::string> { "a", "b" }));
    EXPECT_EQ(Items(assigned), (std::vector<std::string> { "a", "b" }));
    EXPECT_EQ(Items(taken), (std::vector<std::string> { "a", "b", "c" }));

    TVect<std::string>& self = source;
    source = self;
    EXPECT_EQ(Items(source), (std::vector<std::string> { "changed", "b" }));
}
