// Orderings of an element list for drawing by layer or by colour
// (document/ElemOrdering.h). The set of elements does not change, so no
// counter is touched.

#include "document/ZhdElemList.h"

#include "document/ElemOrdering.h"

int TZhdElemList::SortByLayer()
{
    return Sort(1, 0);
}

int TZhdElemList::Sort(int order, int kind)
{
    OrderElements(items_, order, kind);
    return Size();
}
