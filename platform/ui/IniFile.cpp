#include "platform/ui/IniFile.h"

#include "platform/AsciiCase.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

TIniWriteError::TIniWriteError(const fs::path& path)
    : std::runtime_error(path.string() + " に書き込めません")
{
}

namespace {

std::string Trim(const std::string& text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string Unquoted(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// "[name]" gives name; anything else is no heading.
bool IsHeading(const std::string& line, std::string& name)
{
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[')
        return false;
    const std::size_t close = trimmed.find(']');
    if (close == std::string::npos)
        return false;
    name = Trim(trimmed.substr(1, close - 1));
    return true;
}

// "key=value" gives both; comments and lines without "=" are no entry.
bool IsEntry(const std::string& line, std::string& key, std::string& value)
{
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';')
        return false;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !key.empty();
}

bool SameName(const std::string& a, const std::string& b)
{
    return EqualsIgnoringAsciiCase(a, b);
}

struct FileStamp {
    bool exists = false;
    fs::file_time_type time {};
    std::uintmax_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const fs::path& path)
{
    std::error_code error;
    FileStamp stamp;
    stamp.exists = fs::is_regular_file(path, error);
    if (stamp.exists) {
        stamp.time = fs::last_write_time(path, error);
        stamp.size = fs::file_size(path, error);
    }
    return stamp;
}

} // namespace

// The lines of one file, as read, changed in place.
class TIniStore {
public:
    explicit TIniStore(fs::path path) : path_(std::move(path)) { Reload(); }

    std::mutex& Mutex() { return mutex_; }

    // Saves wait while any writer holds an update open.
    void HoldSaves() { ++held_; }
    void ReleaseSaves()
    {
        if (held_ > 0 && --held_ == 0 && unsaved_)
            Save();
    }

    void ReloadIfChangedOnDisk()
    {
        if (StampOf(path_) != stamp_)
            Reload();
    }

    // The line index of the section's heading, or npos.
    std::size_t FindSection(const std::string& section) const
    {
        std::string name;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (IsHeading(lines_[i], name) && SameName(name, section))
                return i;
        }
        return std::string::npos;
    }

    // One past the section's last line.
    std::size_t SectionEnd(std::size_t heading) const
    {
        std::string name;
        std::size_t end = heading + 1;
        while (end < lines_.size() && !IsHeading(lines_[end], name))
            ++end;
        return end;
    }

    std::size_t FindKey(const std::string& section, const std::string& key, std::string* value = nullptr) const
    {
        const std::size_t heading = FindSection(section);
        if (heading == std::string::npos)
            return std::string::npos;
        const std::size_t end = SectionEnd(heading);
        std::string name, text;
        for (std::size_t i = heading + 1; i < end; ++i) {
            if (IsEntry(lines_[i], name, text) && SameName(name, key)) {
                if (value != nullptr)
                    *value = text;
                return i;
            }
        }
        return std::string::npos;
    }

    std::vector<std::string> Keys(const std::string& section) const
    {
        std::vector<std::string> keys;
        const std::size_t heading = FindSection(section);
        if (heading == std::string::npos)
            return keys;
        std::string name, text;
        for (std::size_t i = heading + 1; i < SectionEnd(heading); ++i) {
            if (IsEntry(lines_[i], name, text)
                && std::none_of(keys.begin(), keys.end(), [&](const std::string& k) { return SameName(k, name); }))
                keys.push_back(name);
        }
        return keys;
    }

    std::vector<std::string> Sections() const
    {
        std::vector<std::string> sections;
        std::string name;
        for (const std::string& line : lines_) {
            if (IsHeading(line, name)
                && std::none_of(sections.begin(), sections.end(),
                                [&](const std::string& s) { return SameName(s, name); }))
                sections.push_back(name);
        }
        return sections;
    }

    void Write(const std::string& section, const std::string& key, const std::string& value)
    {
        const std::string line = key + "=" + value;
        const std::size_t existing = FindKey(section, key);
        if (existing != std::string::npos) {
            lines_[existing] = line;
        } else if (const std::size_t heading = FindSection(section); heading != std::string::npos) {
            // After the section's last entry, before the blanks that part it
            // from the next section.
            std::size_t at = SectionEnd(heading);
            while (at > heading + 1 && Trim(lines_[at - 1]).empty())
                --at;
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
        } else {
            lines_.push_back("[" + section + "]");
            lines_.push_back(line);
        }
        Save();
    }

    void Erase(const std::string& section)
    {
        const std::size_t heading = FindSection(section);
        if (heading == std::string::npos)
            return;
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(heading),
                     lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(heading)));
        Save();
    }

    void DeleteKey(const std::string& section, const std::string& key)
    {
        const std::size_t at = FindKey(section, key);
        if (at == std::string::npos)
            return;
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
        Save();
    }

