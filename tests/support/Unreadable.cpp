#include "tests/support/Unreadable.h"

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;

bool CanRead(const std::filesystem::path& file)
{
    const int probe = open(file.c_str(), O_RDONLY);
    if (probe < 0)
        return false;
    close(probe);
    return true;
}

} // namespace

bool WithFileUnreadable(const std::filesystem::path& file, const std::function<void()>& body)
{
    chmod(file.parent_path().c_str(), 0755);
    chmod(file.c_str(), 0);
    // Root reads any file; a file-system user id without root's rights makes
    // the file as unreadable to this thread as to anyone else.
    const auto own_id = static_cast<uid_t>(setfsuid(static_cast<uid_t>(-1)));
    if (own_id == 0)
        setfsuid(nobody);
    const bool unreadable = !CanRead(file);
    if (unreadable)
        body();
    setfsuid(own_id);
    return unreadable;
}
