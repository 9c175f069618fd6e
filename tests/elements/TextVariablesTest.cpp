// The values of special texts on a fixed clock.

#include "elements/TextVariables.h"

#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "platform/Clock.h"
#include "platform/ShiftJis.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

std::time_t LocalMoment(int year, int month, int day, int hour, int minute, int second)
{
    std::tm parts {};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

class TextVariables : public ::testing::Test {
protected:
    void SetUp() override { SetClockSource([] { return LocalMoment(2026, 12, 8, 15, 4, 5); }); }
    void TearDown() override { SetClockSource({}); }

    std::string Value(const std::string& characters)
    {
        TKMoji text;
        text.SetTextString(characters);
        text.SetGLayer(2);
        return VariableTextValue(text, document);
    }

    TZhdData document;
};

} // namespace

TEST_F(TextVariables, DatesAndTimesOfNow)
{
    struct Case {
        const char* text;
        std::string value;
    };
    const Case cases[] = {
        { "$y", "26" },  { "%y", "26" },  { "&d", " 8" }, { "$d", "8 " },  { "%d", "08" },
        { "%m", "12" },  { "%ma", "DEC" }, { "%H", "15" }, { "%h", "03" }, { "%M", "04" },
        { "%S", "05" },  { "$Y", "8 " },  { "$n", "PM" }, { "$wa", "TUE" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Value(c.text), c.value) << c.text;
    EXPECT_EQ(Value("$w"), sj(u8"火"));
    EXPECT_EQ(Value("$N"), sj(u8"後"));
}

TEST_F(TextVariables, EraYearsBeginOnTheirFirstDay)
{
    SetClockSource([] { return LocalMoment(2019, 4, 30, 12, 0, 0); });
    EXPECT_EQ(Value("%Y"), "31") << "the last day of the era before";
    SetClockSource([] { return LocalMoment(2019, 5, 1, 12, 0, 0); });
    EXPECT_EQ(Value("%Y"), "01");
}

TEST_F(TextVariables, MemoScalesAndDrawingTime)
{
    TZhdHead& head = document.GetHeadPtr();
    head.SetMemo("first\r\nsecond");
    EXPECT_EQ(Value("$mm"), "first  second");
    EXPECT_EQ(Value("$m1"), "first");
    EXPECT_EQ(Value("$m2"), "second");

    TZhdGrp group = head.GetGroup(2);
    group.SetScale(100);
    head.SetGroup(2, group);
    EXPECT_EQ(Value("%SS"), "1/100");
    EXPECT_EQ(Value("%ss"), "100");
    group.SetScale(0.5);
    head.SetGroup(2, group);
    EXPECT_EQ(Value("%SS"), "2/1");
    EXPECT_EQ(Value("%ss"), "2");
    TZhdZoomF area = head.GetPrinterArea();
    area.SetScale(0.25);
    head.SetPrinterArea(area);
    EXPECT_EQ(Value("%SP"), "1/2") << "0.5 over the print scale 0.25";
    group.SetScale(0);
    head.SetGroup(2, group);
    EXPECT_EQ(Value("%SS"), "05") << "no scale: the seconds";

    head.SetDrawingTime(3 * 3600 + 7 * 60 + 30);
    EXPECT_EQ(Value("$T"), "3 : 07");
}

TEST_F(TextVariables, FileNamesAndFileDates)
{
    const TempDir folder;
    const auto drawing = folder.Write(reinterpret_cast<const char*>(u8"\u56f3\u9762\u4e00.zhd"), "x"); // three double-byte characters
    std::filesystem::last_write_time(drawing, std::filesystem::file_time_type::clock::now());
    const std::string path = SjisPath(drawing);
    document.GetHeadPtr().SetFileName(path);
    EXPECT_EQ(Value("$F"), path);
    EXPECT_EQ(Value("$f"), sj(u8"図面一"));
    EXPECT_EQ(Value("$f3"), sj(u8"図")) << "never half a character";
    EXPECT_EQ(Value("$f4"), sj(u8"図面"));
    const std::string stamp = Value("_F");
    ASSERT_EQ(stamp.size(), 19u) << stamp;
    EXPECT_EQ(stamp[4], '/');
    EXPECT_EQ(stamp[13], ':');
    EXPECT_EQ(Value("_f"), stamp.substr(0, 10));
}
