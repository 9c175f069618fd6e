#pragma once

// The header's pens: a screen pen (colour word and line width) and a print
// pen, which adds the radius of printed points and, for the extended colours
// 100 to 356, the colour's name. The document's pen maps hold the same
// records.
//
// Colour words are red + green * 256 + blue * 65536. Setters check nothing.
// Stream records (little-endian; a field the stream cannot deliver keeps its
// value, see document/RecordFields.h) are given with their readers below.

#include <cstdint>
#include <string>

class TStream;

class TZhdPen {
public:
    TZhdPen() = default;
    TZhdPen(int color, int width) : color_(color), width_(width) {}

    int GetColor() const { return color_; }
    // The same colour word as GetColor.
    int GetColorValue() const { return color_; }
    int SetColor(int color) { return color_ = color; }
    int GetWidth() const { return width_; }
    int SetWidth(int width) { return width_ = width; }

    TZhdPen& AsPen() { return *this; }
    TZhdPen& Assign(const TZhdPen& other);
    TZhdPen& SetPen(int color, int width);

    // struct Pen { u32 color; u32 width; };   8 bytes
    void Read(TStream& stream, std::uint32_t version);
    void Write(TStream& stream, std::uint32_t version) const;

private:
    int color_ = 0xC0C0C0;
    int width_ = 1;
};

class TZhdPrtPen : public TZhdPen {
public:
    // Print pens default to width 18, not the screen pen's 1.
    TZhdPrtPen() : TZhdPen(0xC0C0C0, 18) {}

    double GetPointRadius() const { return point_radius_; }
    double SetPointRadius(double radius) { return point_radius_ = radius; }
    std::string GetColorName() const { return color_name_; }
    std::string SetColorName(std::string name);

    TZhdPrtPen& AsPrtPen() { return *this; }
    // These two touch only the members this class adds: colour and width stay.
    TZhdPrtPen& AssignPrtPen(const TZhdPrtPen& other);
    TZhdPrtPen& SetPrtPen(double point_radius, std::string color_name);
    TZhdPrtPen& SetAll(int color, int width, double point_radius, std::string color_name);

    // struct PrtPen { u32 color; u32 width; f64 point_radius; };   16 bytes
    void Read(TStream& stream, std::uint32_t version);
    void Write(TStream& stream, std::uint32_t version) const;
    // struct NamedPrtPen { archive_string color_name; PrtPen pen; };
    void ReadWithName(TStream& stream, std::uint32_t version);
    void WriteWithName(TStream& stream, std::uint32_t version) const;

private:
    double point_radius_ = 0.18;
    std::string color_name_;
};
