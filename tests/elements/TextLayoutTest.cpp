// The layout of a text into pieces: positions, sizes, angles, styles, fonts
// and colours for horizontal and vertical writing, the control codes, and
// texts that are malformed.

#include "core/Constants.h"
#include "elements/KMoji.h"
#include "platform/ShiftJis.h"
#include "tests/elements/GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double tolerance = 1e-9;
const std::string font = "Mincho";

// The text of the layout tables: at (0, 0), angle 0, W 2, H 3, D 1 unless
// a row says otherwise.
struct TextShape {
    double width = 2, height = 3, spacing = 1;
    double angle_degrees = 0;
    int style = 0;
    bool vertical = false;
};

TKMoji TextOf(std::string characters, const TextShape& shape = {})
{
    TKMoji text(TBPoint(0.0, 0.0, shape.style), TBPoint(10.0, 0.0), TZhdaMoji(shape.width, shape.height, shape.spacing, 1),
        1, Degrees(shape.angle_degrees), font, std::move(characters));
    if (shape.vertical) {
        TBitFlg flags = text.GetStatusFlg();
        flags.SetBit(TKMoji::VerticalFlag);
        text.SetStatusFlg(flags);
    }
    return text;
}

struct PieceRow {
    std::string text;
    double x0, y0, x1, y1;
};

void ExpectPlaces(const std::vector<TKMoji>& pieces, const std::vector<PieceRow>& rows)
{
    ASSERT_EQ(pieces.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "piece " << i << " '" << rows[i].text << "'");
        EXPECT_EQ(pieces[i].GetTextString(), rows[i].text);
        EXPECT_POINT_NEAR(pieces[i].GetStart(), rows[i].x0, rows[i].y0, tolerance);
        EXPECT_POINT_NEAR(pieces[i].GetEnd(), rows[i].x1, rows[i].y1, tolerance);
    }
}

struct Look {
    double width, height, spacing;
    double angle_degrees;
    int style;
    int pen_color;
    std::string font_name;
};

void ExpectLook(const TKMoji& piece, const Look& look)
{
    SCOPED_TRACE(testing::Message() << "piece '" << piece.GetTextString() << "'");
    EXPECT_DOUBLE_EQ(piece.GetSize().GetWidth(), look.width);
    EXPECT_DOUBLE_EQ(piece.GetSize().GetHeight(), look.height);
    EXPECT_DOUBLE_EQ(piece.GetSize().GetSpacing(), look.spacing);
    EXPECT_NEAR(std::remainder(piece.GetAngle().GetDegrees() - look.angle_degrees, 360), 0, 1e-9);
    EXPECT_EQ(piece.GetStart().GetTag(), look.style);
    EXPECT_EQ(piece.GetPenColor(), look.pen_color);
    EXPECT_EQ(piece.GetFontName(), look.font_name);
}

const Look plain { 2, 3, 1, 0, 0, 1, font };

} // namespace

TEST(TextLayout, OneByteAndDoubleByteCharacters)
{
    const std::vector<TKMoji> pieces = TextOf("AB").LayoutPieces();
    ExpectPlaces(pieces, { { "A", 0, 0, 1, 0 }, { "B", 1.5, 0, 2.5, 0 } });
    for (const TKMoji& piece : pieces) {
        ExpectLook(piece, plain);
        EXPECT_EQ(piece.GetKind(), 1);
    }
    const std::string a = sj(u8"あ"), i = sj(u8"い");
    ExpectPlaces(TextOf(a + i).LayoutPieces(), { { a, 0, 0, 2, 0 }, { i, 3, 0, 5, 0 } });
    // Turned with the text.
    ExpectPlaces(
        TextOf("AB", { .angle_degrees = 90 }).LayoutPieces(), { { "A", 0, 0, 0, 1 }, { "B", 0, 1.5, 0, 2.5 } });
}

TEST(TextLayout, TextsWithoutDisplayedCharactersGiveNoPieces)
{
    for (const std::string& text : { std::string(), std::string("^!^\\^$3"), std::string("^#^&^%"),
                                     std::string("^*^^"), std::string("^m") }) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(TextOf(text).LayoutPieces().empty());
        EXPECT_TRUE(TextOf(text, { .vertical = true }).LayoutPieces().empty());
    }
}

