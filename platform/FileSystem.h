#pragma once

// File-system access the model needs: whole files read and written in one
// piece, existence, free space and the read-only and hidden flags (hidden:
// the name begins with ".").

#include "platform/LoadResult.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

// A regular file (or a link to one) exists at the path.
bool FileExists(const std::filesystem::path& path);

// A whole file: Loaded with its bytes, Missing when no regular file is at the
// path, Unreadable when it exists but cannot be opened or read (no bytes).
struct TFileBytes {
    TLoadStatus status = TLoadStatus::Missing;
    std::vector<std::uint8_t> bytes;

    std::string_view Text() const { return { reinterpret_cast<const char*>(bytes.data()), bytes.size() }; }
};
TFileBytes ReadWholeFile(const std::filesystem::path& path);

// Creates or replaces the file with the bytes in one write.
TSaveStatus WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
TSaveStatus WriteWholeFile(const std::filesystem::path& path, std::string_view text);

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
