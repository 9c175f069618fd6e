// The main window's settings file: the window's place, and the print,
// image-output and image-cache options and pen-scaling presets. The display
// unit, the remembered files, the view options and the search options are
// read and written by their features, in their places in the file's order.

#include "ui/MainSettings.h"

#include "controls/ToolbarScreens.h"
#include "document/ZhdData.h"
#include "platform/ShiftJis.h"
#include "platform/ui/IniFile.h"
#include "ui/MainControls.h"

#include <QComboBox>
#include <QMainWindow>

#include <algorithm>
#include <limits>

namespace {

// A pen-scaling preset from the file; rules outside 0..4 read as 0.
TMojiInt4 PresetFromText(const std::string& utf8)
{
    TMojiInt4 preset;
    ParseMojiInt4Text(preset, Utf8ToSjis(utf8));
    for (int* rule : { &preset.Int1, &preset.Int2, &preset.Int3, &preset.Int4 }) {
        if (*rule < 0 || *rule > 4)
            *rule = 0;
    }
    return preset;
}

// At most this many presets are read; a larger count is taken as damage.
constexpr int max_presets = 1000;

// A window rectangle the user can reach: it lies on a screen by at least
// this many pixels each way.
constexpr int reachable_margin = 40;

bool OnSomeScreen(const QRect& window)
{
    const QRect common = GetWorkAreaOfRect(window).intersected(window);
    return common.width() >= reachable_margin && common.height() >= reachable_margin;
}

} // namespace

TMainSettings::TMainSettings(TMainWindowHost& host, std::vector<TMainFeature*> features)
    : TMainFeature(host)
    , features_(std::move(features))
{
}

std::vector<TSettingsBlock> TMainSettings::OrderedBlocks()
{
    std::vector<TSettingsBlock> blocks = SettingsBlocks();
    for (TMainFeature* feature : features_) {
        std::vector<TSettingsBlock> more = feature->SettingsBlocks();
        blocks.insert(blocks.end(), more.begin(), more.end());
    }
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const TSettingsBlock& a, const TSettingsBlock& b) { return a.part < b.part; });
    return blocks;
}

void TMainSettings::LoadSettings(const std::filesystem::path& path)
{
    if (!host_.Document())
        return;
    const TIniFile file(path);
    for (const TSettingsBlock& block : OrderedBlocks())
        block.load(file);
}

void TMainSettings::SaveSettings(const std::filesystem::path& path)
{
    if (!host_.Document())
        return;
    TIniFile file(path);
    file.BeginUpdate();
    for (const TSettingsBlock& block : OrderedBlocks())
        block.save(file);
    file.EndUpdate();
}

std::vector<TSettingsBlock> TMainSettings::SettingsBlocks()
{
    return {
        { TSettingsPart::Position, [this](const TIniFile& file) { LoadPosition(file); },
          [this](TIniFile& file) { SavePosition(file); } },
        PrintOptionKeys().Block(TSettingsPart::PrintOption),
        GraphicOutputKeys().Block(TSettingsPart::GraphicOutput),
        { TSettingsPart::PrtFixConfig, [this](const TIniFile& file) { LoadPresets(file); },
          [this](TIniFile& file) { SavePresets(file); } },
        RasterKeys().Block(TSettingsPart::Raster),
    };
}

void TMainSettings::LoadPosition(const TIniFile& file)
{
    QMainWindow& form = host_.Window();
    QRect window(file.ReadInteger("Position", "Left", 1), file.ReadInteger("Position", "Top", 1),
                 file.ReadInteger("Position", "Width", 800), file.ReadInteger("Position", "Height", 600));
    // A window too small to use or off every screen starts at the default
    // place and size.
    if (window.width() < 100 || window.height() < 100 || window.width() > 100000 || window.height() > 100000
        || !OnSomeScreen(window))
        window = QRect(1, 1, 800, 600);
    form.move(window.topLeft());
    form.resize(window.size());
    int state = file.ReadInteger("Position", "WindowState", 0);
    if (state < 0 || state > 2)
        state = 0;
    if (state == 1)
        form.setWindowState(form.windowState() | Qt::WindowMinimized);
    else if (state == 2)
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
}

