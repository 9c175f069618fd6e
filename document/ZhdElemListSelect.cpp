#include "document/ZhdElemList.h"

#include "elements/ZhdElem.h"

void TZhdElemList::SelectElem(TZhdElem& elem)
{
    elem.GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    elem.GetElemFlgPtr().SetBit(TZhdElem::LastHitMark);
}

void TZhdElemList::UnselectElem(TZhdElem& elem)
{
    elem.GetElemFlgPtr().ClearBit(TZhdElem::SelectedMark);
    elem.GetElemFlgPtr().ClearBit(TZhdElem::LastHitMark);
}

int TZhdElemList::SelectWhere(const std::function<bool(const TZhdElem&)>& wanted, bool keep)
{
    int count = 0;
    for (const TZhdElemPtr& elem : items_) {
        if (wanted(*elem)) {
            SelectElem(*elem);
            ++count;
        } else if (!keep) {
            UnselectElem(*elem);
        }
    }
    SetSelectedCount(static_cast<std::uint32_t>(count));
    return count;
}
