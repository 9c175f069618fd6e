#pragma once

// File-system queries the model needs: existence, free space and the
// read-only and hidden flags (hidden: the name begins with ".").

#include <cstdint>
#include <filesystem>

// A regular file (or a link to one) exists at the path.
bool FileExists(const std::filesystem::path& path);

struct DiskSpace {
    std::uint64_t available_to_user = 0;
    std::uint64_t free_total = 0;
};
// False when the folder cannot be asked.
bool QueryDiskSpace(const std::filesystem::path& folder, DiskSpace& space);

// False when there is no such file; otherwise its flags.
struct FileFlags {
    bool read_only = false;
    bool hidden = false;
};
bool QueryFileFlags(const std::filesystem::path& path, FileFlags& flags);
