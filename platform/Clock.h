#pragma once

// Local dates and times as the drawing's special texts show them: the
// current moment from one injectable clock (tests fix it), and the
// modification time of a file.

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>

struct TLocalTime {
    int year = 1970;
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;
    int second = 0;
    int weekday = 4; // 0 Sunday to 6 Saturday
};

// Now, in local time.
TLocalTime LocalNow();
// Replaces the clock (seconds since the epoch); an empty one restores the
// system's.
void SetClockSource(std::function<std::time_t()> clock);

TLocalTime LocalTimeOf(std::time_t moment);

// The file's modification time in local time; nothing when the file cannot
// be asked.
std::optional<TLocalTime> FileLocalTime(const std::filesystem::path& path);
