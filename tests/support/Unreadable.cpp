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

bool WithFolderUnwritable(const std::filesystem::path& folder, const std::function<void()>& body)
{
    chmod(folder.c_str(), 0555);
    const auto own_id = static_cast<uid_t>(setfsuid(static_cast<uid_t>(-1)));
    if (own_id == 0)
        setfsuid(nobody);
    const std::filesystem::path probe = folder / ".probe";
    const int created = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    const bool unwritable = created < 0;
    if (created >= 0) {
        close(created);
        unlink(probe.c_str());
    }
    if (unwritable)
        body();
    setfsuid(own_id);
    chmod(folder.c_str(), 0755);
    return unwritable;
}
