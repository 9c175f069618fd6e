#pragma once

// The image plug-ins: shared libraries named "*.spi" in one folder (the
// program's own, see ExecutableFolder), which decode the image formats the
// system does not read itself. The binary interface is platform/ImagePluginAbi.h.
//
// A list is built once from the folder: each library is opened by its
// absolute path, in the byte order of the file names so that the choice
// between two plug-ins that take the same file does not depend on the file
// system, and stays loaded while the list lives. A library that does not
// load or lacks a required entry point is left out and noted.
//
// A search offers the file to the plug-ins in list order through
// IsSupported; the first that accepts it decodes it and later ones are not
// asked, even when it then fails. Every answer is checked before it is used
// (platform/ImagePluginPicture.h).

#include "platform/ImagePluginAbi.h"
#include "platform/ImagePluginPicture.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The folder of the running executable; empty when it cannot be found.
std::filesystem::path ExecutableFolder();

// Why a "*.spi" file of the folder is not in the list.
enum class TPluginSkipReason {
    // Not a library the dynamic loader can open for this process.
    NotLoadable,
    // It lacks IsSupported, GetPictureInfo or GetPicture.
    MissingEntryPoint,
};

struct TSkippedPlugin {
    std::string name;
    TPluginSkipReason reason = TPluginSkipReason::NotLoadable;
    bool operator==(const TSkippedPlugin&) const = default;
};

// The outcome of GetPictureInfo: with Decoded, the record's fields.
struct TPluginInfoResult {
    TImagePluginStatus status = TImagePluginStatus::NotSupported;
    // The file name of the plug-in that took the file; empty when none did.
    std::string plugin;
    TPluginPictureInfo info;
};

// The outcome of LoadPicture: with Decoded, the record's fields and the
// pixels. Width, height and colour depth of info are then those of the
// bitmap header the pixels were read with, so a caller that sizes its bitmap
// from info never fills it from rows of another size.
struct TPluginPictureResult {
    TImagePluginStatus status = TImagePluginStatus::NotSupported;
    std::string plugin;
    TPluginPictureInfo info;
    TDecodedPicture picture;
};

class TImagePluginList {
public:
    // One loaded library; its parts are the loader's business.
    struct TPlugin;

    // Every "*.spi" file directly in the folder (the extension in any case);
    // a folder that does not exist gives an empty list.
    static TImagePluginList LoadFolder(const std::filesystem::path& folder);

    TImagePluginList();
    ~TImagePluginList();
    TImagePluginList(TImagePluginList&&) noexcept;
    TImagePluginList& operator=(TImagePluginList&&) noexcept;

    // The file names of the plug-ins in use, in list order.
    std::vector<std::string> Names() const;
    const std::vector<TSkippedPlugin>& Skipped() const { return skipped_; }

    // The picture's size, density and colour depth from the first plug-in
    // that accepts the file.
    TPluginInfoResult GetPictureInfo(const std::filesystem::path& file) const;
    // The same, and the picture's pixels.
    TPluginPictureResult LoadPicture(const std::filesystem::path& file) const;

private:
    std::vector<std::unique_ptr<TPlugin>> plugins_;
    std::vector<TSkippedPlugin> skipped_;

    // The plug-in that takes the file, or null with the reason in status.
    const TPlugin* Search(const std::filesystem::path& file, TImagePluginStatus& status) const;
    const TPlugin* FindAccepting(const std::filesystem::path& file, int descriptor) const;
};

// The plug-ins the program decodes images with: those of the program's
// folder, loaded on first use and kept for the run. A test may point the
// program at another folder before the first use.
const TImagePluginList& ProgramImagePlugins();
void UseImagePluginFolder(const std::filesystem::path& folder);
