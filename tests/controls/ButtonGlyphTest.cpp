#include "controls/ButtonGlyph.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

// A caption measures 6 pixels per character and 10 high, whatever the room.
constexpr int char_width = 6;
constexpr int text_height = 10;

struct LayoutCase {
    const char* name;
    QRect client;
    QPoint offset;
    QString caption;
    TButtonLayout layout;
    int margin;
    int spacing;
    QSize glyph;
    bool arrow;
    QPoint glyph_pos;
    QRect text_bounds;
    QPoint arrow_pos;
};

TEST(ButtonGlyphTest, LayoutPlacesGlyphCaptionAndArrow)
{
    const QSize g16(16, 16);
    const QSize none;
    // clang-format off
    const LayoutCase cases[] = {
        // Text only, margin -1: the caption is centred.
        { "text centred", { 0, 0, 60, 22 }, {}, "abcd", blGlyphLeft, -1, 4, none, false, { 18, 6 }, { 18, 6, 24, 10 }, { 43, 11 } },
        // With an arrow, caption and arrow are centred together.
        { "text and arrow", { 0, 0, 60, 22 }, {}, "abcd", blGlyphLeft, -1, 4, none, true, { 14, 6 }, { 14, 6, 24, 10 }, { 39, 9 } },
        { "glyph left", { 0, 0, 40, 22 }, {}, "ab", blGlyphLeft, 2, 4, g16, false, { 2, 3 }, { 22, 6, 12, 10 }, { 35, 11 } },
        { "glyph right", { 0, 0, 40, 22 }, {}, "ab", blGlyphRight, 2, 4, g16, false, { 22, 3 }, { 6, 6, 12, 10 }, { 39, 11 } },
        { "glyph top", { 0, 0, 40, 40 }, {}, "ab", blGlyphTop, 3, 2, g16, false, { 12, 3 }, { 14, 21, 12, 10 }, { 29, 11 } },
        { "glyph bottom", { 0, 0, 40, 40 }, {}, "ab", blGlyphBottom, 3, 2, g16, false, { 12, 21 }, { 14, 9, 12, 10 }, { 29, 29 } },
        { "glyph top with arrow", { 0, 0, 40, 40 }, {}, "ab", blGlyphTop, 3, 2, g16, true, { 8, 3 }, { 14, 21, 12, 10 }, { 25, 9 } },
        // Both automatic: the free room in three equal parts.
        { "margin and spacing automatic", { 0, 0, 40, 22 }, {}, "ab", blGlyphLeft, -1, -1, g16, false, { 4, 3 }, { 24, 6, 12, 10 }, { 37, 11 } },
        { "spacing automatic", { 0, 0, 40, 22 }, {}, "ab", blGlyphLeft, 2, -1, g16, false, { 2, 3 }, { 23, 6, 12, 10 }, { 36, 11 } },
        { "margin automatic with glyph", { 0, 0, 40, 22 }, {}, "ab", blGlyphLeft, -1, 4, g16, false, { 4, 3 }, { 24, 6, 12, 10 }, { 37, 11 } },
        // A top layout without a glyph is laid out as glyph-left.
        { "top without glyph", { 0, 0, 40, 40 }, {}, "ab", blGlyphTop, -1, 4, none, false, { 14, 15 }, { 14, 15, 12, 10 }, { 27, 20 } },
        { "glyph only", { 0, 0, 23, 22 }, {}, "", blGlyphLeft, -1, 4, g16, false, { 4, 3 }, { 20, 11, 0, 0 }, { 21, 11 } },
        // The client corner and the pushed offset move everything.
        { "client corner and offset", { 3, 2, 60, 22 }, { 1, 1 }, "abcd", blGlyphLeft, -1, 4, none, false, { 22, 9 }, { 22, 9, 24, 10 }, { 47, 14 } },
    };
    // clang-format on
    const auto measure = [](const QString& caption, int, bool) {
        return QSize(char_width * static_cast<int>(caption.size()), text_height);
    };
    for (const LayoutCase& c : cases) {
        TGlyphLayoutInput input;
        input.client = c.client;
        input.offset = c.offset;
        input.caption = c.caption;
        input.layout = c.layout;
        input.margin = c.margin;
        input.spacing = c.spacing;
        input.glyph_size = c.glyph;
        input.dropdown_arrow = c.arrow;
        const TGlyphLayout layout = CalcLayout(input, measure);
        if (!c.glyph.isEmpty())
            EXPECT_EQ(layout.glyph_pos, c.glyph_pos) << c.name;
        else
            EXPECT_EQ(layout.text_bounds.topLeft(), c.glyph_pos) << c.name;
        EXPECT_EQ(layout.text_bounds, c.text_bounds) << c.name;
        EXPECT_EQ(layout.arrow_pos, c.arrow_pos) << c.name;
    }
}

