// Bytes in, twice. First as a CAD settings file, cut into lines and applied to
// a header as the document applies it, with the attribute state's group and
// layer taken from the input so that numbers outside the tables come too.
// Then as the search bar's input over a small fixed drawing: the first byte
// chooses the options and the scope, the rest of the first line is the word.
// After a search exactly the hits carry both marks, the count says how many,
// and only candidates are hits; after a pattern error nothing has changed.
//
// Words are cut to 64 bytes and patterns to 16: longer ones only make the
// fuzzer slow (building a pattern's automaton takes most of a run), and the
// regex fuzzer covers the engine.
#include "core/LayerState.h"
#include "core/TextUtil.h"
#include "core/regex/Token.h"
#include "document/TextMatcher.h"
#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KSunpou.h"
#include "platform/Errors.h"
#include "platform/ShiftJis.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t longest_word = 64;
constexpr std::size_t longest_pattern = 16;

TZhdElemPtr Text(int g, int l, const std::string& text)
{
    auto moji = boost::make_shared<TKMoji>();
    moji->SetTextString(text);
    moji->SetGLayer(static_cast<std::uint16_t>(g));
    moji->SetLayer(static_cast<std::uint16_t>(l));
    return moji;
}

// Group 0 layer 0 editable, layer 1 display only, layer 2 hidden; write group
// 1 with write layer 3. The last four elements are never candidates.
TZhdData& Drawing()
{
    static TZhdData document = [] {
        TZhdData drawing;
        TZhdElemList& list = drawing.GetElemListPtr();
        for (const char8_t* text : { u8"洋室（１）", u8"ようしつ", u8"ﾖｳｼﾂ A", u8"Door-3F", u8"陰餌", u8"部屋・・",
                                     u8"部屋･", u8"ａｂ　ｃ", u8"" })
            list.Append(Text(0, 0, sj(text)));
        list.Append(Text(0, 1, "door"));
        list.Append(Text(1, 3, sj(u8"階段")));
        list.Append(Text(1, 4, "W=1200mm"));
        list.Append(Text(0, 2, "door"));
        list.Append(Text(0, 0, "^@BMdoor.bmp"));
        list.Append(boost::make_shared<TKLine>());
        auto dimension = boost::make_shared<TKSunpou>();
        dimension->SetMoji(static_cast<const TKMoji&>(*Text(0, 0, "door")));
        list.Append(dimension);
        TZhdLay hidden = drawing.GetHeadPtr().GetLayer(0, 2);
        hidden.SetState(LayerHidden);
        drawing.GetHeadPtr().SetLayer(0, 2, hidden);
        TZhdLay display_only = drawing.GetHeadPtr().GetLayer(0, 1);
        display_only.SetState(LayerDisplayOnly);
        drawing.GetHeadPtr().SetLayer(0, 1, display_only);
        drawing.GetHeadPtr().SetWriteGroup(1);
        TZhdGrp group = drawing.GetHeadPtr().GetGroup(1);
        group.SetWriteLayer(3);
        drawing.GetHeadPtr().SetGroup(1, group);
        return drawing;
    }();
    return document;
}

constexpr int never_candidates = 4;

int OptionsOf(std::uint8_t b)
{
    const int bits[] = { SearchExactMatch,        SearchFoldWidth,    SearchFoldCase,
                         SearchRegularExpression, SearchIgnoreBlanks, SearchIgnoreEqualSpacing };
    int options = 0;
    for (int i = 0; i < 6; ++i) {
        if (b & (1 << i))
            options |= bits[i];
    }
    return options;
}

std::vector<std::uint32_t> MarksOf(const TZhdData& document)
{
    std::vector<std::uint32_t> marks;
    for (const TZhdElemPtr& elem : document.GetElemListPtr().GetItemsPtr())
        marks.push_back(elem->GetElemFlg().GetValue());
    return marks;
}

void ApplyAsSettingsFile(std::string_view bytes)
{
    StringList lines;
    SplitTextLines(bytes, lines);
    TStatusZHG state;
    state.SetGLayer(static_cast<std::uint16_t>(bytes.size() % 20));
    state.SetLayer(static_cast<std::uint16_t>(bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes[0]) % 20));
    TZhdHead head;
    try {
        head.ApplySettingsFile(state, TInfoZHG(), lines);
    } catch (const ConvertError&) {
    }
}

void SearchWith(std::string_view bytes)
{
    const auto choice = static_cast<std::uint8_t>(bytes[0]);
    const int options = OptionsOf(choice);
    std::string_view word = bytes.substr(1);
    const std::size_t longest = options & SearchRegularExpression ? longest_pattern : longest_word;
    word = word.substr(0, std::min({ word.find_first_of("\r\n"), longest }));
    TZhdData& document = Drawing();
    const std::vector<std::uint32_t> before = MarksOf(document);
    const std::uint32_t count_before = document.GetElemListPtr().GetSelectedCount();
    int hits = 0;
    try {
        hits = document.SearchText(std::string(word), choice >> 6, options);
    } catch (const EbmREToken&) {
        if (MarksOf(document) != before || document.GetElemListPtr().GetSelectedCount() != count_before)
            std::abort();
        return;
    }
    std::vector<std::string> candidates;
    const int candidate_count = document.CollectTexts(candidates, choice >> 6);
    const auto& items = document.GetElemListPtr().GetItemsPtr();
    int marked = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TBitFlg marks = items[i]->GetElemFlg();
        if (marks.IsSet(TZhdElem::SelectedMark) != marks.IsSet(TZhdElem::LastHitMark))
            std::abort();
        if (marks.IsSet(TZhdElem::SelectedMark)) {
            ++marked;
            if (i + never_candidates >= items.size())
                std::abort();
        }
    }
    if (marked != hits || static_cast<std::uint32_t>(hits) != document.GetElemListPtr().GetSelectedCount()
        || hits > candidate_count)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ApplyAsSettingsFile(bytes);
    if (!bytes.empty())
        SearchWith(bytes);
    return 0;
}
