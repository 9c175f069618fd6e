#pragma once

// The exceptions of the system. Model code reports most failures through
// results and state; these are the few cases that raise: a file that cannot be
// opened or created, a text that does not convert to a number where the caller
// asked for an error, and (later) pattern errors of the regular expressions.

#include <stdexcept>
#include <string>

class ZuviewError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read, created or written.
class FileError : public ZuviewError {
public:
    using ZuviewError::ZuviewError;
};

// A text that is not a valid number where a number is required.
class ConvertError : public ZuviewError {
public:
    using ZuviewError::ZuviewError;
};