TEST(ButtonGlyphTest, WrappedCaptionIsMeasuredInTheRoomBesideTheGlyph)
{
    struct RoomCase {
        TButtonLayout layout;
        int margin;
        int spacing;
        QSize glyph;
        int room;
    };
    const RoomCase cases[] = {
        { blGlyphLeft, 2, 4, { 16, 16 }, 60 - 16 - 4 - 2 * 2 },
        { blGlyphLeft, -1, 4, { 16, 16 }, 60 - 16 - 4 - 2 * 4 },
        { blGlyphLeft, -1, -1, { 16, 16 }, 60 - 16 - 4 - 2 * 4 },
        { blGlyphTop, 2, 4, { 16, 16 }, 60 - 8 },
        { blGlyphLeft, 2, 4, {}, 60 - 8 },
    };
    for (const RoomCase& c : cases) {
        TGlyphLayoutInput input;
        input.client = QRect(0, 0, 60, 40);
        input.caption = "a b c";
        input.layout = c.layout;
        input.margin = c.margin;
        input.spacing = c.spacing;
        input.glyph_size = c.glyph;
        input.word_wrap = true;
        int measured_in = 0;
        CalcLayout(input, [&measured_in](const QString&, int width, bool wrap) {
            EXPECT_TRUE(wrap);
            measured_in = width;
            return QSize(10, 10);
        });
        EXPECT_EQ(measured_in, c.room) << c.layout << " " << c.margin << " " << c.spacing;
    }
}

TEST(ButtonGlyphTest, CellCountIsDeducedFromTheStrip)
{
    const struct {
        int width;
        int height;
        int cells;
    } cases[] = { { 64, 16, 4 }, { 80, 16, 5 }, { 96, 16, 1 }, { 40, 16, 1 }, { 16, 16, 1 }, { 8, 16, 1 } };
    for (const auto& c : cases) {
        TButtonGlyph glyph;
        QImage strip(c.width, c.height, QImage::Format_RGB32);
        strip.fill(Qt::red);
        glyph.AssignGlyph(strip);
        EXPECT_EQ(glyph.GlyphCount(), c.cells) << c.width << "x" << c.height;
        EXPECT_EQ(glyph.CellSize(), QSize(c.width / c.cells, c.height));
    }
}

constexpr QRgb background = 0xFFFF00FF;
const TButtonColours colours { QColor(0xD4D0C8), QColor(Qt::white), QColor(0x808080), QColor(Qt::black) };

