// The search bar's text search and candidate list: the comparison under each
// option, and what the document marks, counts and collects.

#include "SelectionFixture.h"

#include "core/regex/Token.h"
#include "document/TextMatcher.h"
#include "elements/KSunpou.h"
#include "platform/KanaFold.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

namespace {

using Positions = std::vector<int>;

struct MatchCase {
    const char8_t* word;
    const char8_t* text;
    int options;
    bool hit;
};

std::string Describe(const MatchCase& c)
{
    return StringPrintf("word \"%s\" text \"%s\" options 0x%X", reinterpret_cast<const char*>(c.word),
                        reinterpret_cast<const char*>(c.text), static_cast<unsigned>(c.options));
}

} // namespace

TEST(TextSearch, OptionTable)
{
    const MatchCase cases[] = {
        // Plain occurrence, compared as bytes.
        { u8"階段", u8"北階段室", 0, true },
        { u8"ＡＢＣ", u8"ABC", 0, false },
        { u8"door", u8"DOOR", 0, false },
        // Full-width and half-width alike.
        { u8"ＡＢＣ", u8"ABC", SearchFoldWidth | SearchExactMatch, true },
        { u8"どあ", u8"ドア", SearchFoldWidth, true },
        { u8"どあ", u8"ﾄﾞｱ", SearchFoldWidth, true },
        { u8"どあ", u8"ドア", 0, false },
        // Case alike, alone and with the width folded first.
        { u8"door", u8"DOOR-1", SearchFoldCase, true },
        { u8"abc", u8"ＡＢＣ", SearchFoldWidth | SearchFoldCase | SearchExactMatch, true },
        { u8"abc", u8"ＡＢＣ", SearchFoldCase, false },
        // Ignore blanks: a full-width blank is a blank only once folded.
        { u8"A B", u8"xAB", SearchIgnoreBlanks, true },
        { u8"AB", u8"A　B", SearchIgnoreBlanks, false },
        { u8"AB", u8"A　B", SearchIgnoreBlanks | SearchFoldWidth, true },
        // Ignore equal spacing: the trailing run of the last character's kind.
        { u8"部屋", u8"部屋・・", SearchIgnoreEqualSpacing | SearchExactMatch, true },
        { u8"部屋", u8"部屋･", SearchIgnoreEqualSpacing | SearchExactMatch, true },
        { u8"部屋", u8"部屋･・", SearchIgnoreEqualSpacing | SearchExactMatch, false },
        { u8"部屋", u8"部屋・・", SearchExactMatch, false },
        { u8"部屋", u8"部屋･・", SearchIgnoreEqualSpacing | SearchFoldWidth | SearchExactMatch, true },
        { u8"・", u8"", SearchIgnoreEqualSpacing | SearchExactMatch, true },
        // Exact match, and the empty word.
        { u8"階段", u8"北階段室", SearchExactMatch, false },
        { u8"", u8"abc", 0, false },
        { u8"", u8"", 0, false },
        { u8"", u8"", SearchExactMatch, true },
        { u8" ", u8"  ", SearchExactMatch | SearchIgnoreBlanks, true },
        // Regular expressions: matched on the text as stored, the other bits
        // ignored.
        { u8"^A", u8"AB", SearchRegularExpression, true },
        { u8"^A", u8"BA", SearchRegularExpression, false },
        { u8"ab", u8"AB", SearchRegularExpression | SearchFoldCase, false },
        { u8"AB", u8"xABx", SearchRegularExpression | SearchExactMatch, true },
        { u8"ＡＢ", u8"AB", SearchRegularExpression | SearchFoldWidth, false },
        { u8"", u8"xyz", SearchRegularExpression, true },
        { u8"[0-9]+mm", u8"W=1200mm", SearchRegularExpression, true },
        // Options the search does not act on.
        { u8"door", u8"DOOR", SearchDuplicateChars | SearchAscending | SearchDescending | SearchDataOrder, false },
        { u8"door", u8"door", 0x1 | 0x800 | SearchDescending, true },
    };
    for (const MatchCase& c : cases) {
        TTextMatcher matcher(sj(c.word), c.options);
        EXPECT_EQ(matcher.IsHit(sj(c.text)), c.hit) << Describe(c);
    }
    std::string normalised;
    NormaliseSearchText(sj(u8"部屋･・"), SearchIgnoreEqualSpacing, normalised);
    EXPECT_EQ(normalised, sj(u8"部屋･"));
}

