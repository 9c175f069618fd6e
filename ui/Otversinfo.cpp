#include "ui/Otversinfo.h"

#include "ui/ProgramVersion.h"

#include <QCoreApplication>
#include <QLocale>

#include <array>
#include <span>

namespace {

struct TVersionString {
    const char* key;
    const char* value;
};

struct TTranslation {
    int language;
    int code_page;
    std::span<const TVersionString> strings;
};

constexpr std::array<TVersionString, 8> japanese_strings { {
    { "CompanyName", "Zuview Project" },
    { "FileDescription", "Zuhen Data のビューアー・プリンター" },
    { "FileVersion", ProgramVersionText },
    { "InternalName", "zuview" },
    { "LegalCopyright", "Copyright (C) 2026 Zuview Project" },
    { "OriginalFilename", "zuview" },
    { "ProductName", "Zuview" },
    { "ProductVersion", ProgramVersionText },
} };

// Japanese in code page 932: the program's one translation.
constexpr std::array<TTranslation, 1> translations { { { 0x0411, 0x03A4, japanese_strings } } };

constexpr std::array<const char*, 8> standard_keys { "CompanyName",    "FileDescription",  "FileVersion",
                                                     "InternalName",   "LegalCopyright",   "OriginalFilename",
                                                     "ProductName",    "ProductVersion" };

// The user's language as a Windows language identifier, for the choice of
// translation.
int UserLanguageIdentifier()
{
    switch (QLocale().language()) {
    case QLocale::Japanese:
        return 0x0411;
    case QLocale::English:
        return 0x0409;
    default:
        return 0;
    }
}

const TTranslation& ChosenTranslation(int user_language)
{
    // From the last entry to the first, the first of the user's language;
    // the first entry when none is.
    for (std::size_t i = translations.size(); i-- > 0;) {
        if (translations[i].language == user_language)
            return translations[i];
    }
    return translations.front();
}

} // namespace

TOtVersInfo::TOtVersInfo()
    : file_name_(QCoreApplication::instance() != nullptr ? QCoreApplication::applicationFilePath() : QString())
    , user_language_(UserLanguageIdentifier())
{
}

QString TOtVersInfo::GetWin32StringFileInfo(int index) const
{
    if (index < 0 || index >= static_cast<int>(standard_keys.size()))
        return {};
    return GetStringFileInfo(QString::fromLatin1(standard_keys[static_cast<std::size_t>(index)]));
}

QString TOtVersInfo::GetStringFileInfo(const QString& key) const
{
    for (const TVersionString& entry : ChosenTranslation(user_language_).strings) {
        if (key == QLatin1String(entry.key))
            return QString::fromUtf8(entry.value);
    }
    return {};
}

QString TOtVersInfo::TranslationText() const
{
    const TTranslation& chosen = ChosenTranslation(user_language_);
    return QStringLiteral("%1%2")
        .arg(chosen.language, 4, 16, QLatin1Char('0'))
        .arg(chosen.code_page, 4, 16, QLatin1Char('0'))
        .toUpper();
}