TEST(ButtonGlyphTest, OneCellDisabledImageIsEmbossedAndOnePixelLarger)
{
    // 8 x 8 on magenta (its bottom-left pixel): a black block, a white and
    // a silver pixel.
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(background);
    for (int y = 2; y <= 4; ++y)
        for (int x = 2; x <= 4; ++x)
            picture.setPixel(x, y, 0xFF000000);
    picture.setPixel(6, 1, 0xFFFFFFFF);
    picture.setPixel(1, 6, 0xFFC0C0C0);

    TButtonGlyph glyph;
    glyph.SetColours(colours);
    glyph.AssignGlyph(picture);
    const QImage* disabled = glyph.StateImage(bsDisabled);
    ASSERT_NE(disabled, nullptr);
    EXPECT_EQ(disabled->size(), QSize(9, 9));
    EXPECT_EQ(disabled->pixel(2, 2), colours.shadow.rgba());
    EXPECT_EQ(disabled->pixel(4, 4), colours.shadow.rgba());
    // The highlight shows one pixel down and right of the shape.
    EXPECT_EQ(disabled->pixel(5, 5), colours.highlight.rgba());
    EXPECT_EQ(disabled->pixel(5, 3), colours.highlight.rgba());
    // Background, white and silver parts are transparent.
    for (const QPoint p : { QPoint(0, 0), QPoint(6, 1), QPoint(1, 6), QPoint(8, 8) })
        EXPECT_EQ(qAlpha(disabled->pixel(p)), 0) << p.x() << "," << p.y();

    // The up image keeps the picture, with the background cut out.
    const QImage* up = glyph.StateImage(bsUp);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->size(), QSize(8, 8));
    EXPECT_EQ(up->pixel(3, 3), 0xFF000000u);
    EXPECT_EQ(up->pixel(6, 1), 0xFFFFFFFFu);
    EXPECT_EQ(qAlpha(up->pixel(0, 0)), 0);
}

TEST(ButtonGlyphTest, OldDisabledStyleEmbossesOnlyTheBlackPixels)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(background);
    picture.setPixel(1, 1, 0xFF000000);
    picture.setPixel(2, 1, 0xFF0000FF);
    TButtonGlyph glyph;
    glyph.SetColours(colours);
    glyph.AssignGlyph(picture);
    glyph.SetOldDisabledStyle(true);
    const QImage* disabled = glyph.StateImage(bsDisabled);
    ASSERT_NE(disabled, nullptr);
    EXPECT_EQ(disabled->pixel(1, 1), colours.shadow.rgba());
    EXPECT_EQ(qAlpha(disabled->pixel(2, 1)), 0);
}

TEST(ButtonGlyphTest, StatesWithoutACellOfTheirOwnUseTheFirst)
{
    // Two cells: red (up) and a disabled cell of white, grey and blue.
    QImage strip(8, 4, QImage::Format_RGB32);
    strip.fill(Qt::red);
    for (int x = 4; x < 8; ++x) {
        strip.setPixel(x, 0, 0xFFFFFFFF);
        strip.setPixel(x, 1, 0xFF808080);
        strip.setPixel(x, 2, 0xFF0000FF);
    }
    strip.setPixel(0, 3, background);
    strip.setPixel(4, 3, background);
    TButtonGlyph glyph;
    glyph.SetColours({ QColor(0xD4D0C8), QColor(0xFEFEFE), QColor(0x404040), QColor(Qt::black) });
    glyph.AssignGlyph(strip);
    ASSERT_EQ(glyph.GlyphCount(), 2);
    for (const TButtonState97 state : { bsUp, bsDown, bsExclusive, bsMouseIn }) {
        const QImage* image = glyph.StateImage(state);
        ASSERT_NE(image, nullptr) << state;
        EXPECT_EQ(image->pixel(1, 1), QColor(Qt::red).rgba()) << state;
    }
    // The disabled cell: white and grey take highlight and shadow; the mask
    // gains a transparent column and row.
    const QImage* disabled = glyph.StateImage(bsDisabled);
    ASSERT_NE(disabled, nullptr);
    EXPECT_EQ(disabled->size(), QSize(5, 5));
    EXPECT_EQ(disabled->pixel(1, 0), 0xFFFEFEFEu);
    EXPECT_EQ(disabled->pixel(1, 1), 0xFF404040u);
    EXPECT_EQ(disabled->pixel(1, 2), 0xFF0000FFu);
    EXPECT_EQ(qAlpha(disabled->pixel(0, 3)), 0);
    EXPECT_EQ(qAlpha(disabled->pixel(4, 1)), 0);
    EXPECT_EQ(qAlpha(disabled->pixel(1, 4)), 0);
}

