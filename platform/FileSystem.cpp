#include "platform/FileSystem.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <fstream>

bool FileExists(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

TFileBytes ReadWholeFile(const std::filesystem::path& path)
{
    TFileBytes file;
    if (!FileExists(path))
        return file;
    file.status = TLoadStatus::Unreadable;
    std::ifstream stream(path, std::ios::binary);
    if (!stream.is_open())
        return file;
    stream.seekg(0, std::ios::end);
    const std::streamoff size = stream.tellg();
    if (size < 0)
        return file;
    stream.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (size > 0 && !stream.read(reinterpret_cast<char*>(bytes.data()), size))
        return file;
    file.bytes = std::move(bytes);
    file.status = TLoadStatus::Loaded;
    return file;
}

TSaveStatus WriteWholeFile(const std::filesystem::path& path, std::string_view text)
{
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    if (!stream)
        return TSaveStatus::CannotCreate;
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.flush();
    return stream ? TSaveStatus::Saved : TSaveStatus::CannotCreate;
}

TSaveStatus WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    return WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool QueryDiskSpace(const std::filesystem::path& folder, DiskSpace& space)
{
    struct statvfs info {};
    if (statvfs(folder.c_str(), &info) != 0)
        return false;
    space.available_to_user = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    space.free_total = static_cast<std::uint64_t>(info.f_bfree) * info.f_frsize;
    return true;
}

bool QueryFileFlags(const std::filesystem::path& path, FileFlags& flags)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return false;
    // No write bit at all is the read-only mark of the file itself; access()
    // adds what this user may not write (root passes access() regardless).
    const auto permissions = std::filesystem::status(path, error).permissions();
    const auto write_bits = std::filesystem::perms::owner_write | std::filesystem::perms::group_write
        | std::filesystem::perms::others_write;
    flags.read_only = (permissions & write_bits) == std::filesystem::perms::none || access(path.c_str(), W_OK) != 0;
    const std::string name = path.filename().string();
    flags.hidden = !name.empty() && name[0] == '.';
    return true;
}