void TMainSettings::SavePosition(TIniFile& file) const
{
    const QMainWindow& form = host_.Window();
    const Qt::WindowStates states = form.windowState();
    const int state = (states & Qt::WindowMinimized) ? 1 : (states & Qt::WindowMaximized) ? 2 : 0;
    file.WriteInteger("Position", "WindowState", state);
    if (state == 0) {
        file.WriteInteger("Position", "Top", form.y());
        file.WriteInteger("Position", "Left", form.x());
        file.WriteInteger("Position", "Height", form.height());
        file.WriteInteger("Position", "Width", form.width());
    }
}

TSettingKeys TMainSettings::PrintOptionKeys()
{
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    TSettingKeys keys;
    keys.Choice("PrintOption", "SpecialMemory", 0, 1, BindNumber(info.SpecialMemory));
    keys.Choice("PrintOption", "MonoThin", 0, 1, BindNumber(info.MonoThin));
    keys.Choice("PrintOption", "PenWidthFix", 0, 4, BindNumber(info.PenWidthFix));
    keys.Choice("PrintOption", "PenPitchFix", 0, 4, BindNumber(info.PenPitchFix));
    keys.Choice("PrintOption", "PenHankeiFix", 0, 4, BindNumber(info.PenHankeiFix));
    keys.Choice("PrintOption", "PenEdgeFix", 0, 4, BindNumber(info.PenEdgeFix));
    keys.Choice("PrintOption", "PenPreviewFix", 0, 1, BindNumber(info.PenPreviewFix));
    return keys;
}

TSettingKeys TMainSettings::GraphicOutputKeys()
{
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    using V = TSettingKeys::TKind;
    TSettingKeys keys;
    // Indexes into the output dialog's lists; -1 is no selection.
    keys.Add("GraphicOutput", "Dpi", V::Int, 0, -1, 18, BindNumber(info.Dpi));
    keys.Add("GraphicOutput", "Ext", V::Int, 0, -1, 3, BindNumber(info.Ext));
    keys.Add("GraphicOutput", "Comp", V::Int, 0, -1, 7, BindNumber(info.Comp));
    keys.Add("GraphicOutput", "PixelFormat", V::Int, 0, -1, 4, BindNumber(info.PixelFormat));
    return keys;
}

void TMainSettings::LoadPresets(const TIniFile& file)
{
    const int count = file.ReadInteger("PrtFixConfig", "Count", 0);
    pen_scaling_presets_.clear();
    for (int i = 0; i < std::min(count, max_presets); ++i)
        pen_scaling_presets_.push_back(
            PresetFromText(file.ReadString("PrtFixConfig", "Config" + std::to_string(i), "")));
    if (count == 0) {
        for (const char8_t* text : { u8"0000倍率と同じ", u8"4444常に１倍", u8"3223拡大用", u8"1221縮小用" })
            pen_scaling_presets_.push_back(PresetFromText(reinterpret_cast<const char*>(text)));
    }
}

void TMainSettings::SavePresets(TIniFile& file) const
{
    file.EraseSection("PrtFixConfig");
    file.WriteInteger("PrtFixConfig", "Count", static_cast<int>(pen_scaling_presets_.size()));
    for (std::size_t i = 0; i < pen_scaling_presets_.size(); ++i)
        WriteQuotedText(file, "PrtFixConfig", ("Config" + std::to_string(i)).c_str(),
                        SjisToUtf8(MojiInt4ToText(pen_scaling_presets_[i])));
}

TSettingKeys TMainSettings::RasterKeys()
{
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    TSettingKeys keys;
    keys.Flag("Raster", "Release", BindNumber(info.Release));
    keys.Flag("Raster", "UseCache", BindNumber(info.UseCache));
    keys.Flag("Raster", "LoadTime", BindNumber(info.LoadTime));
    keys.Choice("Raster", "LoadTimeNum", 5000, 86400000, BindNumber(info.LoadTimeNum));
    keys.Flag("Raster", "SaveSize", BindNumber(info.SaveSize));
    keys.Choice("Raster", "SaveSizeNum", 1, std::numeric_limits<int>::max(), BindNumber(info.SaveSizeNum));
    keys.Choice("Raster", "SaveSizeUnit", 2, 4, BindNumber(info.SaveSizeUnit));
    keys.Flag("Raster", "Rate", BindNumber(info.Rate));
    keys.Choice("Raster", "RateNum", 50, 100, BindNumber(info.RateNum));
    keys.Choice("Raster", "Combine1", 0, 1, BindNumber(info.Combine1));
    keys.Choice("Raster", "Combine2", 0, 1, BindNumber(info.Combine2));
    return keys;
}
