#include "platform/ImagePlugin.h"

#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

// One loaded library and its entry points; the library is closed with it.
struct TImagePluginList::TPlugin {
    std::string name;
    void* library = nullptr;
    TSpiIsSupported is_supported = nullptr;
    TSpiGetPictureInfo get_picture_info = nullptr;
    TSpiGetPicture get_picture = nullptr;
    // Null when the plug-in leaves its blocks to free().
    TSpiFreePictureBuffer free_buffer = nullptr;

    TPlugin() = default;
    TPlugin(const TPlugin&) = delete;
    TPlugin& operator=(const TPlugin&) = delete;
    ~TPlugin()
    {
        if (library != nullptr)
            dlclose(library);
    }
};

namespace {

using TPlugin = TImagePluginList::TPlugin;

bool HasPluginExtension(const std::filesystem::path& path)
{
    return HasExtensionIgnoringCase(path, ".spi");
}

// The "*.spi" files of the folder, absolute, sorted by file name.
std::vector<std::filesystem::path> ListPluginFiles(const std::filesystem::path& folder)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    std::vector<std::filesystem::path> files;
    if (error)
        return files;
    for (std::filesystem::directory_iterator entry(absolute, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code kind_error;
        if (entry->is_regular_file(kind_error) && HasPluginExtension(entry->path()))
            files.push_back(entry->path());
    }
    std::ranges::sort(files, {}, [](const std::filesystem::path& path) { return path.filename().string(); });
    return files;
}

template<typename Function>
Function FindEntryPoint(void* library, const char* name)
{
    // POSIX guarantees that dlsym's object pointer converts to a function
    // pointer.
    return reinterpret_cast<Function>(dlsym(library, name));
}

// Opens the library by its absolute path, so that the dynamic loader never
// searches its own paths for a bare name, and binds every symbol now, so that
// a library with unresolved symbols fails here and not in the middle of a
// decode.
std::unique_ptr<TPlugin> OpenPlugin(const std::filesystem::path& file, TPluginSkipReason& reason)
{
    auto plugin = std::make_unique<TPlugin>();
    plugin->name = file.filename().string();
    plugin->library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (plugin->library == nullptr) {
        reason = TPluginSkipReason::NotLoadable;
        return nullptr;
    }
    plugin->is_supported = FindEntryPoint<TSpiIsSupported>(plugin->library, SPI_IS_SUPPORTED_NAME);
    plugin->get_picture_info = FindEntryPoint<TSpiGetPictureInfo>(plugin->library, SPI_GET_PICTURE_INFO_NAME);
    plugin->get_picture = FindEntryPoint<TSpiGetPicture>(plugin->library, SPI_GET_PICTURE_NAME);
    plugin->free_buffer = FindEntryPoint<TSpiFreePictureBuffer>(plugin->library, SPI_FREE_PICTURE_BUFFER_NAME);
    if (plugin->is_supported == nullptr || plugin->get_picture_info == nullptr || plugin->get_picture == nullptr) {
        reason = TPluginSkipReason::MissingEntryPoint;
        return nullptr;
    }
    return plugin;
}

TImagePluginStatus AskPictureInfo(const TPlugin& plugin, const std::filesystem::path& file, TPluginPictureInfo& info)
{
    // Zeroed, so that fields the plug-in leaves alone fail the check.
    TSpiPictureInfo record {};
    if (plugin.get_picture_info(file.c_str(), 0, SPI_SOURCE_FILE, &record) != SPI_OK)
        return TImagePluginStatus::PluginFailed;
    return CheckPictureInfo(record, info);
}

std::span<const std::uint8_t> BlockBytes(const TSpiBuffer& block)
{
    if (block.data == nullptr)
        return {};
    return { static_cast<const std::uint8_t*>(block.data), static_cast<std::size_t>(block.size) };
}

void FreeBlock(const TPlugin& plugin, void* data)
{
    if (data == nullptr)
        return;
    if (plugin.free_buffer != nullptr)
        plugin.free_buffer(data);
    else
        std::free(data);
}

// The two blocks of a successful GetPicture, freed when the copy is done.
class TPictureBlocks {
public:
    explicit TPictureBlocks(const TPlugin& plugin) : plugin_(plugin) { }
    TPictureBlocks(const TPictureBlocks&) = delete;
    TPictureBlocks& operator=(const TPictureBlocks&) = delete;
    ~TPictureBlocks()
    {
        FreeBlock(plugin_, info.data);
        // A plug-in that hands out one block twice gets it freed once.
        if (pixels.data != info.data)
            FreeBlock(plugin_, pixels.data);
    }

