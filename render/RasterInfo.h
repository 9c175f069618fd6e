#pragma once

// TRasterInfo: where and how large an image placed by a text lies in the
// drawing (centre, angle, target size in millimetres), the image's own pixel
// size, densities and bit count, the offset of a BMP file's pixel data, and
// a colour (the ink of a one-bit image, the transparent colour of the
// others). A value class.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "core/RGB.h"

#include <cstdint>
#include <filesystem>

class TStream;
struct TPluginPictureInfo;

class TRasterInfo {
public:
    // 72 dpi in pixels per metre, truncated: the density of an image that
    // gives none.
    static constexpr std::uint32_t DefaultPpm = 2834;
    // The record's size in a stream.
    static constexpr int RecordSize = 70;

    TRasterInfo() = default;
    virtual ~TRasterInfo() = default;
    TRasterInfo(const TRasterInfo&) = default;
    TRasterInfo& operator=(const TRasterInfo&) = default;

    TBPoint GetPosition() const { return position_; }
    TBPoint SetPosition(TBPoint position) { return position_ = position; }
    TAngle GetAngle() const { return angle_; }
    TAngle SetAngle(TAngle angle) { return angle_ = angle; }
    double GetWidth() const { return width_; }
    double SetWidth(double width) { return width_ = width; }
    double GetHeight() const { return height_; }
    double SetHeight(double height) { return height_ = height; }
    int GetPixelWidth() const { return pixel_width_; }
    int SetPixelWidth(int width) { return pixel_width_ = width; }
    int GetPixelHeight() const { return pixel_height_; }
    int SetPixelHeight(int height) { return pixel_height_ = height; }
    // The setters store DefaultPpm for 0.
    int GetPpmX() const { return static_cast<int>(ppm_x_); }
    int SetPpmX(int ppm);
    int GetPpmY() const { return static_cast<int>(ppm_y_); }
    int SetPpmY(int ppm);
    short GetBitCount() const { return static_cast<short>(bit_count_); }
    short SetBitCount(short count);
    int GetDataOffset() const { return static_cast<int>(data_offset_); }
    int SetDataOffset(int offset);
    TRGB GetColor() const { return color_; }
    TRGB SetColor(TRGB color) { return color_ = color; }
    TRasterInfo* GetInfoPtr() { return this; }
    TRasterInfo GetInfo() const { return *this; }
    TRasterInfo* SetInfo(TRasterInfo info);

    // Reads the image file's header: a BMP's own header, any other file
    // through the image plug-ins. The bit count, or 0 (nothing changed) when
    // the file is missing or not recognised.
    int ReadImageInfo(const std::filesystem::path& file);

    // A plug-in's picture information: pixel size, densities from its dots
    // per inch (0 taken as 72), bit count; no data offset.
    void TakePluginInfo(const TPluginPictureInfo& picture);

    double GetDpiX() const { return ppm_x_ * 0.001 * 25.4; }
    double GetDpiY() const { return ppm_y_ * 0.001 * 25.4; }
    // The image's own size in millimetres.
    double GetNaturalWidthMM() const { return pixel_width_ / static_cast<double>(ppm_x_) * 1000; }
    double GetNaturalHeightMM() const { return pixel_height_ / static_cast<double>(ppm_y_) * 1000; }
    double GetMMPerPixelX() const { return 1000 / static_cast<double>(ppm_x_); }
    double GetMMPerPixelY() const { return 1000 / static_cast<double>(ppm_y_); }
    double GetScaleX() const { return width_ / GetNaturalWidthMM(); }
    double GetScaleY() const { return height_ / GetNaturalHeightMM(); }
    // Whether every size the pixel mappings divide by is finite and above
    // 0: an image without it covers nothing and is not drawn.
    bool HasArea() const;

    //   struct ImageInfo {             70 bytes
    //       f64 x, y; i32 tag;         the centre with its tag
    //       f64 angle;                 radians
    //       f64 width, height;         millimetres
    //       i32 pixel_width, pixel_height;
    //       u32 ppm_x, ppm_y;          stored as read (0 stays 0)
    //       u16 bit_count;
    //       u32 data_offset;
    //       u32 color;                 R + 256 G + 65536 B
    //   };
    void ReadRecord(TStream& stream);
    void WriteRecord(TStream& stream) const;

private:
    bool ReadBmpInfo(const std::filesystem::path& file);
    bool ReadPluginInfo(const std::filesystem::path& file);

    TBPoint position_;
    TAngle angle_;
    double width_ = 0.0;
    double height_ = 0.0;
    std::int32_t pixel_width_ = 0;
    std::int32_t pixel_height_ = 0;
    std::uint32_t ppm_x_ = 1;
    std::uint32_t ppm_y_ = 1;
    std::uint16_t bit_count_ = 1;
    std::uint32_t data_offset_ = 0;
    TRGB color_;
};
