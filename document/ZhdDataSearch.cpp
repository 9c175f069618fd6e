// The search bar's text search and its candidate list. Both look at the same
// texts: text elements on visible layers, within the chosen scope, that place
// no image. The search compares each with the word through one TTextMatcher
// (document/TextMatcher.cpp), built, and for a pattern compiled, before the
// first mark changes.

#include "document/ZhdData.h"

#include "core/LayerState.h"
#include "document/TextMatcher.h"
#include "elements/KMoji.h"

namespace {

// The texts a search or a candidate list looks at.
class TSearchCandidates {
public:
    TSearchCandidates(const TZhdData& document, int scope)
        : document_(document)
        , scope_(scope)
        , write_group_(document.GetHeadPtr().GetWriteGroup())
        , write_layer_(IsGroup(write_group_) ? document.GetHeadPtr().GetGroup(write_group_).GetWriteLayer() : -1)
    {
    }

    // The text element, or nullptr when the element is not a candidate.
    const TKMoji* TextOf(const TZhdElem& elem) const
    {
        if (elem.GetTypeCode() != TZhdElem::MojiCode || !IsVisible(elem) || !IsInScope(elem))
            return nullptr;
        const auto& text = static_cast<const TKMoji&>(elem);
        return text.HasImageSpec() ? nullptr : &text;
    }

private:
    static bool IsGroup(int g) { return g >= 0 && g < TZhdData::GroupCount; }

    bool IsVisible(const TZhdElem& elem) const
    {
        return document_.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()) != LayerMaskHidden;
    }

    bool IsInScope(const TZhdElem& elem) const
    {
        switch (scope_) {
        case SearchVisibleLayers:
            return true;
        case SearchWriteGroup:
            return elem.GetGLayer() == write_group_;
        case SearchWriteLayer:
            return elem.GetGLayer() == write_group_ && elem.GetLayer() == write_layer_;
        default:
            return false;
        }
    }

    const TZhdData& document_;
    int scope_;
    int write_group_;
    // -1 when the write group is not a group: then nothing is in its layer.
    int write_layer_;
};

} // namespace

int TZhdData::SearchText(std::string word, int scope, int options)
{
    TTextMatcher matcher(word, options);
    return SearchText(matcher, scope);
}

int TZhdData::SearchText(TTextMatcher& matcher, int scope)
{
    RefreshLayerStates();
    const TSearchCandidates candidates(*this, scope);
    return elem_list_.SelectWhere(
        [&](const TZhdElem& elem) {
            const TKMoji* text = candidates.TextOf(elem);
            return text != nullptr && matcher.IsHit(text->GetTextStringPtr());
        },
        false);
}

int TZhdData::CollectTexts(std::vector<std::string>& texts, int scope)
{
    texts.clear();
    RefreshLayerStates();
    const TSearchCandidates candidates(*this, scope);
    for (const TZhdElemPtr& elem : elem_list_.GetItemsPtr()) {
        if (const TKMoji* text = candidates.TextOf(*elem))
            texts.push_back(text->GetTextStringPtr());
    }
    return static_cast<int>(texts.size());
}
