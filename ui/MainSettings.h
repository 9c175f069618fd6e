#pragma once

// TMainSettings: the main window's settings file, "Zuview.ini". It reads
// the file once when the window is first shown and writes it once when the
// window closes, walking the parts of every feature in the file's order
// (SettingKeys.h). Its own parts are the window's place and, until the
// features they belong to are built, the keys of the print and image-output
// options, the pen-scaling presets and the image cache.

#include "core/MojiInt4.h"
#include "ui/MainFeature.h"

#include <filesystem>
#include <vector>

class TMainSettings : public TMainFeature {
public:
    // `features` are the window's other features with parts in the file.
    TMainSettings(TMainWindowHost& host, std::vector<TMainFeature*> features);

    void LoadSettings(const std::filesystem::path& path);
    void SaveSettings(const std::filesystem::path& path);

    // The print pen-scaling presets.
    std::vector<TMojiInt4>& PenScalingPresets() { return pen_scaling_presets_; }

    std::vector<TSettingsBlock> SettingsBlocks() override;

private:
    // Every feature's blocks, this one's included, in the file's order.
    std::vector<TSettingsBlock> OrderedBlocks();
    void LoadPosition(const TIniFile& file);
    void SavePosition(TIniFile& file) const;
    void LoadPresets(const TIniFile& file);
    void SavePresets(TIniFile& file) const;
    TSettingKeys PrintOptionKeys();
    TSettingKeys GraphicOutputKeys();
    TSettingKeys RasterKeys();

    std::vector<TMainFeature*> features_;
    std::vector<TMojiInt4> pen_scaling_presets_;
};
