// The main window's settings file: window place, view and text options,
// display unit, print, image-output and image-cache options, the remembered
// files, the pen-scaling presets and the search options.
//
// One table describes the plain keys; loading and saving both walk it, so a
// key is read and written the same way. Every value read is checked: what
// is out of its range takes the key's default, so a damaged or hand-edited
// file never gives the program a state it cannot handle.

#include "ui/MainForm.h"

#include "controls/NumberEdit.h"
#include "controls/ToolbarScreens.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/ShiftJis.h"
#include "platform/ui/IniFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace {

enum class TValueKind { Int, Bool, Real };

// A key whose value lands in a control, the window or the view state.
struct TSettingKey {
    const char* section;
    const char* key;
    TValueKind kind;
    double fallback;
    // Values outside [lowest, highest] read as the default.
    double lowest;
    double highest;
    std::function<double()> get;
    std::function<void(double)> set;
};

double ReadChecked(const TIniFile& file, const TSettingKey& entry)
{
    double value = entry.fallback;
    if (entry.kind == TValueKind::Real) {
        value = file.ReadFloat(entry.section, entry.key, entry.fallback);
    } else {
        const int fallback = static_cast<int>(entry.fallback);
        const int read = file.ReadInteger(entry.section, entry.key, fallback);
        value = entry.kind == TValueKind::Bool ? (read != 0 ? 1.0 : 0.0) : read;
    }
    if (!std::isfinite(value) || value < entry.lowest || value > entry.highest)
        return entry.fallback;
    return value;
}

void WriteValue(TIniFile& file, const TSettingKey& entry)
{
    const double value = entry.get();
    switch (entry.kind) {
    case TValueKind::Int:
        file.WriteInteger(entry.section, entry.key, static_cast<int>(value));
        break;
    case TValueKind::Bool:
        file.WriteBool(entry.section, entry.key, value != 0);
        break;
    case TValueKind::Real:
        file.WriteFloat(entry.section, entry.key, value);
        break;
    }
}