// A trail byte may be an ASCII capital: "陰" is 0x89 0x41 and "餌" 0x89 0x61,
// "ア" 0x83 0x41 and "ヂ" 0x83 0x61. Case folding leaves double-byte
// characters whole, so neither becomes the other.
TEST(TextSearch, CaseFoldingLeavesTrailBytesAlone)
{
    ASSERT_EQ(sj(u8"陰"), "\x89\x41");
    ASSERT_EQ(sj(u8"餌"), "\x89\x61");
    const MatchCase cases[] = {
        { u8"陰", u8"餌", SearchFoldCase, false },
        { u8"餌", u8"陰", SearchFoldCase, false },
        { u8"ア", u8"ヂ", SearchFoldCase | SearchExactMatch, false },
        { u8"陰A", u8"陰a", SearchFoldCase | SearchExactMatch, true },
        { u8"Aア", u8"aア", SearchFoldCase, true },
    };
    for (const MatchCase& c : cases) {
        TTextMatcher matcher(sj(c.word), c.options);
        EXPECT_EQ(matcher.IsHit(sj(c.text)), c.hit) << Describe(c);
    }
    std::string normalised;
    NormaliseSearchText(sj(u8"陰ABアZ"), SearchFoldCase, normalised);
    EXPECT_EQ(normalised, sj(u8"陰abアz"));
}

namespace {

// The normalisation as its steps read, one after another over the whole
// text: the slow reference for the one-walk normalisation.
std::string NormalisedStepByStepOracle(const std::string& text, int options)
{
    std::string result = options & SearchFoldWidth ? FoldToHalfWidthKatakana(text) : text;
    if (options & SearchFoldCase) {
        for (std::size_t i = 0; i < result.size(); i += CharLengthAt(result, i)) {
            if (CharLengthAt(result, i) == 1)
                result[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(result[i])));
        }
    }
    if (options & SearchIgnoreBlanks)
        std::erase(result, ' ');
    if (options & SearchIgnoreEqualSpacing) {
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < result.size(); i += CharLengthAt(result, i))
            starts.push_back(i);
        const std::string_view dot = !starts.empty() && CharLengthAt(result, starts.back()) == 2 ? "\x81\x45" : "\xA5";
        while (!starts.empty() && std::string_view(result).substr(starts.back()) == dot) {
            result.resize(starts.back());
            starts.pop_back();
        }
    }
    return result;
}

} // namespace

TEST(TextSearch, NormalisationAgreesWithItsSteps)
{
    const std::vector<std::string> pieces { sj(u8"Ａ"), "A", "z", " ", sj(u8"　"), sj(u8"・"), sj(u8"･"),
                                            sj(u8"が"), sj(u8"ヴ"), sj(u8"ｶﾞ"), sj(u8"陰"), sj(u8"ゝ"), "Q",
                                            sj(u8"ｚ") };
    std::mt19937 random(11);
    std::string normalised;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (std::size_t n = random() % 7; n > 0; --n)
            text += pieces[random() % pieces.size()];
        if (round % 5 == 0)
            text += '\x89'; // a lead byte cut off at the end
        for (int combination = 0; combination < 16; ++combination) {
            const int options = (combination & 1 ? SearchFoldWidth : 0) | (combination & 2 ? SearchFoldCase : 0)
                | (combination & 4 ? SearchIgnoreBlanks : 0) | (combination & 8 ? SearchIgnoreEqualSpacing : 0);
            NormaliseSearchText(text, options, normalised);
            ASSERT_EQ(normalised, NormalisedStepByStepOracle(text, options))
                << SjisToUtf8(text) << " options " << options;
        }
    }
}

