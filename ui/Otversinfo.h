#pragma once

// TOtVersInfo: the program's version texts. They are compiled into the
// program as a table of string entries per translation (language and code
// page), since a Linux executable carries no version resource; the look-up
// follows the same rules: the translation of the user's language when there
// is one, else the first.

#include <QString>

#include <string>

class TOtVersInfo {
public:
    TOtVersInfo();

    // The file whose version texts are meant; kept for the callers that
    // name the executable, the table is the program's own.
    QString FileName() const { return file_name_; }
    void SetFileName(const QString& file_name) { file_name_ = file_name; }

    // The standard keys by index: 0 "CompanyName", 1 "FileDescription",
    // 2 "FileVersion", 3 "InternalName", 4 "LegalCopyright",
    // 5 "OriginalFilename", 6 "ProductName", 7 "ProductVersion"; empty for
    // another index.
    QString GetWin32StringFileInfo(int index) const;
    // The text of a key in the chosen translation; empty when it has none.
    QString GetStringFileInfo(const QString& key) const;
    // The chosen translation as eight hexadecimal digits (041103A4 for
    // Japanese in code page 932).
    QString TranslationText() const;

    // For tests: the language the user's default is taken to be.
    void SetUserLanguage(int language) { user_language_ = language; }

private:
    QString file_name_;
    int user_language_;
};
