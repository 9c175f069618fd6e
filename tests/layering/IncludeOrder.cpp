#include "tests/layering/IncludeOrder.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <string_view>

namespace fs = std::filesystem;

namespace {

// The folders of the project and where they stand. Longer folders come
// before the folders they lie in, so that the first match is the closest.
enum class TStanding { Library, Plugin, Outside };

struct TFolder {
    std::string_view path;
    TStanding standing;
    int level; // libraries only
};

constexpr std::array<TFolder, 14> folders { {
    { "platform/ui", TStanding::Library, 3 },
    { "platform", TStanding::Library, 0 },
    { "core", TStanding::Library, 1 },
    { "document", TStanding::Library, 2 },
    { "elements", TStanding::Library, 2 },
    { "render", TStanding::Library, 2 },
    { "controls", TStanding::Library, 4 },
    { "print", TStanding::Library, 5 },
    { "ui", TStanding::Library, 6 },
    { "plugins", TStanding::Plugin, 0 },
    { "tests", TStanding::Outside, 0 },
    { "bench", TStanding::Outside, 0 },
    { "fuzz", TStanding::Outside, 0 },
    { "tools", TStanding::Outside, 0 },
} };

// The one project header a plug-in may include.
constexpr std::string_view plugin_abi = "platform/ImagePluginAbi.h";

constexpr std::array<std::string_view, 5> read_extensions { ".h", ".cpp", ".inc", ".in", ".ui" };

// The folder that holds a path from the repository root; none for a path
// outside every project folder.
const TFolder* FolderOf(const fs::path& relative)
{
    const std::string text = relative.lexically_normal().generic_string();
    for (const TFolder& folder : folders) {
        if (text.size() > folder.path.size() && text.starts_with(folder.path) && text[folder.path.size()] == '/')
            return &folder;
    }
    return nullptr;
}

struct TIncludeLine {
    int line;
    std::string include;
    bool quoted;
};

// The text between `open` and `close` after position `from`; none when the
// line has no such pair.
std::optional<std::string> Between(std::string_view text, std::size_t from, char open, char close)
{
    if (from >= text.size() || text[from] != open)
        return std::nullopt;
    const std::size_t end = text.find(close, from + 1);
    if (end == std::string_view::npos || end == from + 1)
        return std::nullopt;
    return std::string(text.substr(from + 1, end - from - 1));
}

std::size_t SkipBlanks(std::string_view text, std::size_t at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    return at;
}

// `#include "x"` or `#include <x>`, blanks allowed around the '#'.
std::optional<TIncludeLine> IncludeOnLine(std::string_view text, int number)
{
    std::size_t at = SkipBlanks(text, 0);
    if (at >= text.size() || text[at] != '#')
        return std::nullopt;
    at = SkipBlanks(text, at + 1);
    constexpr std::string_view directive = "include";
    if (text.substr(at, directive.size()) != directive)
        return std::nullopt;
    at = SkipBlanks(text, at + directive.size());
    if (std::optional<std::string> quoted = Between(text, at, '"', '"'))
        return TIncludeLine { number, *quoted, true };
    if (std::optional<std::string> angled = Between(text, at, '<', '>'))
        return TIncludeLine { number, *angled, false };
    return std::nullopt;
}

// A form's custom widget header: `<header>x</header>`.
std::optional<TIncludeLine> FormHeaderOnLine(std::string_view text, int number)
{
    constexpr std::string_view open = "<header>";
    const std::size_t start = text.find(open);
    if (start == std::string_view::npos)
        return std::nullopt;
    const std::size_t end = text.find('<', start + open.size());
    if (end == std::string_view::npos)
        return std::nullopt;
    return TIncludeLine { number, std::string(text.substr(start + open.size(), end - start - open.size())), true };
}

// The includes of a source file, and the custom widget headers of a form.
std::vector<TIncludeLine> IncludesOf(const fs::path& file)
{
    const bool form = file.extension() == ".ui";
    std::vector<TIncludeLine> includes;
    std::ifstream in(file);
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        const std::optional<TIncludeLine> include = form ? FormHeaderOnLine(text, number) : IncludeOnLine(text, number);
        if (include)
            includes.push_back(*include);
    }
    return includes;
}

// Where an include leads, as a path from the repository root; none when it
// leads outside the project.
std::optional<fs::path> IncludedPath(const fs::path& root, const fs::path& from, const TIncludeLine& include)
{
    const fs::path named = fs::path(include.include).lexically_normal();
    if (FolderOf(named) != nullptr)
        return named;
    if (!include.quoted)
        return std::nullopt;
    const fs::path beside = (from.parent_path() / include.include).lexically_normal();
    std::error_code error;
    if (!fs::is_regular_file(root / beside, error))
        return std::nullopt;
    if (beside.empty() || *beside.begin() == "..")
        return std::nullopt;
    return beside;
}

// Why the include breaks the order; empty when it keeps it.
std::string Breach(const TFolder& from, const fs::path& target)
{
    const TFolder* to = FolderOf(target);
    if (to == nullptr)
        return {};
    const std::string from_name(from.path);
    const std::string to_name(to->path);
    if (from.standing == TStanding::Plugin) {
        if (target.generic_string() == plugin_abi || to->standing == TStanding::Plugin)
            return {};
        return "a plug-in includes no project header but " + std::string(plugin_abi);
    }
    if (to->standing != TStanding::Library)
        return from_name + " includes from " + to_name + ", which is outside the libraries";
    if (to->level > from.level)
        return from_name + " includes from " + to_name + ", which is above it";
    return {};
}

bool IsRead(const fs::path& file)
{
    const std::string extension = file.extension().string();
    return std::find(read_extensions.begin(), read_extensions.end(), extension) != read_extensions.end();
}

} // namespace

std::vector<TUpwardInclude> FindUpwardIncludes(const fs::path& root)
{
    std::vector<fs::path> files;
    for (const TFolder& folder : folders) {
        const fs::path top = root / folder.path;
        if (folder.standing == TStanding::Outside || !fs::is_directory(top))
            continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(top)) {
            if (entry.is_regular_file() && IsRead(entry.path()))
                files.push_back(entry.path().lexically_relative(root));
        }
    }
    // platform/ui is walked twice: as itself and inside platform.
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());

    std::vector<TUpwardInclude> found;
    for (const fs::path& file : files) {
        const TFolder& from = *FolderOf(file);
        for (const TIncludeLine& include : IncludesOf(root / file)) {
            const std::optional<fs::path> target = IncludedPath(root, file, include);
            if (!target)
                continue;
            std::string reason = Breach(from, *target);
            if (!reason.empty())
                found.push_back({ file.generic_string(), include.line, include.include, std::move(reason) });
        }
    }
    return found;
}

std::string Describe(const TUpwardInclude& include)
{
    return include.file + ":" + std::to_string(include.line) + ": \"" + include.include + "\": " + include.reason;
}
