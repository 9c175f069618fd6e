#include "elements/ElemFactory.h"

#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"

#include <boost/make_shared.hpp>

TZhdElemPtr CreateElemByClassName(const std::string& archive_class_name)
{
    // In the order of how often drawings hold them.
    if (archive_class_name == "CDataSen")
        return boost::make_shared<TKLine>();
    if (archive_class_name == "CDataEnko")
        return boost::make_shared<TKCircle>();
    if (archive_class_name == "CDataTen")
        return boost::make_shared<TKPoint>();
    if (archive_class_name == "CDataMoji")
        return boost::make_shared<TKMoji>();
    if (archive_class_name == "CDataSolid")
        return boost::make_shared<TKSolid>();
    if (archive_class_name == "CDataBlock")
        return boost::make_shared<TKBlock>();
    if (archive_class_name == "CDataSunpou")
        return boost::make_shared<TKSunpou>();
    return {};
}

TZhdElemPtr CreateElemByTypeCode(int type_code)
{
    switch (type_code) {
    case TZhdElem::LineCode:
        return boost::make_shared<TKLine>();
    case TZhdElem::CircleCode:
        return boost::make_shared<TKCircle>();
    case TZhdElem::PointCode:
        return boost::make_shared<TKPoint>();
    case TZhdElem::MojiCode:
        return boost::make_shared<TKMoji>();
    case TZhdElem::SunpouCode:
        return boost::make_shared<TKSunpou>();
    case TZhdElem::SolidCode:
        return boost::make_shared<TKSolid>();
    case TZhdElem::BlockCode:
        return boost::make_shared<TKBlock>();
    default:
        return {};
    }
}
