#include "controls/HistoryComboBox.h"

#include "platform/ui/DialogService.h"
#include "platform/ui/IniFile.h"

#include <QApplication>

#include <algorithm>
#include <exception>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string count_key = "HistoryCount";

std::string EntryKey(int index)
{
    return "History" + std::to_string(index);
}

// The same key whether or not it ends in backslashes. (UTF-8 never has a
// backslash byte inside a character, so cutting bytes is safe.)
QString TrimmedKey(const QString& key)
{
    QString trimmed = key;
    while (trimmed.endsWith(QLatin1Char('\\')))
        trimmed.chop(1);
    return trimmed;
}

bool SavesByItself(THistoryMode mode)
{
    return mode == hsAuto || mode == hsAutoSave;
}

bool LoadsByItself(THistoryMode mode)
{
    return mode == hsAuto || mode == hsAutoLoad;
}

} // namespace

fs::path HistoryFilePath(const QString& name)
{
    fs::path path(name.toStdString());
    if (!path.has_extension())
        path += ".ini";
    if (!path.has_parent_path())
        path = ConfigFolder() / path;
    return path;
}

THistoryComboBox::THistoryComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    // The list changes only through AddText and loading, not by Enter.
    setInsertPolicy(QComboBox::NoInsert);
}

THistoryComboBox::~THistoryComboBox()
{
    if (!SavesByItself(save_mode_))
        return;
    try {
        if (!SaveToRegistry())
            SaveToFile();
    } catch (const std::exception& error) {
        // TIniWriteError above all: a destructor must not throw, and the
        // user should know the history was not kept.
        if (QApplication::instance() != nullptr)
            ShowMessage(nullptr, QString::fromStdString(error.what()), QMessageBox::Warning);
    }
}

QString THistoryComboBox::GetSectionString() const
{
    return save_section_name_.isEmpty() ? objectName() : save_section_name_;
}

void THistoryComboBox::Loaded()
{
    if (!LoadsByItself(save_mode_))
        return;
    if (!LoadFromRegistry())
        LoadFromFile();
}

bool THistoryComboBox::LoadFromFile()
{
    if (save_file_name_.isEmpty())
        return false;
    LoadFromFile(save_file_name_);
    return true;
}

bool THistoryComboBox::SaveToFile()
{
    if (save_file_name_.isEmpty())
        return false;
    SaveToFile(save_file_name_);
    return true;
}

bool THistoryComboBox::LoadFromRegistry()
{
    if (save_key_name_.isEmpty())
        return false;
    LoadFromRegistry(save_key_name_);
    return true;
}

bool THistoryComboBox::SaveToRegistry()
{
    if (save_key_name_.isEmpty())
        return false;
    SaveToRegistry(save_key_name_);
    return true;
}

void THistoryComboBox::LoadFromFile(const QString& name)
{
    if (!name.isEmpty())
        LoadSection(HistoryFilePath(name), GetSectionString());
}

void THistoryComboBox::SaveToFile(const QString& name)
{
    if (!name.isEmpty())
        SaveSection(HistoryFilePath(name), GetSectionString());
}

void THistoryComboBox::LoadFromRegistry(const QString& key)
{
    const QString trimmed = TrimmedKey(key);
    if (!trimmed.isEmpty())
        LoadSection(RegistryIniPath(),
                    QString::fromStdString(RegistryIniSection(trimmed.toStdString(), GetSectionString().toStdString())));
}

void THistoryComboBox::SaveToRegistry(const QString& key)
{
    const QString trimmed = TrimmedKey(key);
    if (!trimmed.isEmpty())
        SaveSection(RegistryIniPath(),
                    QString::fromStdString(RegistryIniSection(trimmed.toStdString(), GetSectionString().toStdString())));
}

void THistoryComboBox::LoadSection(const fs::path& file, const QString& section_name)
{
    const TIniFile ini(file);
    const std::string section = section_name.toStdString();
    // The count comes from a file anyone may edit: not a number or negative
    // is 0, and the list is bounded.
    const int count = std::clamp(ini.ReadInteger(section, count_key, 0), 0, max_history_loaded);
    // Appending to an empty list would make the first entry current and
    // replace the edit text; the text stays as the form set it.
    const QString edit_text = currentText();
    const bool had_items = this->count() > 0;
    for (int index = 0; index < count; ++index)
        addItem(QString::fromStdString(ini.ReadString(section, EntryKey(index), "")));
    if (!had_items && count > 0) {
        setCurrentIndex(-1);
        setEditText(edit_text);
    }
}

void THistoryComboBox::SaveSection(const fs::path& file, const QString& section_name)
{
    TIniFile ini(file);
    const std::string section = section_name.toStdString();
    // One save of the file for the whole section.
    ini.BeginUpdate();
    ini.EraseSection(section);
    const int entries = count();
    ini.WriteInteger(section, count_key, entries);
    for (int index = 0; index < entries; ++index)
        ini.WriteString(section, EntryKey(index), itemText(index).toStdString());
    ini.EndUpdate();
}

int THistoryComboBox::AddText(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const QString edit_text = currentText();
    for (int index = 0; index < count(); ++index) {
        if (itemText(index).compare(text, Qt::CaseInsensitive) != 0)
            continue;
        const QString entry = itemText(index);
        removeItem(index);
        insertItem(0, entry);
        setCurrentIndex(0);
        setEditText(text);
        return 0;
    }
    insertItem(0, text);
    if (currentText() != edit_text)
        setEditText(edit_text);
    return 1;
}

int THistoryComboBox::AddText()
{
    return AddText(currentText());
}