TEST(TextSearch, OccurrencesCoverWholeCharacters)
{
    // "A" is the trail byte of "陰"; "\x89" alone is the lead byte of "陰".
    EXPECT_FALSE(ContainsWholeChars(sj(u8"陰"), "A"));
    EXPECT_TRUE(ContainsWholeChars(sj(u8"陰A"), "A"));
    EXPECT_FALSE(ContainsWholeChars(sj(u8"x陰"), "x\x89"));
    EXPECT_TRUE(ContainsWholeChars("x\x89", "x\x89"));
    // "アイ" is 83 41 83 43: the bytes 41 83 sit across two characters.
    EXPECT_FALSE(ContainsWholeChars(sj(u8"アイ"), "\x41\x83"));
    EXPECT_TRUE(ContainsWholeChars(sj(u8"アイ"), sj(u8"イ")));
}

namespace {

// Texts on group 0: 0 "door A" (layer 0), 1 "door B" (layer 1, display only),
// 2 "door C" (layer 2, hidden), 3 a line, 4 an image text naming "door.bmp",
// 5 a dimension reading "door", 6 "DOOR" (layer 0), 7 "door A" again.
TZhdData DoorsDrawing()
{
    TZhdData document;
    TZhdElemList& list = document.GetElemListPtr();
    list.Append(TextOn(0, 0, "door A"));
    list.Append(TextOn(0, 1, "door B"));
    list.Append(TextOn(0, 2, "door C"));
    list.Append(LineOn(0, 0));
    list.Append(TextOn(0, 0, "^@BMdoor.bmp"));
    auto dimension = boost::make_shared<TKSunpou>();
    TKMoji value;
    value.SetTextString("door");
    dimension->SetMoji(value);
    list.Append(PlaceOn(dimension, 0, 0));
    list.Append(TextOn(0, 0, "DOOR"));
    list.Append(TextOn(0, 0, "door A"));
    SetLayerState(document, 0, 1, 1);
    SetLayerState(document, 0, 2, 0);
    return document;
}

void SelectEverything(TZhdData& document)
{
    for (const TZhdElemPtr& elem : document.GetElemListPtr().GetItemsPtr()) {
        elem->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
        elem->GetElemFlgPtr().SetBit(TZhdElem::LastHitMark);
    }
    document.GetElemListPtr().SetSelectedCount(static_cast<std::uint32_t>(document.GetElemListPtr().Size()));
}

} // namespace

TEST(TextSearch, MarksExactlyTheHits)
{
    TZhdData document = DoorsDrawing();
    SelectEverything(document);
    // Display-only texts are hits; hidden texts, images, dimensions and other
    // kinds are not, and lose their marks.
    EXPECT_EQ(document.SearchText("door", SearchVisibleLayers, 0), 3);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 1, 7 }));
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 3u);

    EXPECT_EQ(document.SearchText("door", SearchVisibleLayers, SearchFoldCase), 4);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 1, 6, 7 }));

    EXPECT_EQ(document.SearchText("window", SearchVisibleLayers, 0), 0);
    EXPECT_EQ(SelectedPositions(document), Positions());
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 0u);
}

TEST(TextSearch, Scopes)
{
    // Write group 3, whose write layer is 5.
    TZhdData document;
    TZhdElemList& list = document.GetElemListPtr();
    list.Append(TextOn(3, 5, "x"));
    list.Append(TextOn(3, 4, "x"));
    list.Append(TextOn(2, 5, "x"));
    list.Append(TextOn(3, 5, "x"));
    document.GetHeadPtr().SetWriteGroup(3);
    TZhdGrp group = document.GetHeadPtr().GetGroup(3);
    group.SetWriteLayer(5);
    document.GetHeadPtr().SetGroup(3, group);

    const struct {
        int scope;
        Positions hits;
    } cases[] = {
        { SearchVisibleLayers, { 0, 1, 2, 3 } },
        { SearchWriteGroup, { 0, 1, 3 } },
        { SearchWriteLayer, { 0, 3 } },
        { 3, {} },
        { -1, {} },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(document.SearchText("x", c.scope, 0), static_cast<int>(c.hits.size())) << c.scope;
        EXPECT_EQ(SelectedPositions(document), c.hits) << c.scope;
        std::vector<std::string> texts { "stale" };
        EXPECT_EQ(document.CollectTexts(texts, c.scope), static_cast<int>(c.hits.size())) << c.scope;
        EXPECT_EQ(texts.size(), c.hits.size()) << c.scope;
    }

    // A write group from a file that is no group admits nothing.
    document.GetHeadPtr().SetWriteGroup(-3);
    EXPECT_EQ(document.SearchText("x", SearchWriteGroup, 0), 0);
    EXPECT_EQ(document.SearchText("x", SearchWriteLayer, 0), 0);
}

