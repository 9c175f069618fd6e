#pragma once

// The element types, for headers that only pass elements around.

#include <boost/shared_ptr.hpp>

class TZhdElem;
class TKLine;
class TKCircle;
class TKPoint;
class TKMoji;
class TKSolid;
class TKBlock;
class TKSunpou;
class TSXFSunpou;

using TZhdElemPtr = boost::shared_ptr<TZhdElem>;
