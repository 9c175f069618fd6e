#pragma once

// THistoryComboBox: an editable combo box whose list is a history. The form
// that owns it calls Loaded() once it has set the properties; the box then
// loads its list, and when it is destroyed it saves the list as it stands,
// in an INI file or under a registry key (the registry INI file), one
// section per box:
//
//   [section]
//   HistoryCount=<n>
//   History0=<top of the list>
//   ...
//   History<n-1>=<bottom of the list>
//
// SaveMode says which of the two happen by themselves. A count that is not a
// number or is negative reads as 0, and at most max_history_loaded entries
// are loaded, so a damaged file never stops the form from being created.

#include <QComboBox>
#include <QString>

#include <filesystem>

enum THistoryMode { hsAuto, hsManual, hsAutoSave, hsAutoLoad };

class THistoryComboBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int max_history_loaded = 1000;

    explicit THistoryComboBox(QWidget* parent = nullptr);
    // Saves per SaveMode. A save that fails is reported to the user, never
    // thrown.
    ~THistoryComboBox() override;

    THistoryMode SaveMode() const { return save_mode_; }
    void SetSaveMode(THistoryMode mode) { save_mode_ = mode; }
    // A registry key; takes precedence over the file.
    QString SaveKeyName() const { return save_key_name_; }
    void SetSaveKeyName(const QString& name) { save_key_name_ = name; }
    QString SaveFileName() const { return save_file_name_; }
    void SetSaveFileName(const QString& name) { save_file_name_ = name; }
    // Empty: the box's object name.
    QString SaveSectionName() const { return save_section_name_; }
    void SetSaveSectionName(const QString& name) { save_section_name_ = name; }
    QString GetSectionString() const;

    // Loads per SaveMode (hsAuto, hsAutoLoad): from the registry when
    // SaveKeyName is set, else from the file when SaveFileName is set.
    void Loaded();

    // With SaveFileName / SaveKeyName: false, doing nothing, when it is
    // empty, else the named form and true.
    bool LoadFromFile();
    bool SaveToFile();
    bool LoadFromRegistry();
    bool SaveToRegistry();
    // Appends the section's entries to the list (the list is not cleared).
    // An empty name does nothing.
    void LoadFromFile(const QString& name);
    void LoadFromRegistry(const QString& key);
    // Replaces the section with the list. Raises TIniWriteError when the
    // file cannot be written. An empty name does nothing.
    void SaveToFile(const QString& name);
    void SaveToRegistry(const QString& key);

    // Empty text: 0. A text already in the list (letter case ignored) moves
    // to the top, becomes the edit text, and gives 0; a new text is inserted
    // at the top and gives 1.
    int AddText(const QString& text);
    // AddText with the edit text.
    int AddText();

private:
    void LoadSection(const std::filesystem::path& file, const QString& section);
    void SaveSection(const std::filesystem::path& file, const QString& section);

    THistoryMode save_mode_ = hsAuto;
    QString save_key_name_;
    QString save_file_name_;
    QString save_section_name_;
};

// The INI file a save name stands for: ".ini" appended when the name has no
// extension, in the settings folder when it has no folder.
std::filesystem::path HistoryFilePath(const QString& name);