TEST(TextLayout, HalfSizeCodes)
{
    struct Row {
        std::string text;
        PieceRow piece;
        Look look;
    };
    const std::string a = sj(u8"あ");
    const Row rows[] = {
        { "^uA", { "A", 0, 1.5, 1, 1.5 }, { 2, 1.5, 1, 0, 0, 1, font } },
        { "^dA", { "A", 0, 0, 1, 0 }, { 2, 1.5, 1, 0, 0, 1, font } },
        { "^cA", { "A", 0, 0.75, 1, 0.75 }, { 2, 1.5, 1, 0, 0, 1, font } },
        // A double-byte character gets half its width too, and a half cell.
        { "^u" + a, { a, 0, 1.5, 1, 1.5 }, { 1, 1.5, 1, 0, 0, 1, font } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const std::vector<TKMoji> pieces = TextOf(row.text).LayoutPieces();
        ExpectPlaces(pieces, { row.piece });
        if (!pieces.empty())
            ExpectLook(pieces[0], row.look);
    }
    // The next character follows after the half cell and its spacing.
    ExpectPlaces(TextOf("^dAB").LayoutPieces(), { { "A", 0, 0, 1, 0 }, { "B", 1.5, 0, 2.5, 0 } });
}

TEST(TextLayout, StyleFontAndColourCodes)
{
    {
        const std::vector<TKMoji> pieces = TextOf("A^!B").LayoutPieces();
        ExpectPlaces(pieces, { { "A", 0, 0, 1, 0 }, { "B", 1.5, 0, 2.5, 0 } });
        ExpectLook(pieces[0], plain);
        ExpectLook(pieces[1], { 2, 3, 1, 0, TKMoji::BoldStyle, 1, font });
    }
    {
        const std::vector<TKMoji> pieces = TextOf("A^!^/B").LayoutPieces();
        ExpectPlaces(pieces, { { "A", 0, 0, 1, 0 }, { "B", 1.5, 0, 2.5, 0 } });
        ExpectLook(pieces[1], { 2, 3, 1, 0, TKMoji::BoldStyle | TKMoji::ItalicStyle, 1, font });
    }
    {
        const std::vector<TKMoji> pieces = TextOf("^_A^-B").LayoutPieces();
        ASSERT_EQ(pieces.size(), 2u);
        EXPECT_EQ(pieces[0].GetStart().GetTag(), TKMoji::UnderlineStyle);
        EXPECT_EQ(pieces[1].GetStart().GetTag(), TKMoji::UnderlineStyle | TKMoji::StrikeOutStyle);
    }
    {
        // "^#": style off and the text's font back.
        const std::vector<TKMoji> pieces = TextOf("^\\A^#B", { .style = TKMoji::BoldStyle }).LayoutPieces();
        ASSERT_EQ(pieces.size(), 2u);
        ExpectLook(pieces[0], { 2, 3, 1, 0, TKMoji::BoldStyle, 1, sj(u8"ＭＳ ゴシック") });
        ExpectLook(pieces[1], plain);
    }
    {
        const std::vector<TKMoji> pieces = TextOf("^\\A^&B").LayoutPieces();
        ASSERT_EQ(pieces.size(), 2u);
        EXPECT_EQ(pieces[0].GetFontName(), sj(u8"ＭＳ ゴシック"));
        EXPECT_EQ(pieces[1].GetFontName(), font);
    }
    {
        const std::vector<TKMoji> pieces = TextOf("A^$3B").LayoutPieces();
        ExpectPlaces(pieces, { { "A", 0, 0, 1, 0 }, { "B", 1.5, 0, 2.5, 0 } });
        ExpectLook(pieces[0], plain);
        ExpectLook(pieces[1], { 2, 3, 1, 0, 0, 3, font });
    }
    {
        // "^%": attributes, style and font of the text again.
        const std::vector<TKMoji> pieces =
            TextOf("^$5^!^\\A^%B", { .style = TKMoji::ItalicStyle }).LayoutPieces();
        ASSERT_EQ(pieces.size(), 2u);
        ExpectLook(pieces[0], { 2, 3, 1, 0, TKMoji::ItalicStyle | TKMoji::BoldStyle, 5, sj(u8"ＭＳ ゴシック") });
        ExpectLook(pieces[1], { 2, 3, 1, 0, TKMoji::ItalicStyle, 1, font });
    }
}

TEST(TextLayout, BackSpaceOverlayAndPairCodes)
{
    const TextShape tight { .spacing = 0 };
    {
        const std::vector<TKMoji> pieces = TextOf("O^b/", tight).LayoutPieces();
        ExpectPlaces(pieces, { { "O", 0, 0, 1, 0 }, { "/", 0.35, 0, 1.35, 0 } });
        EXPECT_EQ(pieces[1].GetStart().GetTag(), 0);
    }
    ExpectPlaces(TextOf("O^B/", tight).LayoutPieces(), { { "O", 0, 0, 1, 0 }, { "/", 0.23, 0, 1.23, 0 } });
    // Drawn back, the next character goes on where the previous one ended.
    ExpectPlaces(TextOf("O^b/X", tight).LayoutPieces(),
                 { { "O", 0, 0, 1, 0 }, { "/", 0.35, 0, 1.35, 0 }, { "X", 1, 0, 2, 0 } });
    {
        // "^o": half size on the previous piece's centre (0.5, 1.5).
        const std::vector<TKMoji> pieces = TextOf("A^oBC", tight).LayoutPieces();
        ExpectPlaces(pieces, { { "A", 0, 0, 1, 0 }, { "B", 0.25, 0.75, 1.25, 0.75 }, { "C", 1, 0, 2, 0 } });
        ExpectLook(pieces[1], { 1, 1.5, 0, 0, 0, 1, font });
    }
    {
        // "^w": two half-size characters side by side on that centre.
        const std::vector<TKMoji> pieces = TextOf("A^wBC", tight).LayoutPieces();
        ExpectPlaces(pieces, { { "A", 0, 0, 1, 0 }, { "B", 0, 0.75, 1, 0.75 }, { "C", 0.5, 0.75, 1.5, 0.75 } });
        ExpectLook(pieces[2], { 1, 1.5, 0, 0, 0, 1, font });
    }
    // One character left: it is centred alone.
    ExpectPlaces(TextOf("A^wB", tight).LayoutPieces(), { { "A", 0, 0, 1, 0 }, { "B", 0.25, 0.75, 1.25, 0.75 } });
}

TEST(TextLayout, CodesThatActOnAPreviousPieceAtTheStart)
{
    // At the first byte the caret is a character.
    ExpectPlaces(TextOf("^bA").LayoutPieces(),
                 { { "^", 0, 0, 1, 0 }, { "b", 1.5, 0, 2.5, 0 }, { "A", 3, 0, 4, 0 } });
    // After codes only, there is nothing to draw back over or centre on:
    // the same.
    for (const std::string code : { "^b", "^B", "^o", "^w" }) {
        for (const std::string before : { "^!", "^$3", "^*^^", "^\\" }) {
            const std::string text = before + code + "A";
            SCOPED_TRACE(text);
            const std::vector<TKMoji> pieces = TextOf(text).LayoutPieces();
            ExpectPlaces(pieces, { { "^", 0, 0, 1, 0 }, { code.substr(1), 1.5, 0, 2.5, 0 }, { "A", 3, 0, 4, 0 } });
            EXPECT_EQ(static_cast<int>(pieces.size()), TextOf(text).GetCharCount());
        }
    }
}

TEST(TextLayout, CaretBeforeADoubleByteCharacterKeepsTheCharacterWhole)
{
    const std::string a = sj(u8"あ");
    ExpectPlaces(TextOf("A^" + a + "B").LayoutPieces(),
        { { "A", 0, 0, 1, 0 }, { "^", 1.5, 0, 2.5, 0 }, { a, 3, 0, 5, 0 }, { "B", 6, 0, 7, 0 } });
    ExpectPlaces(TextOf("^" + a + "B").LayoutPieces(),
                 { { "^", 0, 0, 1, 0 }, { a, 1.5, 0, 3.5, 0 }, { "B", 4.5, 0, 5.5, 0 } });
    // "^w" before a double-byte character: the caret too.
    ExpectPlaces(TextOf("A^w" + a).LayoutPieces(),
                 { { "A", 0, 0, 1, 0 }, { "^", 1.5, 0, 2.5, 0 }, { "w", 3, 0, 4, 0 }, { a, 4.5, 0, 6.5, 0 } });
}

TEST(TextLayout, CaretsAndLeadBytesAtTheEnd)
{
    struct Row {
        std::string text;
        std::vector<std::string> pieces;
    };
    const Row rows[] = {
        { "AB^", { "A", "B", "^" } },
        { "^", { "^" } },
        { "A\x82", { "A", "\x82" } },
        { "\x82", { "\x82" } },
        { "A^u\x82", { "A", "\x82" } },
        { "A^b\x82", { "A", "\x82" } },
        { "A^o\x82", { "A", "\x82" } },
        { "A^wB\x82", { "A", "B", "\x82" } },
        { "^u", { "^", "u" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::vector<std::string> texts;
        for (const TKMoji& piece : TextOf(row.text).LayoutPieces())
            texts.push_back(piece.GetTextString());
        EXPECT_EQ(texts, row.pieces);
    }
}

TEST(TextLayout, CaretAndDigitInsideTheTextIsTwoBlankCells)
{
    const std::vector<TKMoji> pieces = TextOf("A^2B", { .spacing = 0 }).LayoutPieces();
    ExpectPlaces(pieces, { { "A", 0, 0, 1, 0 }, { " ", 1, 0, 2, 0 }, { " ", 2, 0, 3, 0 }, { "B", 3, 0, 4, 0 } });
    // At the first byte: a caret and a digit.
    ExpectPlaces(TextOf("^2B", { .spacing = 0 }).LayoutPieces(),
                 { { "^", 0, 0, 1, 0 }, { "2", 1, 0, 2, 0 }, { "B", 2, 0, 3, 0 } });
}

TEST(TextLayout, LiteralCaretsBetweenStarAndCaret)
{
    ExpectPlaces(TextOf("^*^u^^A", { .spacing = 0 }).LayoutPieces(),
                 { { "^", 0, 0, 1, 0 }, { "u", 1, 0, 2, 0 }, { "A", 2, 0, 3, 0 } });
}

TEST(TextLayout, EndingsCompressAndSpread)
{
    {
        const std::vector<TKMoji> pieces = TextOf("ABCD^2", { .spacing = 0 }).LayoutPieces();
        ExpectPlaces(pieces,
                     { { "A", 0, 0, 0.5, 0 }, { "B", 0.5, 0, 1, 0 }, { "C", 1, 0, 1.5, 0 }, { "D", 1.5, 0, 2, 0 } });
        for (const TKMoji& piece : pieces)
            ExpectLook(piece, { 1, 3, 0, 0, 0, 1, font });
    }
    {
        const std::string dot = sj(u8"・");
        const std::vector<TKMoji> pieces = TextOf("ABCDE" + dot + dot + dot, { .spacing = 0 }).LayoutPieces();
        ExpectPlaces(pieces, { { "A", 0, 0, 1, 0 },
                               { "B", 2.5, 0, 3.5, 0 },
                               { "C", 5, 0, 6, 0 },
                               { "D", 7.5, 0, 8.5, 0 },
                               { "E", 10, 0, 11, 0 } });
        for (const TKMoji& piece : pieces)
            ExpectLook(piece, { 2, 3, 3, 0, 0, 1, font });
    }
    // Nothing to spread between (one character before the dot): the
    // spacing stays.
    for (const TKMoji& piece : TextOf("^uA\xA5").LayoutPieces()) {
        EXPECT_DOUBLE_EQ(piece.GetSize().GetSpacing(), 1);
        EXPECT_TRUE(std::isfinite(piece.GetStart().GetX()));
    }
    // Nothing to compress (no width at all): the advance stays.
    const std::vector<TKMoji> zero = TextOf("AB", { .width = 0, .spacing = 0 }).LayoutPieces();
    ExpectPlaces(zero, { { "A", 0, 0, 0, 0 }, { "B", 0, 0, 0, 0 } });
}

TEST(TextLayout, VerticalWriting)
{
    const TextShape column { .width = 2, .height = 2, .spacing = 0, .angle_degrees = -90, .vertical = true };
    const std::string a = sj(u8"あ"), bracket = sj(u8"（"), comma = sj(u8"、");
    {
        // Upright: turned back by 90° in a whole cell.
        const std::vector<TKMoji> pieces = TextOf(a, column).LayoutPieces();
        ExpectPlaces(pieces, { { a, 0, -2, 2, -2 } });
        ExpectLook(pieces[0], { 2, 2, 0, 0, 0, 1, font });
        EXPECT_FALSE(pieces[0].IsVertical());
    }
    {
        // Brackets lie along the column.
        const std::vector<TKMoji> pieces = TextOf(bracket, column).LayoutPieces();
        ExpectPlaces(pieces, { { bracket, 0, 0, 0, -2 } });
        ExpectLook(pieces[0], { 2, 2, 0, -90, 0, 1, font });
    }
    {
        // Punctuation in the upper corner of its cell.
        const std::vector<TKMoji> pieces = TextOf(comma, column).LayoutPieces();
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_POINT_NEAR(pieces[0].GetStart(), 1.5, -0.5, tolerance);
        EXPECT_NEAR(pieces[0].GetAngle().GetDegrees(), 0, tolerance);
    }
    {
        // Half-width characters across the column in one cell.
        const std::vector<TKMoji> pieces = TextOf("12" + bracket, column).LayoutPieces();
        ExpectPlaces(pieces, { { "1", 0, -2, 1, -2 }, { "2", 1, -2, 2, -2 }, { bracket, 0, -2, 0, -4 } });
        ExpectLook(pieces[0], { 2, 2, 0, 0, 0, 1, font });
        ExpectLook(pieces[1], { 2, 2, 0, 0, 0, 1, font });
    }
    {
        // Two characters down the column, the text's style on the upright one.
        const std::vector<TKMoji> pieces = TextOf(a + a, { .width = 2, .height = 2, .spacing = 0, .angle_degrees = -90,
                                                       .style = TKMoji::BoldStyle, .vertical = true })
                                               .LayoutPieces();
        ExpectPlaces(pieces, { { a, 0, -2, 2, -2 }, { a, 0, -4, 2, -4 } });
        EXPECT_EQ(pieces[1].GetStart().GetTag(), TKMoji::BoldStyle);
    }
}

TEST(TextLayout, VerticalHalfWidthRunHoldingCodes)
{
    // The run "A^!B" is laid out as one horizontal text in one cell: its
    // code acts inside the run, and the walk goes on after all of its bytes.
    const TextShape column { .width = 2, .height = 2, .spacing = 0, .angle_degrees = -90, .vertical = true };
    const std::string a = sj(u8"あ");
    const std::vector<TKMoji> pieces = TextOf("A^!B" + a, column).LayoutPieces();
    ExpectPlaces(pieces, { { "A", 0, -2, 1, -2 }, { "B", 1, -2, 2, -2 }, { a, 0, -4, 2, -4 } });
    EXPECT_EQ(pieces[0].GetStart().GetTag(), 0);
    EXPECT_EQ(pieces[1].GetStart().GetTag(), TKMoji::BoldStyle);
    // A run at the end whose codes leave fewer characters than bytes.
    std::vector<std::string> texts;
    for (const TKMoji& piece : TextOf(a + "A^$3B^!", column).LayoutPieces())
        texts.push_back(piece.GetTextString());
    EXPECT_EQ(texts, (std::vector<std::string> { a, "A", "B" }));
}

TEST(TextLayout, GetPiece)
{
    const TKMoji text = TextOf("AB");
    EXPECT_EQ(text.GetPiece(1).GetTextString(), "B");
    EXPECT_POINT_NEAR(text.GetPiece(1).GetStart(), 1.5, 0.0, tolerance);
    for (int out_of_range : { 2, 99, -1 })
        EXPECT_EQ(text.GetPiece(out_of_range).GetTextString(), "A");

    const TKMoji nothing = TextOf("").GetPiece(0);
    EXPECT_EQ(nothing.GetTextString(), "");
    EXPECT_EQ(nothing.GetKind(), 1);
    EXPECT_EQ(nothing.GetSize().GetWidth(), 1);
    EXPECT_EQ(nothing.GetSize().GetColor(), 1);
    EXPECT_EQ(nothing.GetFontName(), "");
}

TEST(TextLayout, NonFiniteSizesAndPlacesStayBoundedByTheText)
{
    const double not_a_number = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::string dot = sj(u8"・");
    const std::string texts[] = { "ABC", "AB^2", "ABCDE" + dot + dot, "A^bB^oC" };
    for (const std::string& characters : texts) {
        for (double value : { not_a_number, inf, -inf }) {
            SCOPED_TRACE(testing::Message() << characters << " " << value);
            TKMoji text = TextOf(characters, { .width = value, .spacing = value });
            EXPECT_LE(text.LayoutPieces().size(), characters.size());
            text = TextOf(characters, { .angle_degrees = value, .vertical = true });
            text.SetStart(TBPoint(value, value));
            EXPECT_LE(text.LayoutPieces().size(), characters.size());
        }
    }
}

TEST(TextLayout, CodeFreeTextsFillTheirWidthOracle)
{
    // Without codes the pieces are the characters in order, each the next
    // after the previous one's spacing, and together exactly as wide as the
    // measured width.
    std::mt19937 random(1234);
    const std::string alphabet[] = { "A", "i", " ", sj(u8"あ"), sj(u8"漢"), "\xB1" };
    for (int round = 0; round < 300; ++round) {
        std::string characters;
        std::vector<std::string> expected;
        const int length = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < length; ++i) {
            expected.push_back(alphabet[random() % std::size(alphabet)]);
            characters += expected.back();
        }
        SCOPED_TRACE(characters);
        const TKMoji text = TextOf(characters, { .width = 2, .height = 3, .spacing = 0.5, .angle_degrees = 30 });
        const std::vector<TKMoji> pieces = text.LayoutPieces();
        ASSERT_EQ(pieces.size(), expected.size());
        double along = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(pieces[i].GetTextString(), expected[i]);
            EXPECT_NEAR(pieces[i].GetStart().DistanceTo(text.GetStart()), along, 1e-9);
            along += TKMoji::SumCharWidths(expected[i] + "x", 2, 0.5) - 1;
        }
        EXPECT_NEAR(pieces.back().GetEnd().DistanceTo(text.GetStart()), text.GetTextWidth(), 1e-9);
    }
}

TEST(TextLayout, RandomBytesNeverReadOutsideTheText)
{
    // Run under the address sanitizer: any read past the text fails the
    // test run. Bytes are drawn mostly from those the codes are made of.
    std::mt19937 random(20240611);
    const std::string alphabet =
        std::string("^^^^udcobBw!/#_-%\\&$*m12A (") + "\x82\xA0\x81\x45\xA5\xA2\xE0\xFC\x5E\x9F";
    for (int round = 0; round < 20000; ++round) {
        const int length = static_cast<int>(random() % 14);
        std::string characters;
        for (int i = 0; i < length; ++i)
            characters += alphabet[random() % alphabet.size()];
        if (round % 3 == 0 && !characters.empty())
            characters.back() = '^';
        if (round % 5 == 0)
            characters += "\x82";
        SCOPED_TRACE(testing::Message() << "round " << round);
        const bool vertical = round % 2 == 1;
        const TKMoji text = TextOf(characters, { .spacing = round % 4 == 0 ? 0.0 : 1.0, .vertical = vertical });
        const std::vector<TKMoji> pieces = text.LayoutPieces();
        ASSERT_LE(pieces.size(), characters.size() + 2);
        for (const TKMoji& piece : pieces) {
            const std::string& piece_text = piece.GetTextString();
            ASSERT_LE(piece_text.size(), 2u);
            if (piece_text.size() == 2) {
                ASSERT_TRUE(IsLeadByte(piece_text[0]));
            }
        }
        std::string measured;
        double width = 0;
        text.GetTextWidthEx(measured, width);
        ASSERT_LE(measured.size(), characters.size());
        std::string stripped;
        ASSERT_LE(TKMoji::StripControlCodes(characters, stripped), static_cast<int>(characters.size()));
    }
}
