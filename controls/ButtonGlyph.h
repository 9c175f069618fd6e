#pragma once

// The pictures of a toolbar button: one ready-made image per button state,
// cut from a strip of up to five cells (up, disabled, down, exclusive,
// mouse-in, in that order), with a disabled look generated when the strip
// has no cell of its own for it.
//
// The images are kept in glyph lists, one list per image size, shared by all
// buttons through one glyph cache: a button takes a slot of a list for each
// state image it has built and gives the slots back when its picture, mask,
// cell count, disabled style or colours change. A list goes when its last
// slot is given back, the cache when the last glyph object and list are gone.
// Images are ARGB; a transparent pixel has alpha 0.

#include "controls/ButtonGlyphLayout.h"

#include <QColor>
#include <QImage>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPainter;

enum TButtonState97 { bsUp, bsDisabled, bsDown, bsExclusive, bsMouseIn };
inline constexpr int ButtonStateCount = 5;

// Horizontal alignment of the caption lines.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Raised when an image does not fit its list and when a copy fails.
inline constexpr char GlyphSizeInvalidText[] = "イメージサイズが正しくありません";
inline constexpr char GlyphReplaceFailedText[] = "イメージの置き換えができません";

// The colours a button is drawn in.
struct TButtonColours {
    QColor face;
    QColor highlight;
    QColor shadow;
    QColor text;
};

// A colour argument standing for the image's bottom-left pixel.
inline constexpr QRgb BottomLeftColour = 0x20000000;

// Images of one size, handed out and taken back slot by slot.
class TGlyphList {
public:
    TGlyphList(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Slots in use.
    int Count() const { return count_; }
    // Slots in the list, used or not.
    int Capacity() const { return static_cast<int>(images_.size()); }

    // The first free slot, growing the list by one when all are taken.
    int AllocateIndex();
    // Stores the image where the mask is not white; returns the slot.
    int AddMasked(const QImage& image, const QImage& mask);
    // Stores the image, transparent wherever it has the colour; returns the
    // slot.
    int AddMaskedColor(const QImage& image, QRgb colour);
    void Release(int index);
    const QImage& Image(int index) const;

private:
    // Throws std::invalid_argument with GlyphSizeInvalidText when the image
    // is smaller than the list's size.
    void CheckGlyphBitmapSize(const QImage& image) const;
    void ReplaceMaskedColor(int index, const QImage& image, QRgb colour);
    void Store(int index, QImage image);

    int width_;
    int height_;
    int count_ = 0;
    std::vector<QImage> images_;
    std::vector<bool> used_;
};

// The glyph lists of all buttons, one per image size.
class TGlyphCache {
public:
    // The list of that size, made when there is none.
    TGlyphList* GetList(int width, int height);
    // Frees the list when no slot of it is used; a null list is ignored.
    void ReturnList(TGlyphList* list);
    bool IsEmpty() const { return lists_.empty(); }
    int ListCount() const { return static_cast<int>(lists_.size()); }

private:
    std::vector<std::unique_ptr<TGlyphList>> lists_;
};

// The shared cache, or null while no glyph object or list exists.
TGlyphCache* GlyphCache();

class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    const QImage& Glyph() const { return glyph_; }
    // Takes the picture and deduces its cell count.
    void AssignGlyph(const QImage& glyph);
    const QImage& GlyphMask() const { return mask_; }
    // White pixels of the mask are transparent.
    void AssignGlyphMask(const QImage& mask);
    int GlyphCount() const { return glyph_count_; }
    // 1 for a count outside 1 to 5.
    void SetGlyphCount(int count);
    bool OldDisabledStyle() const { return old_disabled_style_; }
    void SetOldDisabledStyle(bool old_style);
    // New colours drop the cached images, which were built in the old ones.
    void SetColours(const TButtonColours& colours);
    // Called after every change that alters the pictures.
    void SetOnChange(std::function<void()> on_change) { on_change_ = std::move(on_change); }

    // The size of one cell; empty without a picture.
    QSize CellSize() const;
    // (list number, slot) of the image of the state, built when needed; slot
    // -1 when there is nothing to draw. List 0 holds the disabled images,
    // one pixel larger each way, list 1 the others.
    std::pair<int, int> CreateStateImage(TButtonState97 state);
    // The image of the state, or null.
    const QImage* StateImage(TButtonState97 state);
    TGlyphList* List(int number) const { return lists_[static_cast<std::size_t>(number)]; }
    void ReleaseCachedImages();

    void DrawGlyph(QPainter& painter, QPoint position, TButtonState97 state);
    void DrawCaption(QPainter& painter, const QString& caption, TButtonState97 state, TAlignment alignment,
                     bool word_wrap, const QRect& bounds) const;
    void DrawDropdownArrow(QPainter& painter, int x, int y, int width, TButtonState97 state) const;
    // Lays out and draws glyph, caption and arrow; returns the layout.
    TGlyphLayout Draw(QPainter& painter, const TGlyphLayoutInput& input, TButtonState97 state,
                      TAlignment alignment);

private:
    void DeduceGlyphCount();
    void GlyphBitmapChanged();
    int BuildStateImage(int cell);
    void Changed();

    QImage glyph_;
    QImage mask_;
    int glyph_count_ = 1;
    QRgb transparent_colour_ = 0;
    bool old_disabled_style_ = false;
    TButtonColours colours_;
    std::array<TGlyphList*, 2> lists_ {};
    std::array<std::array<int, ButtonStateCount>, 2> indexes_ {};
    std::function<void()> on_change_;
};
