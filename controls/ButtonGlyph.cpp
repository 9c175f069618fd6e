#include "controls/ButtonGlyph.h"

#include <QFontMetrics>
#include <QPainter>

#include <stdexcept>

namespace {

std::unique_ptr<TGlyphCache>& CacheHolder()
{
    static std::unique_ptr<TGlyphCache> cache;
    return cache;
}

TGlyphCache& EnsureCache()
{
    auto& cache = CacheHolder();
    if (!cache)
        cache = std::make_unique<TGlyphCache>();
    return *cache;
}

constexpr QRgb white = 0xFFFFFF;
constexpr QRgb silver = 0xC0C0C0;
constexpr QRgb grey = 0x808080;
constexpr QRgb black = 0x000000;

QRgb Rgb(QRgb pixel)
{
    return pixel & 0xFFFFFFu;
}

QRgb BottomLeftOf(const QImage& image)
{
    return image.isNull() ? 0 : image.pixel(0, image.height() - 1);
}

// Whether a pixel of a cell is see-through: by its own alpha, by the mask
// (white = transparent) when there is one, else by the transparent colour.
bool IsTransparent(const QImage& cell, const QImage& mask, QRgb transparent, int x, int y)
{
    const QRgb pixel = cell.pixel(x, y);
    if (qAlpha(pixel) < 128)
        return true;
    if (!mask.isNull())
        return Rgb(mask.pixel(x, y)) == white;
    return Rgb(pixel) == Rgb(transparent);
}

QImage MakeImage(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        throw std::invalid_argument(GlyphReplaceFailedText);
    image.fill(fill);
    return image;
}

// A downward triangle, five pixels wide on its top row, three high.
void FillArrow(QPainter& painter, int cx, int y, const QColor& colour)
{
    for (int row = 0; row < DropdownArrowHeight; ++row)
        painter.fillRect(QRect(cx - 2 + row, y + row, 5 - 2 * row, 1), colour);
}

} // namespace

// ---------------------------------------------------------------------------

TGlyphList::TGlyphList(int width, int height)
    : width_(width)
    , height_(height)
{
}

int TGlyphList::AllocateIndex()
{
    for (std::size_t slot = 0; slot < used_.size(); ++slot) {
        if (!used_[slot]) {
            used_[slot] = true;
            return static_cast<int>(slot);
        }
    }
    images_.emplace_back();
    used_.push_back(true);
    return static_cast<int>(used_.size() - 1);
}

void TGlyphList::CheckGlyphBitmapSize(const QImage& image) const
{
    if (image.width() < width_ || image.height() < height_)
        throw std::invalid_argument(GlyphSizeInvalidText);
}

void TGlyphList::Store(int index, QImage image)
{
    if (image.isNull())
        throw std::invalid_argument(GlyphReplaceFailedText);
    images_[static_cast<std::size_t>(index)] = std::move(image);
}

int TGlyphList::AddMasked(const QImage& image, const QImage& mask)
{
    CheckGlyphBitmapSize(image);
    QImage stored = image.copy(0, 0, width_, height_).convertToFormat(QImage::Format_ARGB32);
    if (stored.isNull())
        throw std::invalid_argument(GlyphReplaceFailedText);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const bool masked_out = x < mask.width() && y < mask.height() && Rgb(mask.pixel(x, y)) == white;
            if (masked_out)
                stored.setPixel(x, y, 0);
        }
    }
    const int index = AllocateIndex();
    Store(index, std::move(stored));
    ++count_;
    return index;
}

int TGlyphList::AddMaskedColor(const QImage& image, QRgb colour)
{
    const int index = AllocateIndex();
    try {
        ReplaceMaskedColor(index, image, colour);
    } catch (...) {
        used_[static_cast<std::size_t>(index)] = false;
        throw;
    }
    ++count_;
    return index;
}

void TGlyphList::ReplaceMaskedColor(int index, const QImage& image, QRgb colour)
{
    CheckGlyphBitmapSize(image);
    const QRgb transparent = colour == BottomLeftColour ? BottomLeftOf(image) : colour;
    QImage stored = image.copy(0, 0, width_, height_).convertToFormat(QImage::Format_ARGB32);
    if (stored.isNull())
        throw std::invalid_argument(GlyphReplaceFailedText);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (Rgb(stored.pixel(x, y)) == Rgb(transparent))
                stored.setPixel(x, y, 0);
        }
    }
    Store(index, std::move(stored));
}

void TGlyphList::Release(int index)
{
    if (index < 0 || index >= Capacity() || !used_[static_cast<std::size_t>(index)])
        return;
    used_[static_cast<std::size_t>(index)] = false;
    images_[static_cast<std::size_t>(index)] = QImage();
    --count_;
}

const QImage& TGlyphList::Image(int index) const
{
    return images_.at(static_cast<std::size_t>(index));
}

// ---------------------------------------------------------------------------

