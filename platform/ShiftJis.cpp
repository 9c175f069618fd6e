#include "platform/ShiftJis.h"

#include <cerrno>
#include <iconv.h>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace {

// One iconv descriptor per direction and thread; iconv_t is not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from)
        : handle_(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (handle_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; a byte sequence that does not convert is replaced by
    // `replacement` and skipped byte by byte.
    std::string Convert(std::string_view input, std::string_view replacement)
    {
        std::string output;
        ConvertInto(input, replacement, output);
        return output;
    }

    // Converts `input` whole, or gives nothing when any character does not
    // convert or converts only to a look-alike.
    std::optional<std::string> ConvertExactly(std::string_view input)
    {
        std::string output;
        if (!ConvertInto(input, {}, output))
            return std::nullopt;
        return output;
    }

private:
    // False when a character did not convert exactly; without a replacement
    // the conversion stops there.
    bool ConvertInto(std::string_view input, std::optional<std::string_view> replacement, std::string& output)
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            output.assign(input);
            return true;
        }
        bool exact = true;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        output.reserve(input.size() * 3 / 2 + 4);
        char* in = const_cast<char*>(input.data());
        std::size_t in_left = input.size();
        char buffer[1024];
        while (in_left > 0) {
            char* out = buffer;
            std::size_t out_left = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
            output.append(buffer, out - buffer);
            if (result != static_cast<std::size_t>(-1)) {
                // A count above 0 tells of characters replaced by look-alikes.
                exact = exact && result == 0;
                continue;
            }
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a sequence cut off at the end): replace one byte.
            exact = false;
            if (!replacement)
                return false;
            output.append(*replacement);
            ++in;
            --in_left;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        iconv(handle_, nullptr, nullptr, &out, &out_left);
        output.append(buffer, out - buffer);
        return exact;
    }

    iconv_t handle_;
};

} // namespace

bool IsTrailByteAt(std::string_view text, std::size_t index)
{
    std::size_t i = 0;
    while (i < index)
        i += CharLengthAt(text, i);
    return i > index;
}

std::string Utf8ToSjis(std::string_view utf8)
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter.Convert(utf8, "?");
}

std::optional<std::string> Utf8ToSjisExactly(std::string_view utf8)
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter.ConvertExactly(utf8);
}

bool IsValidUtf8(std::string_view text)
{
    thread_local Converter converter("UTF-16LE", "UTF-8");
    return converter.ConvertExactly(text).has_value();
}

std::string SjisToUtf8(std::string_view sjis)
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter.Convert(sjis, "\xEF\xBF\xBD");
}

const std::string& sj(const char8_t* utf8_literal)
{
    static std::mutex mutex;
    static std::unordered_map<std::u8string, std::string> converted;
    std::lock_guard lock(mutex);
    std::u8string key(utf8_literal);
    auto it = converted.find(key);
    if (it == converted.end()) {
        std::string_view utf8(reinterpret_cast<const char*>(key.data()), key.size());
        it = converted.emplace(key, Utf8ToSjis(utf8)).first;
    }
    return it->second;
}

std::string SubString1(std::string_view text, long long index, long long count)
{
    if (index < 1)
        index = 1;
    if (count < 1 || index > static_cast<long long>(text.size()))
        return {};
    return std::string(text.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count)));
}

std::string SubStringFrom1(std::string_view text, long long index)
{
    return SubString1(text, index, static_cast<long long>(text.size()));
}

std::size_t Pos1(std::string_view text, std::string_view needle)
{
    if (needle.empty())
        return 0;
    const std::size_t found = text.find(needle);
    return found == std::string_view::npos ? 0 : found + 1;
}

std::filesystem::path NativePath(std::string_view sjis_path)
{
    const std::string utf8 = SjisToUtf8(sjis_path);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string SjisPath(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return Utf8ToSjis(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}