TEST(TextSearch, PatternErrorLeavesTheSelectionAlone)
{
    // A line before the first text: a search that compiled only when it
    // reached a text would have unselected it already.
    TZhdData document = DoorsDrawing();
    document.GetElemListPtr().Prepend(LineOn(0, 0));
    SelectEverything(document);
    const Positions everything { 0, 1, 2, 3, 4, 5, 6, 7, 8 };
    try {
        document.SearchText("do(or", SearchVisibleLayers, SearchRegularExpression);
        FAIL() << "no pattern error";
    } catch (const EbmREToken& error) {
        EXPECT_FALSE(std::string(error.what()).empty());
    }
    EXPECT_EQ(SelectedPositions(document), everything);
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 9u);

    // The error is the same when no text is in scope.
    EXPECT_THROW(document.SearchText("[", 3, SearchRegularExpression), EbmREToken);
    EXPECT_EQ(SelectedPositions(document), everything);
}

TEST(TextSearch, RegularExpressionSelects)
{
    TZhdData document = DoorsDrawing();
    EXPECT_EQ(document.SearchText("^door [AB]$", SearchVisibleLayers, SearchRegularExpression), 3);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 1, 7 }));
    EXPECT_EQ(document.SearchText("", SearchVisibleLayers, SearchRegularExpression), 4);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 1, 6, 7 }));
}

TEST(TextSearch, CollectTextsGivesTheCandidatesInListOrder)
{
    TZhdData document = DoorsDrawing();
    document.SearchText("DOOR", SearchVisibleLayers, 0);
    std::vector<std::string> texts { "stale" };
    EXPECT_EQ(document.CollectTexts(texts, SearchVisibleLayers), 4);
    EXPECT_EQ(texts, (std::vector<std::string> { "door A", "door B", "DOOR", "door A" }));
    // No mark and no count changes.
    EXPECT_EQ(SelectedPositions(document), Positions({ 6 }));
    EXPECT_EQ(document.GetElemListPtr().GetSelectedCount(), 1u);
}

TEST(TextSearch, JapaneseDrawing)
{
    TZhdData document;
    TZhdElemList& list = document.GetElemListPtr();
    for (const char8_t* text : { u8"洋室（１）", u8"ようしつ", u8"ﾖｳｼﾂ 2", u8"和室", u8"洋 室・・" })
        list.Append(TextOn(0, 0, sj(text)));
    EXPECT_EQ(document.SearchText(sj(u8"洋室"), SearchVisibleLayers, 0), 1);
    EXPECT_EQ(document.SearchText(sj(u8"洋室"), SearchVisibleLayers, SearchIgnoreBlanks), 2);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0, 4 }));
    EXPECT_EQ(document.SearchText(sj(u8"ヨウシツ"), SearchVisibleLayers, SearchFoldWidth), 2);
    EXPECT_EQ(SelectedPositions(document), Positions({ 1, 2 }));
    EXPECT_EQ(document.SearchText(sj(u8"洋室"), SearchVisibleLayers, 0x602), 1);
    EXPECT_EQ(SelectedPositions(document), Positions({ 4 }));
    EXPECT_EQ(document.SearchText(sj(u8"(1)"), SearchVisibleLayers, SearchFoldWidth), 1);
    EXPECT_EQ(SelectedPositions(document), Positions({ 0 }));
}