TEST(ButtonGlyphTest, MaskWhiteIsTransparent)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QImage mask(4, 4, QImage::Format_RGB32);
    mask.fill(Qt::black);
    mask.setPixel(2, 2, 0xFFFFFFFF);
    TButtonGlyph glyph;
    glyph.AssignGlyph(picture);
    glyph.AssignGlyphMask(mask);
    const QImage* up = glyph.StateImage(bsUp);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(qAlpha(up->pixel(2, 2)), 0);
    // The bottom-left pixel does not count when there is a mask.
    EXPECT_EQ(up->pixel(0, 3), QColor(Qt::blue).rgba());
}

TEST(ButtonGlyphTest, GlyphsOfOneSizeShareAListThatGoesWithTheLast)
{
    ASSERT_EQ(GlyphCache(), nullptr) << "another glyph object is still alive";
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::green);
    {
        auto first = std::make_unique<TButtonGlyph>();
        auto second = std::make_unique<TButtonGlyph>();
        first->AssignGlyph(picture);
        second->AssignGlyph(picture);
        ASSERT_NE(first->StateImage(bsUp), nullptr);
        ASSERT_NE(second->StateImage(bsUp), nullptr);
        EXPECT_EQ(first->List(1), second->List(1));
        EXPECT_EQ(first->List(1)->Count(), 2);
        ASSERT_NE(GlyphCache(), nullptr);
        EXPECT_EQ(GlyphCache()->ListCount(), 1);
        // A new picture gives the slot back.
        first->AssignGlyph(picture);
        EXPECT_EQ(second->List(1)->Count(), 1);
        first.reset();
        EXPECT_EQ(GlyphCache()->ListCount(), 1);
    }
    EXPECT_EQ(GlyphCache(), nullptr);
}

TEST(ButtonGlyphTest, ListHandsOutFreedSlotsAndRefusesSmallImages)
{
    TGlyphList list(8, 8);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    EXPECT_EQ(list.AddMaskedColor(image, BottomLeftColour), 0);
    EXPECT_EQ(list.AddMaskedColor(image, BottomLeftColour), 1);
    list.Release(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.AddMasked(image, QImage()), 0);
    EXPECT_EQ(list.Capacity(), 2);

    const QImage small(4, 8, QImage::Format_RGB32);
    try {
        list.AddMaskedColor(small, BottomLeftColour);
        ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), GlyphSizeInvalidText);
    }
    // The refused image left no slot taken.
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.AllocateIndex(), 2);
}

TEST(ButtonGlyphTest, DisabledArrowIsEmbossed)
{
    QImage canvas(60, 20, QImage::Format_RGB32);
    canvas.fill(colours.face);
    TButtonGlyph glyph;
    glyph.SetColours(colours);
    QPainter painter(&canvas);
    glyph.DrawDropdownArrow(painter, 10, 5, 9, bsDisabled);
    glyph.DrawDropdownArrow(painter, 30, 5, 9, bsUp);
    painter.end();
    // Arrow centred at x + 4: five pixels wide on top, one at the tip.
    EXPECT_EQ(canvas.pixelColor(12, 5), colours.shadow);
    EXPECT_EQ(canvas.pixelColor(16, 5), colours.shadow);
    EXPECT_EQ(canvas.pixelColor(14, 7), colours.shadow);
    EXPECT_EQ(canvas.pixelColor(15, 8), colours.highlight);
    EXPECT_EQ(canvas.pixelColor(17, 6), colours.highlight);
    EXPECT_EQ(canvas.pixelColor(34, 7), colours.text);
    EXPECT_EQ(canvas.pixelColor(35, 8), colours.face);
}

} // namespace
