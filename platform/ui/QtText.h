#pragma once

// Texts and file names where the program meets Qt: literals written as
// u8"…", the model's Shift-JIS texts, and paths, which are UTF-8 inside the
// program.

#include "platform/ShiftJis.h"

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

inline QString QtText(const char8_t* utf8)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8));
}

inline QString SjisText(std::string_view sjis)
{
    return QString::fromStdString(SjisToUtf8(sjis));
}

inline QString PathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::filesystem::path PathFromText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return PathFromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

inline std::string Utf8Path(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
