#pragma once

// TIniFile: settings files with the rules of profile files.
//
// A file is sections of "key=value" lines under "[section]" headings.
// Section and key names are compared ignoring ASCII case; values are read
// with their surrounding blanks trimmed and one pair of enclosing quotes
// (double or single) removed. Writing a key replaces its line in place, or
// appends it at the end of its section; a missing section is appended at the
// end of the file; erasing a section removes its heading and lines. Other
// lines (comments, blanks, text outside a section) are kept as they were.
// Of duplicate sections and keys the first counts.
//
// Every TIniFile of one path shares one in-memory copy, so writers never
// overwrite each other's keys. Each write saves the whole file at once and
// atomically (a temporary file renamed over it): a failed save leaves the
// previous file whole and raises TIniWriteError. A file changed on disk
// since it was read is read again when the next TIniFile opens it.
//
// Files are UTF-8; names and values are UTF-8 strings.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// "%s に書き込めません" with the file's path.
class TIniWriteError : public std::runtime_error {
public:
    explicit TIniWriteError(const std::filesystem::path& path);
};

class TIniStore;

class TIniFile {
public:
    explicit TIniFile(const std::filesystem::path& path);

    const std::filesystem::path& FileName() const { return path_; }

    // Missing section or key: the default.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$", within 32 bits;
    // anything else (blank, "12a", out of range) reads as the default.
    int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
    // An integer; non-zero is true.
    bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
    // A decimal number with "."; empty or unreadable text reads as the
    // default, as does a value that is not finite.
    double ReadFloat(const std::string& section, const std::string& key, double fallback) const;

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    // The section's keys in file order (the first of duplicates only).
    std::vector<std::string> ReadSection(const std::string& section) const;
    std::vector<std::string> ReadSections() const;

    // Each raises TIniWriteError when the file cannot be saved; the
    // in-memory copy keeps the change, the file keeps its previous contents.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    // "1" or "0".
    void WriteBool(const std::string& section, const std::string& key, bool value);
    // Up to 15 significant digits, "." as the decimal point.
    void WriteFloat(const std::string& section, const std::string& key, double value);
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);

    // Between these, writes change the in-memory copy only; the outermost
    // EndUpdate saves the file once (raising TIniWriteError on failure), so
    // a form writing many keys rewrites the file once. Pairs nest, per
    // TIniFile object; the TIniFile's destructor ends an update left open,
    // saving without raising.
    void BeginUpdate();
    void EndUpdate();

    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

private:
    std::filesystem::path path_;
    std::shared_ptr<TIniStore> store_;
    int update_depth_ = 0;
};

// The settings folder: $XDG_CONFIG_HOME/zuview, or ~/.config/zuview. Not
// created here; a save creates it.
std::filesystem::path ConfigFolder();
// Where the program keeps its trace: $XDG_STATE_HOME/zuview, or
// ~/.local/state/zuview. Not created here.
std::filesystem::path StateFolder();

// The settings files that registry keys of the current user stand for:
// "registry.ini" in the settings folder, one section per key path and
// section name joined by "\".
std::filesystem::path RegistryIniPath();
std::string RegistryIniSection(const std::string& key, const std::string& section);

// Integer conversion as ReadInteger does it; false for text that is not one.
bool ParseIniInteger(const std::string& text, int& value);
