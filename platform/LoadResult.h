#pragma once

// How loading or saving a file ended, as every loader and saver of the
// system reports it. Failure is data: the caller decides how to tell the
// user.

#include <string>

enum class TLoadStatus {
    Loaded,
    // No file at the path. The loaders touch nothing.
    Missing,
    // The file exists but could not be read.
    Unreadable,
    // A drawing whose header does not begin "ZhdData.": only the header was
    // taken.
    WrongMagic,
    // A drawing of a version that holds nothing after its header.
    OldVersion,
    // The data ended early: everything up to there was taken.
    RanShort,
    // The element list met a record of no known class; the load stopped there.
    UnknownClass,
    // A value of a text file did not convert to a number; the result names
    // the line and the loader changed nothing.
    ConversionError,
};

struct [[nodiscard]] TLoadResult {
    TLoadResult() = default;
    // A status alone is a whole result: only a conversion error names a line.
    TLoadResult(TLoadStatus how) : status(how) {}
    TLoadResult(TLoadStatus how, int number, std::string text)
        : status(how), line_number(number), line_text(std::move(text))
    {
    }

    bool operator==(const TLoadResult&) const = default;

    TLoadStatus status = TLoadStatus::Loaded;
    // ConversionError only: the failing line's 1-based number in the file
    // (CR LF, a lone CR and a lone LF each end one line) and its text.
    int line_number = 0;
    std::string line_text;
};

enum class [[nodiscard]] TSaveStatus {
    Saved,
    // The file could not be created or written; a file that was there
    // before is left as it was only when it could not be opened at all.
    CannotCreate,
};