// Texts are written in double quotes, so leading and trailing blanks
// survive. A text with a line break or another control character would not
// read back as one value: it is written empty instead.
void WriteText(TIniFile& file, const char* section, const char* key, const std::string& utf8)
{
    const bool control = std::any_of(utf8.begin(), utf8.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
    if (control)
        WriteDebugLog(std::string("SaveSettings: ") + key + " not written");
    file.WriteString(section, key, "\"" + (control ? std::string() : utf8) + "\"");
}

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

// The table of plain keys, in file order. The sections "Position", "Files"
// and "PrtFixConfig" are read and written by hand around it.
static std::vector<TSettingKey> SettingKeys(TForm1& form)
{
    TInfoREG& info = form.Document()->GetInfoRegPtr();
    using Get = std::function<double()>;
    using Set = std::function<void(double)>;
    struct TBinding {
        Get get;
        Set set;
    };
    const auto check = [](QCheckBox* box) {
        return TBinding { [box] { return box->isChecked() ? 1.0 : 0.0; }, [box](double v) { box->setChecked(v != 0); } };
    };
    const auto item = [](QAction* action) {
        return TBinding { [action] { return action->isChecked() ? 1.0 : 0.0; },
                          [action](double v) { action->setChecked(v != 0); } };
    };
    const auto number = [](TNumberEdit* edit) {
        return TBinding { [edit] { return static_cast<double>(edit->Value()); },
                          [edit](double v) { edit->SetValue(static_cast<int>(v)); } };
    };
    const auto index = [](QComboBox* box) {
        return TBinding { [box] { return static_cast<double>(box->currentIndex()); },
                          [box](double v) { box->setCurrentIndex(static_cast<int>(v)); } };
    };
    const auto whole = [&info](int TDrawSettings::*member) {
        return TBinding { [&info, member] { return static_cast<double>(info.*member); },
                          [&info, member](double v) { info.*member = static_cast<int>(v); } };
    };
    const auto real = [&info](double TDrawSettings::*member) {
        return TBinding { [&info, member] { return info.*member; }, [&info, member](double v) { info.*member = v; } };
    };
    const auto unit = [&form] {
        return TBinding { [&form] { return static_cast<double>(form.DisplayUnit); },
                          [&form](double v) { form.DisplayUnit = static_cast<int>(v); } };
    };

    std::vector<TSettingKey> keys;
    const auto add = [&keys](const char* section, const char* key, TValueKind kind, double fallback, double lowest,
                             double highest, const TBinding& binding) {
        keys.push_back({ section, key, kind, fallback, lowest, highest, binding.get, binding.set });
    };
    const auto flag = [&add](const char* section, const char* key, const TBinding& binding, double fallback = 0) {
        add(section, key, TValueKind::Bool, fallback, 0, 1, binding);
    };
    const auto choice = [&add](const char* section, const char* key, double fallback, double highest,
                               const TBinding& binding) {
        add(section, key, TValueKind::Int, fallback, 0, highest, binding);
    };
    constexpr double huge = 1e9;
    using V = TValueKind;

    flag("ViewCheck", "Width", check(form.cbWidthView));
    flag("ViewCheck", "Transparent", check(form.cbTransparent));
    flag("ViewCheck", "ColorTransparent", check(form.cbColorTransparent));
    flag("ViewCheck", "Trace", check(form.cbTrace));
    choice("ViewCheck", "TraceWidth", 50, 100000, number(form.neTrace));
    flag("ViewCheck", "Search", check(form.cbSearch), 1);
    flag("ViewCheck", "MojiWaku", item(form.miMojiWaku));
    flag("ViewCheck", "EmbedMoji", item(form.miEmbedMoji));
    flag("ViewCheck", "EdgeMoji", item(form.miEdgeMoji));
    flag("ViewCheck", "EdgeMoji2", item(form.miEdgeMoji2));
    flag("ViewCheck", "FinalMoji", item(form.miFinalMoji));
    add("ViewCheck", "EdgeMojiRange", V::Real, 0.0, 0, huge, real(&TDrawSettings::EdgeMojiRange));
    add("ViewCheck", "EdgeMojiFixSize", V::Real, 0.1, 0, huge, real(&TDrawSettings::EdgeMojiFixSize));
    add("ViewCheck", "EdgeMojiRateSize", V::Real, 3.0, 0, huge, real(&TDrawSettings::EdgeMojiRateSize));
    choice("ViewCheck", "EdgeMojiFixRate", 0, 1, whole(&TDrawSettings::EdgeMojiFixRate));
    choice("ViewCheck", "EdgeMojiColorKind", 0, 2, whole(&TDrawSettings::EdgeMojiColorKind));
    choice("ViewCheck", "EdgeMojiColorKind2", 0, 1, whole(&TDrawSettings::EdgeMojiColorKind2));
    choice("ViewCheck", "EdgeMojiColor", 0, 0xFFFFFF, whole(&TDrawSettings::EdgeMojiColor));
    choice("ViewCheck", "EdgeMojiColor2", 0, 0xFFFFFF, whole(&TDrawSettings::EdgeMojiColor2));
    choice("ViewCheck", "EdgeMojiNonView", 0, 1, whole(&TDrawSettings::EdgeMojiNonView));
    choice("ViewCheck", "EdgeMojiEasy", 0, 1, whole(&TDrawSettings::EdgeMojiEasy));
    // A divisor: never 0.
    add("ViewCheck", "PrtPitch", V::Int, 20, 1, 100000, number(form.nePrtPitch));
    choice("Other", "ViewUnit", 0, 2, unit());
    choice("PrintOption", "SpecialMemory", 0, 1, whole(&TDrawSettings::SpecialMemory));
    choice("PrintOption", "MonoThin", 0, 1, whole(&TDrawSettings::MonoThin));
    choice("PrintOption", "PenWidthFix", 0, 4, whole(&TDrawSettings::PenWidthFix));
    choice("PrintOption", "PenPitchFix", 0, 4, whole(&TDrawSettings::PenPitchFix));
    choice("PrintOption", "PenHankeiFix", 0, 4, whole(&TDrawSettings::PenHankeiFix));
    choice("PrintOption", "PenEdgeFix", 0, 4, whole(&TDrawSettings::PenEdgeFix));
    choice("PrintOption", "PenPreviewFix", 0, 1, whole(&TDrawSettings::PenPreviewFix));
    // Indexes into the output dialog's lists; -1 is no selection.
    add("GraphicOutput", "Dpi", V::Int, 0, -1, 18, whole(&TDrawSettings::Dpi));
    add("GraphicOutput", "Ext", V::Int, 0, -1, 3, whole(&TDrawSettings::Ext));
    add("GraphicOutput", "Comp", V::Int, 0, -1, 7, whole(&TDrawSettings::Comp));
    add("GraphicOutput", "PixelFormat", V::Int, 0, -1, 4, whole(&TDrawSettings::PixelFormat));
    // "Files" and "PrtFixConfig" come here.
    flag("Search", "Narrow", check(form.cbSearchNarrow));
    flag("Search", "PanView", check(form.cbPanView));
    flag("Search", "PanPrt", check(form.cbPanPrt));
    choice("Search", "TargetLayer", 0, form.cbTargetLayer->count() - 1, index(form.cbTargetLayer));
    choice("Search", "PanOrigin", 0, form.cbKiten->count() - 1, index(form.cbKiten));
    flag("Search", "FullAgreement", item(form.ppmSCPerfect));
    flag("Search", "ZHSame", item(form.ppmSCZH));
    flag("Search", "OKSame", item(form.ppmSCOK));
    flag("Search", "SPACE", item(form.ppmSCSPACE));
    flag("Search", "KINWARI", item(form.ppmSCKINWARI));
    flag("Search", "SamePosText", item(form.ppmSCSPST));
    flag("Search", "Regular", item(form.ppmSCRegular));
    flag("Search", "NoSort", item(form.ppmSCNoSort));
    flag("Search", "SortText", item(form.ppmSCSortText));
    flag("Search", "SortText2", item(form.ppmSCSortText2));
    flag("Raster", "Release", whole(&TDrawSettings::Release));
    flag("Raster", "UseCache", whole(&TDrawSettings::UseCache));
    flag("Raster", "LoadTime", whole(&TDrawSettings::LoadTime));
    choice("Raster", "LoadTimeNum", 5000, 86400000, whole(&TDrawSettings::LoadTimeNum));
    flag("Raster", "SaveSize", whole(&TDrawSettings::SaveSize));
    choice("Raster", "SaveSizeNum", 1, std::numeric_limits<int>::max(), whole(&TDrawSettings::SaveSizeNum));
    choice("Raster", "SaveSizeUnit", 2, 4, whole(&TDrawSettings::SaveSizeUnit));
    flag("Raster", "Rate", whole(&TDrawSettings::Rate));
    choice("Raster", "RateNum", 50, 100, whole(&TDrawSettings::RateNum));
    choice("Raster", "Combine1", 0, 1, whole(&TDrawSettings::Combine1));
    choice("Raster", "Combine2", 0, 1, whole(&TDrawSettings::Combine2));
    return keys;
}

namespace {

// Whether the key belongs to the part of the table read before "Files".
bool BeforeFiles(const TSettingKey& entry)
{
    const std::string section = entry.section;
    return section != "Search" && section != "Raster";
}

} // namespace

void TForm1::LoadSettings(const std::filesystem::path& path)
{
    if (!document_)
        return;
    const TIniFile file(path);
    TInfoREG& info = document_->GetInfoRegPtr();

    QRect window(file.ReadInteger("Position", "Left", 1), file.ReadInteger("Position", "Top", 1),
                 file.ReadInteger("Position", "Width", 800), file.ReadInteger("Position", "Height", 600));
    // A window too small to use or off every screen starts at the default
    // place and size.
    if (window.width() < 100 || window.height() < 100 || window.width() > 100000 || window.height() > 100000
        || !OnSomeScreen(window))
        window = QRect(1, 1, 800, 600);
    move(window.topLeft());
    resize(window.size());
    int state = file.ReadInteger("Position", "WindowState", 0);
    if (state < 0 || state > 2)
        state = 0;
    if (state == 1)
        setWindowState(windowState() | Qt::WindowMinimized);
    else if (state == 2)
        setWindowState(windowState() | Qt::WindowMaximized);

    const std::vector<TSettingKey> keys = SettingKeys(*this);
    auto entry = keys.begin();
    for (; entry != keys.end() && BeforeFiles(*entry); ++entry)
        entry->set(ReadChecked(file, *entry));

    info.SettingsFilePath = Utf8ToSjis(file.ReadString("Files", "Zhf", ""));
    CurrentDrawingPath = file.ReadString("Files", "Edit", "");

    const int count = file.ReadInteger("PrtFixConfig", "Count", 0);
    PenScalingPresets.clear();
    for (int i = 0; i < std::min(count, max_presets); ++i)
        PenScalingPresets.push_back(PresetFromText(file.ReadString("PrtFixConfig", "Config" + std::to_string(i), "")));
    if (count == 0) {
        for (const char8_t* text : { u8"0000倍率と同じ", u8"4444常に１倍", u8"3223拡大用", u8"1221縮小用" })
            PenScalingPresets.push_back(PresetFromText(reinterpret_cast<const char*>(text)));
    }

    for (; entry != keys.end(); ++entry)
        entry->set(ReadChecked(file, *entry));
}

void TForm1::SaveSettings(const std::filesystem::path& path)
{
    if (!document_)
        return;
    TIniFile file(path);
    file.BeginUpdate();
    const TInfoREG& info = document_->GetInfoRegPtr();
    const Qt::WindowStates states = windowState();
    const int state = (states & Qt::WindowMinimized) ? 1 : (states & Qt::WindowMaximized) ? 2 : 0;
    file.WriteInteger("Position", "WindowState", state);
    if (state == 0) {
        file.WriteInteger("Position", "Top", y());
        file.WriteInteger("Position", "Left", x());
        file.WriteInteger("Position", "Height", height());
        file.WriteInteger("Position", "Width", width());
    }
    const std::vector<TSettingKey> keys = SettingKeys(*this);
    auto entry = keys.begin();
    for (; entry != keys.end() && BeforeFiles(*entry); ++entry)
        WriteValue(file, *entry);

    WriteText(file, "Files", "Zhf", SjisToUtf8(info.SettingsFilePath));
    WriteText(file, "Files", "Ref", SjisToUtf8(info.ReferenceFileName));
    WriteText(file, "Files", "Edit", CurrentDrawingPath);

    file.EraseSection("PrtFixConfig");
    file.WriteInteger("PrtFixConfig", "Count", static_cast<int>(PenScalingPresets.size()));
    for (std::size_t i = 0; i < PenScalingPresets.size(); ++i)
        WriteText(file, "PrtFixConfig", ("Config" + std::to_string(i)).c_str(),
                  SjisToUtf8(MojiInt4ToText(PenScalingPresets[i])));

    for (; entry != keys.end(); ++entry)
        WriteValue(file, *entry);
    file.EndUpdate();
}
