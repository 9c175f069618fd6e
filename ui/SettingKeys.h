#pragma once

// The main window's settings file, "Zuview.ini", as its features read and
// write it.
//
// The file's parts come in one fixed order, TSettingsPart's: the settings
// read and write them in that order, each through the block of the feature
// that owns the part, so a new feature takes its part without moving any
// other key.
//
// Plain keys are described once, in a TSettingKeys table: loading and saving
// both walk it, so a key is read and written the same way. Every value read
// is checked: what is out of its range takes the key's default, so a damaged
// or hand-edited file never gives the program a state it cannot handle.

#include <functional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class TIniFile;
class TNumberEdit;

// The parts of the file in the order they are read and written.
enum class TSettingsPart {
    Position,
    ViewCheck,
    Other,
    PrintOption,
    GraphicOutput,
    Files,
    PrtFixConfig,
    Search,
    Raster,
};

// How a feature reads and writes one part of the file.
struct TSettingsBlock {
    TSettingsPart part;
    std::function<void(const TIniFile&)> load;
    std::function<void(TIniFile&)> save;
};

// Where a key's value lives, read and set as a number.
struct TSettingBinding {
    std::function<double()> get;
    std::function<void(double)> set;
};

// A check box's check, a menu item's check mark, a number edit's value, a
// combo box's selected index, a number the caller keeps alive.
TSettingBinding BindChecked(QCheckBox* box);
TSettingBinding BindChecked(QAction* item);
TSettingBinding BindValue(TNumberEdit* edit);
TSettingBinding BindIndex(QComboBox* box);
TSettingBinding BindNumber(int& number);
TSettingBinding BindNumber(double& number);

class TSettingKeys {
public:
    enum class TKind { Int, Bool, Real };

    // A key whose values outside [lowest, highest] read as `fallback`.
    void Add(const char* section, const char* key, TKind kind, double fallback, double lowest, double highest,
             const TSettingBinding& binding);
    // A boolean.
    void Flag(const char* section, const char* key, const TSettingBinding& binding, double fallback = 0);
    // An int from 0 to `highest`.
    void Choice(const char* section, const char* key, double fallback, double highest, const TSettingBinding& binding);

    // Every key in table order.
    void Load(const TIniFile& file) const;
    void Save(TIniFile& file) const;

    // The block of `part` that loads and saves these keys.
    TSettingsBlock Block(TSettingsPart part) const;

private:
    struct TKey {
        const char* section;
        const char* key;
        TKind kind;
        double fallback;
        double lowest;
        double highest;
        TSettingBinding binding;
    };

    static double ReadChecked(const TIniFile& file, const TKey& entry);
    static void WriteValue(TIniFile& file, const TKey& entry);

    std::vector<TKey> keys_;
};

// Texts are written in double quotes, so leading and trailing blanks
// survive. A text with a line break or another control character would not
// read back as one value: it is written empty instead.
void WriteQuotedText(TIniFile& file, const char* section, const char* key, const std::string& utf8);
