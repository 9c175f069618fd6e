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

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class TKMoji final : public TZhdElem {
public:
    using RasterPtr = boost::shared_ptr<TRasterBase>;
    using RasterList = std::vector<RasterPtr>;

    // GetText indexes.
    static constexpr int FontNameText = 1;
    static constexpr int ImageSpecText = 2;

    // Style bits in the start point's tag.
    static constexpr int ItalicStyle = 1;
    static constexpr int BoldStyle = 2;
    static constexpr int UnderlineStyle = 4;
    static constexpr int StrikeOutStyle = 8;
    // Attribute flag bit of vertical writing.
    static constexpr int VerticalFlag = 5;

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

    // --- Geometry (KMojiGeometry.cpp). The text's box runs along the base
    // line from start to end and up by the character height; box point codes:
    //   6 --- 7 --- 8
    //   3     4     5
    //   0 --- 1 --- 2
    // with 0 the start and 2 the end. ---

    // GetBoxPoint(code, 0, 0, 0).
    TBPoint GetKeyPoint(int index) const override;
    // Lengths [text width, character height], angles [the text's angle].
    TShapeInfo GetShapeInfo(const TBPoint& point) const override;
    // The box of the start and box points 2, 6 and 8 of GetBoxPointWithImage;
    // document and flag are not read.
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const override;
    // The foot on the box outline (start, end, 8, 6) whose line lies nearest,
    // and the query's signed offset from that line; feet beyond an edge's
    // ends count. The distance is 0 on entry; 0 when no edge is longer than
    // 1e-10 or a point is not finite.
    int NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                     double& distance) const override;
    // The nearest of the nine box points (italic slant taken), and of an
    // image text's box too; the first on a tie. Always 1.
    int NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                        double& distance) const override;
    // Texts have no intersections: 0, the list untouched.
    int CrossPoints(const TZhdElemPtr& other, const TZhdData& document, std::vector<TBPoint>& points) const override;
    // Start and end; the style in the start's tag stays.
    void MoveBy(TBPoint offset, const TZhdData& document) override;
    // Both points about the origin; the angle is added in its own unit.
    void Rotate(TAngle angle, const TZhdData& document) override;
    // The box centre goes where the scaling takes it; width and spacing are
    // scaled by |sx|, height by |sy|; the text keeps reading left to right
    // and its end follows from its new width.
    void Scale(double sx, double sy, const TZhdData& document) override;

    // Piece by piece in the fonts of the pieces, with the frame and edge the
    // view asks for (KMojiDraw.cpp). The result is 0: a text does not count
    // as a drawn shape for the element list.
    int Draw(TCanvas& canvas, TZhdData& document) override;

    // Box point by code (any other code: the start), moved by `along` and
    // `across` the base line; with the slant flag an italic text's box leans
    // by 90° - 71°57'53". Tag 0.
    TBPoint GetBoxPoint(int code, double along, double across, int slant) const;
    // Box points 0, 2, 8 and 6 (the frame's corners in order round it), as
    // GetBoxPoint gives them without offsets, worked out together.
    std::array<TBPoint, 4> GetFrameCorners(int slant) const;
    // The same for the box an image text fills: the image reference's width
    // and height ("file,width[,height]" in millimetres) when it gives them,
    // else the text's width and character height; the end is the start plus
    // that width, never the stored end.
    TBPoint GetBoxPointWithImage(int code, double along, double across, int slant) const;
    // The start point that puts box point `code` (measured with the text's
    // width), moved by along/across, on the anchor. Tag 0.
    TBPoint BasePointFromAnchor(TBPoint anchor, int code, double along, double across, int slant) const;
    TBPoint BasePointFromAnchorAlt(TBPoint anchor, int code, double along, double across, int slant) const
    {
        return BasePointFromAnchor(anchor, code, along, across, slant);
    }

    // --- Widths and control codes (KMojiGeometry.cpp, KMojiLayout.cpp). ---

    // GetTextWidthEx's first result.
    double GetTextWidth() const;
    // The width the text takes: its characters measured as if the bytes of
    // its size and position codes were cut from its end. The second result
    // is the part the layout stretches or compresses and its width: for a
    // text ending in middle dots the text without them, for one ending in a
    // caret and a digit k the text without that code, else the first result.
    double GetTextWidthEx(std::string& measured_text, double& measured_width) const;
    // A double-byte character takes `width` and a one-byte character half
    // of it; each character but the last adds `spacing` (half for one byte).
    static double SumCharWidths(std::string_view text, double width, double spacing);
    // SumCharWidths of the text without its control codes.
    static double MeasureStringWidth(const std::string& text, double width, double spacing);
    // Across and along the writing: H and W, swapped for vertical writing.
    double GetCharHeight() const;
    double GetCharWidth() const;
    bool IsVertical() const;
    // Displayed characters of the text.
    int GetCharCount() const;
    int StripOwnControlCodes(std::string& stripped) const;
    // The text as displayed: control codes removed (those between "^*" and
    // "^^" stay as characters), an ending of middle dots, "^m" or a caret
    // and a digit removed. Returns the number of characters left.
    static int StripControlCodes(const std::string& text, std::string& stripped);

    // --- Layout (KMojiLayout.cpp). ---

    // The text cut into positioned pieces of one character each, in order;
    // the pieces are texts themselves, carrying their own style, size, font,
    // angle and pen colour. Empty for a text without displayed characters.
    std::vector<TKMoji> LayoutPieces() const;
    // A copy of piece `index` (piece 0 for an index out of range), or a
    // default text when there are no pieces.
    TKMoji GetPiece(int index) const;
    // 1 for a date, time or file variable such as "$y", 2 for a character
    // reference ("%%name"), else 0.
    int ClassifySpecialText() const;

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
    // The image reference "file,width[,height]": the file name as the drawing
    // holds it and the size in millimetres, a width alone making a square.
    // False, with the reference untouched, for fewer than two fields.
    struct TImageReference {
        std::string file;
        double width = 0;
        double height = 0;
    };
    bool GetImageReference(TImageReference& reference) const;
    // The file an image reference's name stands for on this machine, looked
    // for from the document's folder (platform/ImagePath.h): the file the
    // text's image is loaded from.
    static std::filesystem::path ResolveImageFile(const std::string& name, const TZhdData& document);
    // Creates and loads the image the reference names when the text has none yet
    // (the drawing of the text does this on first need); whether the text
    // then has an image. Placed at the box centre, turned with the text.
    bool EnsureImage(TZhdData& document);
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
    void DrawCharacters(TCanvas& canvas, TZhdData& document) const;
    static void TakeColorOf(const TKMoji& piece, TZhdData& document);
    void DrawBackdrop(TCanvas& canvas, TZhdData& document, const TKMoji* first, const TKMoji* last) const;
    void DrawPiece(TCanvas& canvas, TZhdData& document, const TKMoji& piece, double mm_per_pixel,
                   double text_pixels) const;

    TBPoint start_;
    TBPoint end_;
    TZhdaMoji size_;
    int kind_ = 1;
    TAngle angle_;
    std::string font_name_;
    std::string text_;
    RasterList rasters_;
};
