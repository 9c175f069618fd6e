#pragma once

// TKMoji: one line of text placed by a start point, an end point and an
// angle, with its character size, text kind, font and the images it places.
//
// The start point's tag holds the style bits (1 italic, 2 bold; the layout
// adds 4 underline and 8 strike-out on its pieces). Texts are Shift-JIS. A
// text whose characters begin "^@BM" or "^$BM" names an image file; the loaded
// images are held here by shared pointer and may be shared with other texts.
// Images are never copied with a text: copies start without any.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "document/ZhdMoji.h"
#include "elements/ZhdElem.h"
#include "render/Forward.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

class TKMoji final : public TZhdElem {
public:
    using RasterPtr = boost::shared_ptr<TRasterBase>;
    using RasterList = std::vector<RasterPtr>;

    // GetText indexes.
    static constexpr int FontNameText = 1;
    static constexpr int ImageSpecText = 2;

    TKMoji() = default;
    // The base part is the default one.
    TKMoji(TBPoint start, TBPoint end, TZhdaMoji size, int kind, TAngle angle, std::string font_name,
           std::string text);
    // The base part and the seven fields, without images.
    TKMoji(const TKMoji& other);
    // The attribute record and the seven fields; marks, number and images stay.
    TKMoji& operator=(const TKMoji& other);

    static constexpr int TypeCode = MojiCode;
    int GetTypeCode() const override { return TypeCode; }

    //   struct TextBody {
    //       Status status;             13 or 15 bytes by version
    //       Point  start, end;
    //       u32    kind_word;          kind + 10000 (italic) + 20000 (bold)
    //       f64    width, height, spacing;
    //       f64    angle;              degrees
    //       archive_string font_name, text;
    //   };                             status + 68 + both strings
    // Reading takes the word as unsigned: style = word / 10000, kind = word
    // mod 10000. Only the italic and bold bits are written back. The size's
    // colour number is not stored.
    void ReadBody(TStream& stream, const TZhdData& document) override;
    void WriteBody(TStream& stream, const TZhdData& document) const override;
    int GetBodySize(const TZhdData& document) const override;

    // External-command text form (KMojiTextRecord.cpp).
    void ReadTextRecord(const StringList& lines, TZhdData& document) override;
    void WriteTextRecord(StringList& lines, TZhdData& document) const override;

    // 1 the font name, 2 the image reference (the text after a leading
    // "^@BM" or "^$BM", else empty), any other index the text.
    std::string GetText(int index) const override;
    // Empties the images; 1 when there were any.
    int Release() override;

    TBPoint GetStart() const { return start_; }
    TBPoint SetStart(TBPoint point) { return start_ = point; }
    TBPoint GetEnd() const { return end_; }
    TBPoint SetEnd(TBPoint point) { return end_ = point; }
    TZhdaMoji GetSize() const { return size_; }
    TZhdaMoji SetSize(TZhdaMoji size) { return size_ = size; }
    int GetKind() const { return kind_; }
    int SetKind(int kind) { return kind_ = kind; }
    TAngle GetAngle() const { return angle_; }
    TAngle SetAngle(TAngle angle) { return angle_ = angle; }
    std::string GetFontName() const { return font_name_; }
    std::string SetFontName(std::string name);
    std::string GetTextString() const { return text_; }
    std::string SetTextString(std::string text);
    // For the text search, which looks at every text of a drawing: the text
    // itself without a copy, and whether GetText(ImageSpecText) is not empty.
    const std::string& GetTextStringPtr() const { return text_; }
    bool HasImageSpec() const;
    TKMoji& AsMoji() { return *this; }
    // The seven fields; attribute record, marks, number and images stay.
    TKMoji& AssignMoji(const TKMoji& other);
    TKMoji& SetMoji(TBPoint start, TBPoint end, TZhdaMoji size, int kind, TAngle angle, std::string font_name,
                    std::string text);

    // Images. On an empty list GetRaster and GetRasterAt give an empty
    // pointer, SetRaster appends and RemoveLastRaster does nothing.
    RasterPtr GetRaster() const;
    RasterPtr SetRaster(RasterPtr raster);
    void ClearRasters() { rasters_.clear(); }
    void AddRaster(RasterPtr raster);
    void RemoveLastRaster();
    RasterList GetRasters() const { return rasters_; }
    // The index is limited to 0 .. count - 1.
    RasterPtr GetRasterAt(int index) const;
    int GetRasterCount() const { return static_cast<int>(rasters_.size()); }

private:
    TBPoint start_;
    TBPoint end_;
    TZhdaMoji size_;
    int kind_ = 1;
    TAngle angle_;
    std::string font_name_;
    std::string text_;
    RasterList rasters_;
};