private:
    void Reload()
    {
        lines_.clear();
        std::ifstream in(path_, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines_.push_back(line);
        }
        stamp_ = StampOf(path_);
    }

    // The whole file to a temporary file beside it, then renamed over it.
    void Save()
    {
        if (held_ > 0) {
            unsaved_ = true;
            return;
        }
        unsaved_ = false;
        std::error_code error;
        if (path_.has_parent_path())
            fs::create_directories(path_.parent_path(), error);
        fs::path temporary = path_;
        temporary += ".tmp" + std::to_string(::getpid());
        bool written = false;
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            for (const std::string& line : lines_)
                out << line << '\n';
            out.flush();
            written = static_cast<bool>(out);
        }
        if (!written || std::rename(temporary.c_str(), path_.c_str()) != 0) {
            fs::remove(temporary, error);
            throw TIniWriteError(path_);
        }
        stamp_ = StampOf(path_);
    }

    fs::path path_;
    std::vector<std::string> lines_;
    FileStamp stamp_;
    std::mutex mutex_;
    int held_ = 0;
    bool unsaved_ = false;
};

namespace {

std::shared_ptr<TIniStore> SharedStore(const fs::path& path)
{
    static std::mutex mutex;
    static std::map<fs::path, std::weak_ptr<TIniStore>> stores;
    std::error_code error;
    fs::path key = fs::weakly_canonical(fs::absolute(path, error), error);
    if (key.empty())
        key = path;
    const std::lock_guard lock(mutex);
    std::shared_ptr<TIniStore> store = stores[key].lock();
    if (!store) {
        store = std::make_shared<TIniStore>(key);
        stores[key] = store;
    }
    return store;
}

} // namespace

TIniFile::TIniFile(const fs::path& path)
    : path_(path)
    , store_(SharedStore(path))
{
    const std::lock_guard lock(store_->Mutex());
    store_->ReloadIfChangedOnDisk();
}

TIniFile::~TIniFile()
{
    while (update_depth_ > 0) {
        try {
            EndUpdate();
        } catch (const TIniWriteError&) {
            // The caller that wanted to hear of it would have ended the
            // update itself.
        }
    }
}

void TIniFile::BeginUpdate()
{
    const std::lock_guard lock(store_->Mutex());
    ++update_depth_;
    store_->HoldSaves();
}

void TIniFile::EndUpdate()
{
    const std::lock_guard lock(store_->Mutex());
    if (update_depth_ == 0)
        return;
    --update_depth_;
    store_->ReleaseSaves();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const
{
    const std::lock_guard lock(store_->Mutex());
    std::string value;
    if (store_->FindKey(section, key, &value) == std::string::npos)
        return fallback;
    return Unquoted(value);
}

bool ParseIniInteger(const std::string& text, int& value)
{
    std::string digits = Trim(text);
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.erase(0, 1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.erase(0, 2);
        base = 16;
    } else if (digits.size() > 1 && digits[0] == '$') {
        digits.erase(0, 1);
        base = 16;
    }
    if (digits.empty() || digits.front() == '-' || digits.front() == '+')
        return false;
    long long magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc() || end != digits.data() + digits.size())
        return false;
    const long long signed_value = negative ? -magnitude : magnitude;
    // Hexadecimal spells the bits of a 32-bit word: $FFFFFFFF is -1.
    if (base == 16 && !negative && signed_value > 0x7FFFFFFFLL && signed_value <= 0xFFFFFFFFLL) {
        value = static_cast<int>(static_cast<std::uint32_t>(signed_value));
        return true;
    }
    if (signed_value < INT32_MIN || signed_value > INT32_MAX)
        return false;
    value = static_cast<int>(signed_value);
    return true;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int fallback) const
{
    int value = 0;
    return ParseIniInteger(ReadString(section, key, ""), value) ? value : fallback;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const std::string& section, const std::string& key, double fallback) const
{
    const std::string text = Trim(ReadString(section, key, ""));
    if (text.empty())
        return fallback;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return fallback;
    return value;
}

bool TIniFile::SectionExists(const std::string& section) const
{
    const std::lock_guard lock(store_->Mutex());
    return store_->FindSection(section) != std::string::npos;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    const std::lock_guard lock(store_->Mutex());
    return store_->FindKey(section, key) != std::string::npos;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    const std::lock_guard lock(store_->Mutex());
    return store_->Keys(section);
}

std::vector<std::string> TIniFile::ReadSections() const
{
    const std::lock_guard lock(store_->Mutex());
    return store_->Sections();
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    const std::lock_guard lock(store_->Mutex());
    store_->Write(section, key, value);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteFloat(const std::string& section, const std::string& key, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    WriteString(section, key, text);
}

void TIniFile::EraseSection(const std::string& section)
{
    const std::lock_guard lock(store_->Mutex());
    store_->Erase(section);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    const std::lock_guard lock(store_->Mutex());
    store_->DeleteKey(section, key);
}

namespace {

// The program's folder under an XDG base folder: the variable's absolute
// path, else the default below the home folder.
fs::path XdgFolder(const char* variable, const fs::path& below_home)
{
    if (const char* base = std::getenv(variable); base != nullptr && base[0] == '/')
        return fs::path(base) / "zuview";
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return fs::path(home) / below_home / "zuview";
    return fs::temp_directory_path() / "zuview";
}

} // namespace

fs::path ConfigFolder()
{
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

fs::path StateFolder()
{
    return XdgFolder("XDG_STATE_HOME", fs::path(".local") / "state");
}

fs::path RegistryIniPath()
{
    return ConfigFolder() / "registry.ini";
}

std::string RegistryIniSection(const std::string& key, const std::string& section)
{
    return key + "\\" + section;
}
