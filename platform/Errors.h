#pragma once

// The exceptions of the system. Model code reports failures through results
// and state; these are the few cases that raise: a text that does not convert
// to a number where the caller asked for an error (the text readers turn it
// into a failed load naming the line), and pattern errors of the regular
// expressions.

#include <stdexcept>
#include <string>

class ZuviewError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a valid number where a number is required.
class ConvertError : public ZuviewError {
public:
    using ZuviewError::ZuviewError;
};

// A conversion error in one line of a text file, with the index of the line
// in the reader's line list (0-based, empty lines not counted).
class TLineConvertError : public ConvertError {
public:
    TLineConvertError(int line_index, const std::string& message)
        : ConvertError(message), line_index_(line_index)
    {
    }

    int GetLineIndex() const { return line_index_; }

private:
    int line_index_;
};
