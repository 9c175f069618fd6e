#include "platform/Clock.h"

#include <chrono>
#include <sys/stat.h>
#include <utility>

namespace {

std::function<std::time_t()>& Clock()
{
    static std::function<std::time_t()> clock;
    return clock;
}

} // namespace

TLocalTime LocalTimeOf(std::time_t moment)
{
    std::tm parts {};
    if (localtime_r(&moment, &parts) == nullptr)
        return {};
    return TLocalTime { parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                        parts.tm_min,         parts.tm_sec,      parts.tm_wday };
}

TLocalTime LocalNow()
{
    const std::function<std::time_t()>& clock = Clock();
    return LocalTimeOf(clock ? clock() : std::time(nullptr));
}

void SetClockSource(std::function<std::time_t()> clock)
{
    Clock() = std::move(clock);
}

std::optional<TLocalTime> FileLocalTime(const std::filesystem::path& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return LocalTimeOf(status.st_mtime);
}
