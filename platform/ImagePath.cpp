#include "platform/ImagePath.h"

#include "platform/AsciiCase.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsDriveLetterPath(const std::string& name)
{
    return name.size() >= 2 && name[1] == ':'
        && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

bool IsFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The file in the folder whose name equals `name` but for letter case; empty
// when there is none (or the folder cannot be read).
fs::path FindIgnoringCase(const fs::path& folder, const std::string& name)
{
    if (folder.empty() || name.empty())
        return {};
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error)
        return {};
    for (const fs::directory_entry& entry : entries) {
        if (EqualsIgnoringAsciiCase(entry.path().filename().string(), name) && IsFile(entry.path()))
            return entry.path();
    }
    return {};
}

} // namespace

fs::path ResolveImagePath(std::string_view sjis_name, const fs::path& drawing_folder)
{
    std::string name = SjisToUtf8(sjis_name);
    std::replace(name.begin(), name.end(), '\\', '/');
    const bool windows_absolute = IsDriveLetterPath(name);
    if (windows_absolute)
        name.erase(0, 2);
    fs::path given(name);
    if (given.is_relative() && !windows_absolute) {
        std::error_code error;
        const fs::path current = fs::current_path(error);
        if (!error)
            given = current / given;
    }
    if (!windows_absolute && IsFile(given))
        return given;
    const std::string file_name = given.filename().string();
    if (!windows_absolute) {
        if (fs::path found = FindIgnoringCase(given.parent_path(), file_name); !found.empty())
            return found;
    }
    if (fs::path found = FindIgnoringCase(drawing_folder, file_name); !found.empty())
        return found;
    return given;
}
