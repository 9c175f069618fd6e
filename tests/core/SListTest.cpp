#include "core/SList.h"

#include <gtest/gtest.h>

#include <climits>
#include <list>
#include <string>

namespace {

// One letter per element, so a whole list reads as a word.
TSList<char> Letters(const std::string& word)
{
    TSList<char> list;
    for (char letter : word)
        list.Append(letter);
    return list;
}

std::string Word(const TSList<char>& list)
{
    return std::string(list.Begin(), list.End());
}

} // namespace

TEST(SList, GetAndSetWalkToTheClampedIndex)
{
    TSList<char> list = Letters("ABCDE");
    EXPECT_EQ(list.ClampIndex(-3), 3);
    EXPECT_EQ(list.ClampIndex(INT_MIN), 4);
    EXPECT_EQ(list.Get(-1), 'B');
    EXPECT_EQ(list.Get(7), 'E');
    EXPECT_EQ(list.Set(99, 'z'), 'z');
    EXPECT_EQ(list.Set(0, 'a'), 'a');
    EXPECT_EQ(Word(list), "aBCDz");
}

TEST(SList, InsertClampsItsIndex)
{
    TSList<char> list = Letters("ABC");
    EXPECT_EQ(list.Insert(99, 'v'), 4);
    EXPECT_EQ(Word(list), "ABvC");
    EXPECT_EQ(list.Insert(-1, 'w'), 5);
    EXPECT_EQ(Word(list), "AwBvC");
    EXPECT_EQ(list.Prepend('<'), 6);
    EXPECT_EQ(list.Append('>'), 7);
    EXPECT_EQ(Word(list), "<AwBvC>");

    TSList<char> empty;
    EXPECT_EQ(empty.Insert(5, 'v'), 1);
    EXPECT_EQ(Word(empty), "v");
}

TEST(SList, Deletion)
{
    TSList<char> list = Letters("ABCDE");
    EXPECT_EQ(list.Delete(-1), 4);
    EXPECT_EQ(list.Delete(99), 3);
    EXPECT_EQ(Word(list), "ACD");
    EXPECT_EQ(list.DeleteHead(), 2);
    EXPECT_EQ(list.DeleteTail(), 1);
    EXPECT_EQ(Word(list), "C");
    EXPECT_EQ(list.Clear(), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(SList, MoveAndExchange)
{
    struct Case {
        const char* operation;
        int first;
        int second;
        const char* after;
    };
    const Case cases[] = {
        { "move", 3, 1, "ADBCE" },
        { "move", 1, 3, "ACBDE" },
        { "move", 2, 2, "ABCDE" },
        { "move", 0, 99, "BCDAE" },
        { "move", -4, 0, "EABCD" },
        { "tail", 0, 0, "BCDEA" },
        { "tail", 99, 0, "ABCDE" },
        { "exchange", 0, 9, "EBCDA" },
        { "exchange", -2, 2, "ABCDE" },
        { "exchange", 1, -3, "ADCBE" },
    };
    for (const auto& c : cases) {
        TSList<char> list = Letters("ABCDE");
        const std::string operation = c.operation;
        int count = 0;
        if (operation == "move")
            count = list.Move(c.first, c.second);
        else if (operation == "tail")
            count = list.MoveToTail(c.first);
        else
            count = list.Exchange(c.first, c.second);
        EXPECT_EQ(count, 5) << operation << ' ' << c.first << ' ' << c.second;
        EXPECT_EQ(Word(list), c.after) << operation << ' ' << c.first << ' ' << c.second;
    }
}

TEST(SList, AnEmptyListAnswersHarmlessly)
{
    TSList<std::string> empty;
    EXPECT_EQ(empty.ClampIndex(0), -1);
    EXPECT_EQ(empty.Get(0), "");
    EXPECT_EQ(empty.Set(2, "x"), "");
    EXPECT_EQ(empty.Delete(0), 0);
    EXPECT_EQ(empty.DeleteHead(), 0);
    EXPECT_EQ(empty.DeleteTail(), 0);
    EXPECT_EQ(empty.Move(0, 1), 0);
    EXPECT_EQ(empty.MoveToTail(0), 0);
    EXPECT_EQ(empty.Exchange(0, 1), 0);
    EXPECT_EQ(empty.Reverse(), 0);
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(empty.Begin(), empty.End());
}

TEST(SList, ReverseResizeAndSwap)
{
    TSList<char> list = Letters("ABCDE");
    EXPECT_EQ(list.Reverse(), 5);
    EXPECT_EQ(Word(list), "EDCBA");
    EXPECT_EQ(list.Resize(-2), 2);
    EXPECT_EQ(Word(list), "ED");
    EXPECT_EQ(list.Resize(3), 3);
    EXPECT_EQ(Word(list), std::string("ED\0", 3));

    std::list<char> other { 'x', 'y' };
    EXPECT_EQ(list.Swap(other), 2);
    EXPECT_EQ(Word(list), "xy");
    EXPECT_EQ(std::string(other.begin(), other.end()), std::string("ED\0", 3));
}

TEST(SList, CopiesAreIndependent)
{
    TSList<char> source = Letters("ABC");
    const TSList<char> copy(source);
    TSList<char> assigned;
    assigned = source;
    TSList<char> taken;
    taken.Assign(source).Append('D');
    *source.Begin() = 'x';
    EXPECT_EQ(Word(copy), "ABC");
    EXPECT_EQ(Word(assigned), "ABC");
    EXPECT_EQ(Word(taken), "ABCD");

    TSList<char>& self = source;
    source = self;
    EXPECT_EQ(Word(source), "xBC");
}