TGlyphList* TGlyphCache::GetList(int width, int height)
{
    for (auto list = lists_.rbegin(); list != lists_.rend(); ++list) {
        if ((*list)->Width() == width && (*list)->Height() == height)
            return list->get();
    }
    lists_.push_back(std::make_unique<TGlyphList>(width, height));
    return lists_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list)
{
    if (list == nullptr || list->Count() != 0)
        return;
    for (auto it = lists_.begin(); it != lists_.end(); ++it) {
        if (it->get() == list) {
            lists_.erase(it);
            return;
        }
    }
}

TGlyphCache* GlyphCache()
{
    return CacheHolder().get();
}

// ---------------------------------------------------------------------------

TButtonGlyph::TButtonGlyph()
{
    for (auto& list : indexes_)
        list.fill(-1);
    EnsureCache();
}

TButtonGlyph::~TButtonGlyph()
{
    ReleaseCachedImages();
    auto& cache = CacheHolder();
    if (cache && cache->IsEmpty())
        cache.reset();
}

void TButtonGlyph::Changed()
{
    if (on_change_)
        on_change_();
}

void TButtonGlyph::AssignGlyph(const QImage& glyph)
{
    ReleaseCachedImages();
    glyph_ = glyph.convertToFormat(QImage::Format_ARGB32);
    if (!glyph_.isNull())
        transparent_colour_ = BottomLeftOf(glyph_);
    DeduceGlyphCount();
}

void TButtonGlyph::AssignGlyphMask(const QImage& mask)
{
    ReleaseCachedImages();
    mask_ = mask.convertToFormat(QImage::Format_RGB32);
    Changed();
}

void TButtonGlyph::SetGlyphCount(int count)
{
    ReleaseCachedImages();
    glyph_count_ = count < 1 || count > ButtonStateCount ? 1 : count;
    GlyphBitmapChanged();
}

void TButtonGlyph::DeduceGlyphCount()
{
    const int width = glyph_.width();
    const int height = glyph_.height();
    int count = 1;
    if (width != 0 && height != 0 && width % height == 0 && width / height <= ButtonStateCount)
        count = width / height;
    SetGlyphCount(count);
}

void TButtonGlyph::GlyphBitmapChanged()
{
    ReleaseCachedImages();
    Changed();
}

void TButtonGlyph::SetOldDisabledStyle(bool old_style)
{
    if (old_style == old_disabled_style_)
        return;
    old_disabled_style_ = old_style;
    ReleaseCachedImages();
    Changed();
}

void TButtonGlyph::SetColours(const TButtonColours& colours)
{
    const bool images_differ = colours.face != colours_.face || colours.highlight != colours_.highlight
        || colours.shadow != colours_.shadow;
    colours_ = colours;
    if (images_differ)
        ReleaseCachedImages();
}

void TButtonGlyph::ReleaseCachedImages()
{
    for (std::size_t number = 0; number < lists_.size(); ++number) {
        TGlyphList* list = lists_[number];
        if (list == nullptr)
            continue;
        for (int& slot : indexes_[number]) {
            if (slot != -1)
                list->Release(slot);
            slot = -1;
        }
        if (TGlyphCache* cache = GlyphCache())
            cache->ReturnList(list);
        lists_[number] = nullptr;
    }
}

QSize TButtonGlyph::CellSize() const
{
    if (glyph_.isNull())
        return { 0, 0 };
    return { glyph_.width() / glyph_count_, glyph_.height() };
}

std::pair<int, int> TButtonGlyph::CreateStateImage(TButtonState97 state)
{
    int cell = state;
    if (state != bsDisabled && cell >= glyph_count_)
        cell = 0;
    const auto column = static_cast<std::size_t>(cell);
    if (indexes_[1][column] != -1)
        return { 1, indexes_[1][column] };
    if (indexes_[0][column] != -1)
        return { 0, indexes_[0][column] };
    if (glyph_.isNull() || CellSize().isEmpty())
        return { 1, -1 };
    const int number = state == bsDisabled ? 0 : 1;
    return { number, BuildStateImage(cell) };
}

