#include "bench/support/BenchFolder.h"

#include "document/ZhdData.h"

#include <stdlib.h>

#include <map>
#include <system_error>
#include <utility>

namespace bench {

namespace {

class TBenchFolder {
public:
    TBenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zuview-bench-XXXXXX").string();
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

} // namespace

const std::filesystem::path& BenchFolder()
{
    static TBenchFolder folder;
    return folder.Path();
}

std::string DrawingFile(const std::string& name, int count,
                        const std::function<std::unique_ptr<TZhdData>(int)>& make)
{
    static std::map<std::pair<std::string, int>, std::string> files;
    const auto key = std::make_pair(name, count);
    if (auto found = files.find(key); found != files.end())
        return found->second;
    const std::filesystem::path path = BenchFolder() / (name + "_" + std::to_string(count) + ".zhd");
    std::string saved;
    if (make(count)->SaveToFile(path.string()) == TSaveStatus::Saved)
        saved = path.string();
    return files[key] = saved;
}

} // namespace bench
