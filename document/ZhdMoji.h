#pragma once

// TZhdaMoji: a text kind, the size style of texts: character width, height
// and spacing and the text's colour number. Setters check nothing.

#include <cstdint>

class TStream;

class TZhdaMoji {
public:
    TZhdaMoji() = default;
    TZhdaMoji(double width, double height, double spacing, int color)
        : width_(width), height_(height), spacing_(spacing), color_(color) {}

    double GetWidth() const { return width_; }
    double SetWidth(double width) { return width_ = width; }
    double GetHeight() const { return height_; }
    double SetHeight(double height) { return height_ = height; }
    double GetSpacing() const { return spacing_; }
    double SetSpacing(double spacing) { return spacing_ = spacing; }
    int GetColor() const { return color_; }
    int SetColor(int color) { return color_ = color; }

    TZhdaMoji& AsMoji() { return *this; }
    TZhdaMoji& Assign(const TZhdaMoji& other);
    TZhdaMoji& SetMoji(double width, double height, double spacing, int color);

    // struct TextKind { f64 width; f64 height; f64 spacing; u32 color; };   28 bytes
    void Read(TStream& stream, std::uint32_t version);
    void Write(TStream& stream, std::uint32_t version) const;

private:
    double width_ = 1.0;
    double height_ = 1.0;
    double spacing_ = 0.0;
    int color_ = 1;
};
