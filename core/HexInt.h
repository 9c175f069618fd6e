#pragma once

// THexInt: an int read and shown as hexadecimal text.
//
// Reading: one to eight hexadecimal digits in either case, nothing else (no
// prefix, sign or blank); eight digits from "80000000" up give a negative
// value, and any other text gives 0. Showing: the lower-case digits of the
// 32-bit pattern without leading zeros, so 255 is "ff" and -1 "ffffffff".

#include <string>

class THexInt {
public:
    // |v| mod 16.
    static int DigitOf(int v);

    int GetValue() const { return value_; }
    // value := DigitOf(v); returns it.
    int SetDigit(int v);
    // Returns the value read.
    int SetText(const std::string& text);
    std::string GetText() const;
    // value := DigitOf(v); returns its text.
    std::string SetDigitText(int v);
    // Returns the text of the value read, so "0A" comes back as "a".
    std::string SetTextNormalized(const std::string& text);
    THexInt& AsHexInt() { return *this; }
    THexInt& Assign(const THexInt& other);
    // value := |v|, where |INT_MIN| keeps the pattern 0x80000000.
    THexInt& SetAbs(int v);
    THexInt& AssignText(const std::string& text);

private:
    int value_ = 0;
};
