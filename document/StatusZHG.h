#pragma once

// TStatusZHG: the running attribute state of the external-command text form:
// an attribute record extended by the text style, text kind, font, point
// colour, solid colour and coordinate scale. The document holds two: KStatus,
// the state a file's header leaves, and GStatus, the state element lines are
// read and written with.
//
// The scale divides the coordinates of every record read, so it is always a
// positive finite number: zero, negative or non-finite values become 1.0.

#include "document/Status.h"
#include "document/ZhdMoji.h"

#include <cstdint>
#include <string>

class TStatusZHG : public TStatus {
public:
    TStatusZHG() = default;

    TZhdaMoji GetMoji() const { return moji_; }
    TZhdaMoji SetMoji(TZhdaMoji moji) { return moji_ = moji; }
    // Text kind (mod 10000) and the style (/ 10000: 1 "/", 2 "!").
    std::uint32_t GetMojiShu() const { return moji_shu_; }
    std::uint32_t SetMojiShu(std::uint32_t value) { return moji_shu_ = value; }
    std::string GetMojiFont() const { return moji_font_; }
    std::string SetMojiFont(std::string font);
    std::uint16_t GetTenColor() const { return ten_color_; }
    std::uint16_t SetTenColor(std::uint16_t color) { return ten_color_ = color; }
    int GetSolidColor() const { return solid_color_; }
    int SetSolidColor(int color) { return solid_color_ = color; }
    double GetScale() const { return scale_; }
    double SetScale(double scale);

    TStatusZHG Clone() const { return *this; }
    TStatusZHG& AsStatusZHG() { return *this; }
    // The six members this class adds; the attribute record stays.
    TStatusZHG& AssignStatusZHG(const TStatusZHG& other);
    TStatusZHG& SetStatusZHG(TZhdaMoji moji, std::uint32_t moji_shu, std::string moji_font, std::uint16_t ten_color,
                             int solid_color, double scale);

    // Seventeen debug-log lines, every field.
    void DumpToLog() const;

private:
    TZhdaMoji moji_;
    std::uint32_t moji_shu_ = 1;
    std::string moji_font_;
    std::uint16_t ten_color_ = 2;
    int solid_color_ = 0;
    double scale_ = 1.0;
};
