#pragma once

// The external-command text form ("zhc_temp.txt") as lines: how a load
// ends, the error that carries the failing line, and the cutting of a file's
// bytes into lines and back.
//
// The file is Shift-JIS text. The reader cuts at every run of CR and LF, so
// empty lines vanish, and stops at the first zero byte; the writer ends every
// line, the last one too, with CR LF.

#include "core/TextUtil.h"
#include "platform/Errors.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// How a text-form load ended. Only Loaded changes the document: every other
// outcome leaves it exactly as it was.
enum class TTextFormStatus {
    Loaded,
    // No file at the path.
    Missing,
    // The file exists but could not be read.
    Unreadable,
    // An integer field of a line did not convert; the result names the line.
    ConversionError,
};

struct TTextFormLoadResult {
    TTextFormLoadResult() = default;
    explicit TTextFormLoadResult(TTextFormStatus status) : status(status) {}

    TTextFormStatus status = TTextFormStatus::Loaded;
    // ConversionError only: the failing line's number in the file (1-based;
    // CR LF, a lone CR and a lone LF each end one line) and its text.
    int line_number = 0;
    std::string line_text;
};

// An integer field that did not convert, with the index of its line in the
// line list (0-based, empty lines not counted).
class TTextFormLineError : public ConvertError {
public:
    TTextFormLineError(int line_index, const std::string& message)
        : ConvertError(message), line_index_(line_index)
    {
    }

    int GetLineIndex() const { return line_index_; }

private:
    int line_index_;
};

// The non-empty lines of a text-form file's bytes (up to the first zero
// byte), and for each the number of its line in the file.
struct TTextFormLines {
    StringList lines;
    std::vector<int> line_numbers;
};

TTextFormLines SplitTextFormBytes(std::string_view bytes);

// Every line followed by CR LF.
std::string JoinTextFormLines(const StringList& lines);

// The parts one after the other. The writers build their lines with it: one
// string per line instead of a chain of temporaries (a chain that begins
// with a literal also trips a false overlap warning of the optimiser).
template <typename... Parts>
std::string ConcatText(const Parts&... parts)
{
    std::string text;
    text.reserve((std::string_view(parts).size() + ...));
    (text.append(parts), ...);
    return text;
}

// Appends each number with a blank before it, in the general float format.
void AppendNumbers(std::string& line, std::initializer_list<double> numbers);
