#include "elements/ElemFactory.h"

#include "elements/ElemKind.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"

#include <boost/make_shared.hpp>

namespace {

template <typename... Classes>
TZhdElemPtr CreateOneOf(int type_code)
{
    TZhdElemPtr elem;
    // The first class whose type code matches makes the element.
    static_cast<void>(((Classes::TypeCode == type_code && (elem = boost::make_shared<Classes>())) || ...));
    return elem;
}

} // namespace

TZhdElemPtr CreateElemByClassName(const std::string& archive_class_name)
{
    return CreateElemByTypeCode(TypeCodeOfArchiveClassName(archive_class_name));
}

TZhdElemPtr CreateElemByTypeCode(int type_code)
{
    return CreateOneOf<TKLine, TKCircle, TKPoint, TKMoji, TKSolid, TKBlock, TKSunpou>(type_code);
}
