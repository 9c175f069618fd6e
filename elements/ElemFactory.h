#pragma once

// New, default elements of the seven kinds, by archive class name (the
// drawing-file reader) or by type code (copies of existing elements). Anything
// else gives an empty pointer.

#include "elements/Forward.h"

#include <string>

TZhdElemPtr CreateElemByClassName(const std::string& archive_class_name);
TZhdElemPtr CreateElemByTypeCode(int type_code);
