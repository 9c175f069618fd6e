#include "platform/BoundedCache.h"

#include <gtest/gtest.h>

#include <string>

TEST(BoundedCache, ForgetsTheLeastRecentlyUsedEntryFirst)
{
    TBoundedCache<int, std::string> cache(2);
    cache.Keep(1, "one");
    cache.Keep(2, "two");
    EXPECT_EQ(cache.Find(1), "one"); // 2 is now the oldest
    cache.Keep(3, "three");
    EXPECT_EQ(cache.Find(2), std::nullopt);
    EXPECT_EQ(cache.Find(1), "one");
    EXPECT_EQ(cache.Find(3), "three");
    EXPECT_EQ(cache.Size(), 2u);
}

TEST(BoundedCache, KeepsTheFirstValueOfAKeyAndBoundsTheCost)
{
    TBoundedCache<int, std::string> cache(10, 100);
    EXPECT_EQ(cache.Keep(1, "first", 40), "first");
    EXPECT_EQ(cache.Keep(1, "second", 40), "first");
    cache.Keep(2, "two", 40);
    cache.Keep(3, "three", 40); // 120 > 100: the oldest goes
    EXPECT_EQ(cache.Find(1), std::nullopt);
    EXPECT_EQ(cache.Size(), 2u);
    // One entry dearer than the whole limit is still kept, alone.
    EXPECT_EQ(cache.Keep(4, "huge", 500), "huge");
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(cache.Find(4), "huge");
}
