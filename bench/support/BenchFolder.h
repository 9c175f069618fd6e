#pragma once

// A folder of its own under the temporary folder for one benchmark program
// (its settings, the drawings it saves), removed with the object. Path() is
// empty when the folder could not be made.

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

class TBenchFolder {
public:
    // `name` begins the folder's name; a unique ending is added.
    explicit TBenchFolder(const std::string& name)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TBenchFolder()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    TBenchFolder(const TBenchFolder&) = delete;
    TBenchFolder& operator=(const TBenchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};
