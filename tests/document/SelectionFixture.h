#pragma once

// Small drawings for the selection and search tests: elements placed on a
// group and layer, layer states set by hand, and the selection read back.

#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/ZhdElem.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

template <typename Elem>
boost::shared_ptr<Elem> PlaceOn(boost::shared_ptr<Elem> elem, int g, int l)
{
    elem->SetGLayer(static_cast<std::uint16_t>(g));
    elem->SetLayer(static_cast<std::uint16_t>(l));
    return elem;
}

inline TZhdElemPtr TextOn(int g, int l, const std::string& text)
{
    auto moji = boost::make_shared<TKMoji>();
    moji->SetTextString(text);
    return PlaceOn(moji, g, l);
}

inline TZhdElemPtr LineOn(int g, int l)
{
    return PlaceOn(boost::make_shared<TKLine>(), g, l);
}

// States: 0 hidden, 1 display only, 2 editable, 3 write target.
inline void SetLayerState(TZhdData& document, int g, int l, int state)
{
    TZhdLay layer = document.GetHeadPtr().GetLayer(g, l);
    layer.SetState(state);
    document.GetHeadPtr().SetLayer(g, l, layer);
}

inline void SetGroupState(TZhdData& document, int g, int state)
{
    TZhdGrp group = document.GetHeadPtr().GetGroup(g);
    group.SetState(state);
    document.GetHeadPtr().SetGroup(g, group);
}

// The list positions of the selected elements. Selecting operations set and
// clear the last-hit mark with the selected mark, so the two must agree
// wherever `marks_agree` is asked for.
inline std::vector<int> SelectedPositions(const TZhdData& document, bool marks_agree = true)
{
    std::vector<int> positions;
    const auto& items = document.GetElemListPtr().GetItemsPtr();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TBitFlg marks = items[i]->GetElemFlg();
        if (marks.IsSet(TZhdElem::SelectedMark))
            positions.push_back(static_cast<int>(i));
        if (marks_agree) {
            EXPECT_EQ(marks.IsSet(TZhdElem::SelectedMark), marks.IsSet(TZhdElem::LastHitMark)) << "element " << i;
        }
    }
    return positions;
}

inline TBitFlg MarksAt(const TZhdData& document, int position)
{
    return document.GetElemListPtr().GetAt(position)->GetElemFlg();
}
