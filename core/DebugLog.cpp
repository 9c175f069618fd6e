#include "core/DebugLog.h"

#include <fstream>
#include <memory>

namespace {

struct DebugLogState {
    std::unique_ptr<std::ofstream> file;
    std::ostream* target = nullptr;
};

DebugLogState& State()
{
    static DebugLogState state;
    return state;
}

} // namespace

bool DebugLogEnabled()
{
    return State().target != nullptr;
}

std::ostream& EndLineFlush(std::ostream& stream)
{
    stream.put('\n');
    return stream.flush();
}

void WriteDebugLog(const std::string& text, int tabs)
{
    std::ostream* target = State().target;
    if (!target)
        return;
    for (int i = 0; i < tabs; ++i)
        target->put('\t');
    if (!text.empty())
        target->write(text.data(), static_cast<std::streamsize>(text.size()));
    *target << EndLineFlush;
}

bool OpenDebugLog(const std::filesystem::path& path)
{
    CloseDebugLog();
    auto file = std::make_unique<std::ofstream>(path, std::ios::binary | std::ios::trunc);
    if (!*file)
        return false;
    State().file = std::move(file);
    State().target = State().file.get();
    return true;
}

void RedirectDebugLog(std::ostream* stream)
{
    CloseDebugLog();
    State().target = stream;
}

void CloseDebugLog()
{
    State().target = nullptr;
    State().file.reset();
}
