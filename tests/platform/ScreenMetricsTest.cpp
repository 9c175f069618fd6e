#include "platform/ScreenMetrics.h"

#include <gtest/gtest.h>

namespace {

// Puts the default provider back after each test, so that no test sees
// another's values.
class ScreenMetricsTest : public testing::Test {
protected:
    void TearDown() override { SetScreenMetricsProvider({}); }
};

} // namespace

TEST_F(ScreenMetricsTest, AsksTheProviderOnceAndKeepsTheAnswer)
{
    int asked = 0;
    SetScreenMetricsProvider([&asked] {
        ++asked;
        return TScreenMetrics { 800 + asked, 600, 120.0 };
    });
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(ScreenMetrics().width_pixels, 801);
    EXPECT_EQ(ScreenMetrics().width_pixels, 801);
    EXPECT_EQ(ScreenMetrics().height_pixels, 600);
    EXPECT_EQ(ScreenMetrics().pixels_per_inch, 120.0);
    EXPECT_EQ(asked, 1);

    // A new provider forgets the kept values.
    SetScreenMetricsProvider([] { return TScreenMetrics { 1024, 768, 72.0 }; });
    EXPECT_EQ(ScreenMetrics().width_pixels, 1024);
    EXPECT_EQ(ScreenMetrics().pixels_per_inch, 72.0);
}

TEST_F(ScreenMetricsTest, NonsenseSizesGiveTheDefaults)
{
    const TScreenMetrics defaults;
    for (const TScreenMetrics& answer : { TScreenMetrics { 0, 600, 120.0 }, TScreenMetrics { 800, -1, 120.0 } }) {
        SetScreenMetricsProvider([answer] { return answer; });
        EXPECT_EQ(ScreenMetrics().width_pixels, defaults.width_pixels);
        EXPECT_EQ(ScreenMetrics().height_pixels, defaults.height_pixels);
        EXPECT_EQ(ScreenMetrics().pixels_per_inch, defaults.pixels_per_inch);
    }
}

TEST_F(ScreenMetricsTest, WithoutAWindowingSystemTheDefaultProviderAnswersTheDefaults)
{
    SetScreenMetricsProvider([] { return TScreenMetrics { 640, 480, 50.0 }; });
    EXPECT_EQ(ScreenMetrics().width_pixels, 640);
    // The empty provider restores the default one, which without a
    // QGuiApplication answers the common desktop.
    SetScreenMetricsProvider({});
    const TScreenMetrics defaults;
    EXPECT_EQ(ScreenMetrics().width_pixels, defaults.width_pixels);
    EXPECT_EQ(ScreenMetrics().height_pixels, defaults.height_pixels);
    EXPECT_EQ(ScreenMetrics().pixels_per_inch, defaults.pixels_per_inch);
}
