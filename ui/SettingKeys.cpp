#include "ui/SettingKeys.h"

#include "controls/NumberEdit.h"
#include "core/DebugLog.h"
#include "platform/ui/IniFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>

#include <algorithm>
#include <cmath>

TSettingBinding BindChecked(QCheckBox* box)
{
    return { [box] { return box->isChecked() ? 1.0 : 0.0; }, [box](double v) { box->setChecked(v != 0); } };
}

TSettingBinding BindChecked(QAction* item)
{
    return { [item] { return item->isChecked() ? 1.0 : 0.0; }, [item](double v) { item->setChecked(v != 0); } };
}

TSettingBinding BindValue(TNumberEdit* edit)
{
    return { [edit] { return static_cast<double>(edit->Value()); },
             [edit](double v) { edit->SetValue(static_cast<int>(v)); } };
}

TSettingBinding BindIndex(QComboBox* box)
{
    return { [box] { return static_cast<double>(box->currentIndex()); },
             [box](double v) { box->setCurrentIndex(static_cast<int>(v)); } };
}

TSettingBinding BindNumber(int& number)
{
    return { [&number] { return static_cast<double>(number); },
             [&number](double v) { number = static_cast<int>(v); } };
}

TSettingBinding BindNumber(double& number)
{
    return { [&number] { return number; }, [&number](double v) { number = v; } };
}

void TSettingKeys::Add(const char* section, const char* key, TKind kind, double fallback, double lowest,
                       double highest, const TSettingBinding& binding)
{
    keys_.push_back({ section, key, kind, fallback, lowest, highest, binding });
}

void TSettingKeys::Flag(const char* section, const char* key, const TSettingBinding& binding, double fallback)
{
    Add(section, key, TKind::Bool, fallback, 0, 1, binding);
}

void TSettingKeys::Choice(const char* section, const char* key, double fallback, double highest,
                          const TSettingBinding& binding)
{
    Add(section, key, TKind::Int, fallback, 0, highest, binding);
}

double TSettingKeys::ReadChecked(const TIniFile& file, const TKey& entry)
{
    double value = entry.fallback;
    if (entry.kind == TKind::Real) {
        value = file.ReadFloat(entry.section, entry.key, entry.fallback);
    } else {
        const int fallback = static_cast<int>(entry.fallback);
        const int read = file.ReadInteger(entry.section, entry.key, fallback);
        value = entry.kind == TKind::Bool ? (read != 0 ? 1.0 : 0.0) : read;
    }
    if (!std::isfinite(value) || value < entry.lowest || value > entry.highest)
        return entry.fallback;
    return value;
}

void TSettingKeys::WriteValue(TIniFile& file, const TKey& entry)
{
    const double value = entry.binding.get();
    switch (entry.kind) {
    case TKind::Int:
        file.WriteInteger(entry.section, entry.key, static_cast<int>(value));
        break;
    case TKind::Bool:
        file.WriteBool(entry.section, entry.key, value != 0);
        break;
    case TKind::Real:
        file.WriteFloat(entry.section, entry.key, value);
        break;
    }
}

void TSettingKeys::Load(const TIniFile& file) const
{
    for (const TKey& entry : keys_)
        entry.binding.set(ReadChecked(file, entry));
}

void TSettingKeys::Save(TIniFile& file) const
{
    for (const TKey& entry : keys_)
        WriteValue(file, entry);
}

TSettingsBlock TSettingKeys::Block(TSettingsPart part) const
{
    return { part, [keys = *this](const TIniFile& file) { keys.Load(file); },
             [keys = *this](TIniFile& file) { keys.Save(file); } };
}

void WriteQuotedText(TIniFile& file, const char* section, const char* key, const std::string& utf8)
{
    const bool control = std::any_of(utf8.begin(), utf8.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
    if (control)
        WriteDebugLog(std::string("SaveSettings: ") + key + " not written");
    file.WriteString(section, key, "\"" + (control ? std::string() : utf8) + "\"");
}
