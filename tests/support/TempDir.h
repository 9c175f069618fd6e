#pragma once

#include <filesystem>
#include <string>

// A fresh directory under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path File(const std::string& name) const { return path_ / name; }
    // Writes the bytes to a file in the directory and returns its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// A file of the committed test data.
inline std::filesystem::path TestDataPath(const std::string& name)
{
    return std::filesystem::path(ZUVIEW_TEST_DATA_DIR) / name;
}

// Where a test keeps a picture it drew (created on demand).
std::filesystem::path TestArtefactPath(const std::string& name);

// The whole contents of a file as bytes.
std::string ReadFileBytes(const std::filesystem::path& path);
