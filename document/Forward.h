#pragma once

// The document types, for headers that only pass them around.

class TZhdData;
class TZhdElemList;
class TKBlockDefine;
class TStatusZHG;
class TInfoZHG;
class TZhdHead;
class TStatus;