    TSpiBuffer info {};
    TSpiBuffer pixels {};

private:
    const TPlugin& plugin_;
};

TImagePluginStatus FetchPicture(const TPlugin& plugin, const std::filesystem::path& file, TDecodedPicture& picture)
{
    TSpiBuffer info {};
    TSpiBuffer pixels {};
    // On a failure the plug-in has freed its blocks itself.
    if (plugin.get_picture(file.c_str(), 0, SPI_SOURCE_FILE, &info, &pixels, nullptr, 0) != SPI_OK)
        return TImagePluginStatus::PluginFailed;
    TPictureBlocks blocks(plugin);
    blocks.info = info;
    blocks.pixels = pixels;
    return ReadPictureBlocks(BlockBytes(info), BlockBytes(pixels), picture);
}

} // namespace

std::filesystem::path ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path {} : executable.parent_path();
}

TImagePluginList::TImagePluginList() = default;
TImagePluginList::~TImagePluginList() = default;
TImagePluginList::TImagePluginList(TImagePluginList&&) noexcept = default;
TImagePluginList& TImagePluginList::operator=(TImagePluginList&&) noexcept = default;

TImagePluginList TImagePluginList::LoadFolder(const std::filesystem::path& folder)
{
    TImagePluginList list;
    for (const std::filesystem::path& file : ListPluginFiles(folder)) {
        TPluginSkipReason reason = TPluginSkipReason::NotLoadable;
        if (auto plugin = OpenPlugin(file, reason))
            list.plugins_.push_back(std::move(plugin));
        else
            list.skipped_.push_back({ file.filename().string(), reason });
    }
    return list;
}

std::vector<std::string> TImagePluginList::Names() const
{
    std::vector<std::string> names;
    for (const auto& plugin : plugins_)
        names.push_back(plugin->name);
    return names;
}

const TImagePluginList::TPlugin* TImagePluginList::FindAccepting(
    const std::filesystem::path& file, int descriptor) const
{
    for (const auto& plugin : plugins_) {
        // Each plug-in reads the file from its start, whatever the one
        // before it read.
        if (lseek(descriptor, 0, SEEK_SET) != 0)
            return nullptr;
        if (plugin->is_supported(file.c_str(), descriptor) != 0)
            return plugin.get();
    }
    return nullptr;
}

const TImagePluginList::TPlugin* TImagePluginList::Search(
    const std::filesystem::path& file, TImagePluginStatus& status) const
{
    // No plug-in is asked about a file that is not there.
    if (!FileExists(file)) {
        status = TImagePluginStatus::Missing;
        return nullptr;
    }
    const int descriptor = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        status = TImagePluginStatus::Unreadable;
        return nullptr;
    }
    const TPlugin* plugin = FindAccepting(file, descriptor);
    close(descriptor);
    status = plugin != nullptr ? TImagePluginStatus::Decoded : TImagePluginStatus::NotSupported;
    return plugin;
}

TPluginInfoResult TImagePluginList::GetPictureInfo(const std::filesystem::path& file) const
{
    TPluginInfoResult result;
    const TPlugin* plugin = Search(file, result.status);
    if (plugin == nullptr)
        return result;
    result.plugin = plugin->name;
    result.status = AskPictureInfo(*plugin, file, result.info);
    return result;
}

TPluginPictureResult TImagePluginList::LoadPicture(const std::filesystem::path& file) const
{
    TPluginPictureResult result;
    const TPlugin* plugin = Search(file, result.status);
    if (plugin == nullptr)
        return result;
    result.plugin = plugin->name;
    result.status = AskPictureInfo(*plugin, file, result.info);
    if (result.status == TImagePluginStatus::Decoded)
        result.status = FetchPicture(*plugin, file, result.picture);
    if (result.status != TImagePluginStatus::Decoded)
        return result;
    result.info.width = result.picture.width;
    result.info.height = result.picture.height;
    result.info.colour_depth = result.picture.bits_per_pixel;
    return result;
}

namespace {

std::filesystem::path& ProgramPluginFolder()
{
    static std::filesystem::path folder;
    return folder;
}

} // namespace

void UseImagePluginFolder(const std::filesystem::path& folder)
{
    ProgramPluginFolder() = folder;
}

const TImagePluginList& ProgramImagePlugins()
{
    static const TImagePluginList plugins = TImagePluginList::LoadFolder(
        ProgramPluginFolder().empty() ? ExecutableFolder() : ProgramPluginFolder());
    return plugins;
}