int TButtonGlyph::BuildStateImage(int cell)
{
    const QSize size = CellSize();
    const int w = size.width();
    const int h = size.height();
    const bool disabled = cell == bsDisabled;
    const int number = disabled ? 0 : 1;
    const auto slot_number = static_cast<std::size_t>(number);
    if (lists_[slot_number] == nullptr)
        lists_[slot_number] = EnsureCache().GetList(disabled ? w + 1 : w, disabled ? h + 1 : h);
    TGlyphList& list = *lists_[slot_number];

    const int source = cell < glyph_count_ ? cell : 0;
    const QImage picture = glyph_.copy(source * w, 0, w, h);
    const bool has_mask = !mask_.isNull();
    const QImage mask = has_mask ? mask_.copy(source * w, 0, w, h) : QImage();

    int slot = -1;
    if (!disabled) {
        slot = has_mask ? list.AddMasked(picture, mask) : list.AddMaskedColor(picture, BottomLeftColour);
    } else if (glyph_count_ >= 2) {
        // The strip has its own disabled cell: only its white and grey take
        // the button's highlight and shadow.
        QImage image = MakeImage(w + 1, h + 1, colours_.face);
        QImage out_mask = MakeImage(w + 1, h + 1, QColor(Qt::white));
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QRgb pixel = Rgb(picture.pixel(x, y));
                QColor colour = QColor::fromRgb(pixel);
                if (pixel == white)
                    colour = colours_.highlight;
                else if (pixel == grey)
                    colour = colours_.shadow;
                image.setPixelColor(x, y, colour);
                if (!IsTransparent(picture, mask, transparent_colour_, x, y))
                    out_mask.setPixel(x, y, qRgb(0, 0, 0));
            }
        }
        slot = list.AddMasked(image, out_mask);
    } else {
        // One cell: an embossed shape, highlight one pixel down and right
        // under the shadow. White and silver parts are the picture's light,
        // which would otherwise turn into a blot.
        QImage image = MakeImage(w + 1, h + 1, colours_.face);
        std::vector<bool> shape(static_cast<std::size_t>(w * h), false);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QRgb pixel = Rgb(picture.pixel(x, y));
                bool in_shape = false;
                if (old_disabled_style_) {
                    const bool hidden = qAlpha(picture.pixel(x, y)) < 128
                        || (has_mask && Rgb(mask.pixel(x, y)) == white);
                    in_shape = pixel == black && !hidden;
                } else {
                    in_shape = !IsTransparent(picture, mask, transparent_colour_, x, y) && pixel != white
                        && pixel != silver;
                }
                shape[static_cast<std::size_t>(y * w + x)] = in_shape;
            }
        }
        const auto paint_shape = [&](int dx, int dy, const QColor& colour) {
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    if (shape[static_cast<std::size_t>(y * w + x)])
                        image.setPixelColor(x + dx, y + dy, colour);
                }
            }
        };
        paint_shape(1, 1, colours_.highlight);
        paint_shape(0, 0, colours_.shadow);
        slot = list.AddMaskedColor(image, colours_.face.rgb());
    }
    indexes_[slot_number][static_cast<std::size_t>(cell)] = slot;
    return slot;
}

const QImage* TButtonGlyph::StateImage(TButtonState97 state)
{
    const auto [number, slot] = CreateStateImage(state);
    if (slot == -1)
        return nullptr;
    return &List(number)->Image(slot);
}

void TButtonGlyph::DrawGlyph(QPainter& painter, QPoint position, TButtonState97 state)
{
    if (const QImage* image = StateImage(state))
        painter.drawImage(position, *image);
}

void TButtonGlyph::DrawCaption(QPainter& painter, const QString& caption, TButtonState97 state,
                               TAlignment alignment, bool word_wrap, const QRect& bounds) const
{
    int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip;
    flags |= alignment == taLeftJustify ? Qt::AlignLeft : alignment == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
    flags |= word_wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    if (state == bsDisabled) {
        painter.setPen(colours_.highlight);
        painter.drawText(bounds.translated(1, 1), flags, caption);
        painter.setPen(colours_.shadow);
        painter.drawText(bounds, flags, caption);
    } else {
        painter.setPen(colours_.text);
        painter.drawText(bounds, flags, caption);
    }
}

void TButtonGlyph::DrawDropdownArrow(QPainter& painter, int x, int y, int width, TButtonState97 state) const
{
    const int cx = x + width / 2;
    if (state == bsDisabled) {
        FillArrow(painter, cx + 1, y + 1, colours_.highlight);
        FillArrow(painter, cx, y, colours_.shadow);
    } else {
        FillArrow(painter, cx, y, colours_.text);
    }
}

TGlyphLayout TButtonGlyph::Draw(QPainter& painter, const TGlyphLayoutInput& input, TButtonState97 state,
                                TAlignment alignment)
{
    TGlyphLayoutInput laid = input;
    laid.glyph_size = CellSize();
    const QFontMetrics metrics = painter.fontMetrics();
    const auto measure = [&metrics](const QString& caption, int width, bool word_wrap) {
        const int flags = Qt::TextShowMnemonic | (word_wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
        return metrics.boundingRect(QRect(0, 0, width, 0), flags, caption).size();
    };
    const TGlyphLayout layout = CalcLayout(laid, measure);
    if (input.show_glyph)
        DrawGlyph(painter, layout.glyph_pos, state);
    if (input.show_caption)
        DrawCaption(painter, input.caption, state, alignment, input.word_wrap, layout.text_bounds);
    if (input.dropdown_arrow)
        DrawDropdownArrow(painter, layout.arrow_pos.x(), layout.arrow_pos.y(), input.arrow_width, state);
    return layout;
}
