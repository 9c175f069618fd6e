#include "controls/ListSortEx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// An item is a key digit and a tag letter, written "2b"; only the key is
// compared, so the tags show where equal keys end up.
using Item = std::string;

std::vector<Item> Items(const std::string& text)
{
    std::istringstream words(text);
    std::vector<Item> items;
    for (Item item; words >> item;)
        items.push_back(item);
    return items;
}

std::string Text(const std::vector<Item>& items)
{
    std::string text;
    for (const Item& item : items)
        text += (text.empty() ? "" : " ") + item;
    return text;
}

struct Comparisons {
    int count = 0;
};

int CompareKeys(const Item& item1, const Item& item2, Comparisons* comparisons)
{
    ++comparisons->count;
    return item1[0] - item2[0];
}

TEST(ListSortExTest, FewerThanTwoItemsAreLeftAlone)
{
    for (const char* text : {"", "5x"}) {
        std::vector<Item> items = Items(text);
        Comparisons comparisons;
        ListSortEx(items, CompareKeys, &comparisons);
        EXPECT_EQ(Text(items), text);
        EXPECT_EQ(comparisons.count, 0);
    }
}

// The outputs are traced by hand through the partitioning (middle pivot,
// exchange and move on, left part recursively, right part by the loop).
TEST(ListSortExTest, EqualKeysComeOutInThePartitioningsOrder)
{
    struct Case {
        const char* input;
        const char* sorted;
    };
    const Case cases[] = {
        {"1a 1b", "1b 1a"},
        {"1a 1b 1c", "1c 1b 1a"},
        {"2a 1a 2b 1b", "1b 1a 2a 2b"},
        {"1a 1b 1c 1d 1e", "1d 1e 1c 1a 1b"},
        {"3a 1a 2a 1b 2b 3b", "1b 1a 2b 2a 3b 3a"},
        {"5a 3a 8a 1a 9a 2a", "1a 2a 3a 5a 8a 9a"},
    };
    for (const Case& sort_case : cases) {
        std::vector<Item> items = Items(sort_case.input);
        Comparisons comparisons;
        ListSortEx(items, CompareKeys, &comparisons);
        EXPECT_EQ(Text(items), sort_case.sorted) << sort_case.input;
    }
}

TEST(ListSortExTest, SortsAnyListByItsKeysAndPassesTheExtraDataToEveryComparison)
{
    // Oracle: the keys in std::sort's order, and the same items.
    struct Direction {
        int sign;
        int calls;
    };
    const auto compare = [](const int& item1, const int& item2, Direction* direction) {
        ++direction->calls;
        return direction->sign * ((item1 / 10) - (item2 / 10));
    };
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        std::vector<int> items(static_cast<std::size_t>(random() % 40));
        for (std::size_t index = 0; index < items.size(); ++index)
            items[index] = static_cast<int>(random() % 8) * 10 + static_cast<int>(index % 10);
        for (const int sign : {1, -1}) {
            std::vector<int> sorted = items;
            Direction direction{sign, 0};
            ListSortEx(sorted, compare, &direction);

            std::vector<int> keys;
            for (const int item : sorted)
                keys.push_back(item / 10);
            std::vector<int> expected_keys;
            for (const int item : items)
                expected_keys.push_back(item / 10);
            std::sort(expected_keys.begin(), expected_keys.end());
            if (sign < 0)
                std::reverse(expected_keys.begin(), expected_keys.end());
            EXPECT_EQ(keys, expected_keys);
            EXPECT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), items.begin()));
            EXPECT_EQ(direction.calls > 0, items.size() > 1);
        }
    }
}

} // namespace
