#include "core/regex/CharCode.h"

#include "platform/CodePage.h"
#include "platform/Errors.h"
#include "platform/ShiftJis.h"

bool IsSJISLeadByte(unsigned char byte)
{
    return IsLeadByte(byte);
}

bool IsEUCJPLeadByte(unsigned char byte)
{
    return byte == 0x8E || (byte >= 0xA1 && byte <= 0xFE);
}

bool IsNoLeadByte(unsigned char)
{
    return false;
}

int HexDigitValue(int code)
{
    if (code >= '0' && code <= '9')
        return code - '0';
    if (code >= 'A' && code <= 'F')
        return code - 'A' + 10;
    if (code >= 'a' && code <= 'f')
        return code - 'a' + 10;
    return -1;
}

int OctalDigitValue(int code)
{
    return code >= '0' && code <= '7' ? code - '0' : -1;
}

TbmCharCode bmccCodePage2CharCode(int code_page)
{
    switch (code_page) {
    case 932: return TbmCharCode::ShiftJis;
    case 1200: return TbmCharCode::Utf16;
    case 1252: return TbmCharCode::SingleByte;
    default: throw ZuviewError("bmccCodePage2CharCode: unknown code page");
    }
}

TbmIsLeadByteFunc bmccGetIsLeadByteFunc(TbmCharCode char_code)
{
    switch (char_code) {
    case TbmCharCode::ShiftJis: return IsSJISLeadByte;
    case TbmCharCode::EucJp: return IsEUCJPLeadByte;
    case TbmCharCode::SingleByte: return IsNoLeadByte;
    default: throw ZuviewError("bmccGetIsLeadByteFunc: invalid argument");
    }
}

int CountMBCSChars(const unsigned char* begin, const unsigned char* end, TbmIsLeadByteFunc is_lead_byte)
{
    int count = 0;
    for (const unsigned char* p = begin; p < end; ++count) {
        if (*p == 0)
            return -1;
        if (!is_lead_byte(*p) || p + 1 == end) {
            ++p;
            continue;
        }
        if (p[1] == 0)
            return -1;
        p += 2;
    }
    return count;
}

bool IsMBCSTrailByte(const unsigned char* begin, const unsigned char* position, TbmIsLeadByteFunc is_lead_byte)
{
    std::size_t lead_run = 0;
    for (const unsigned char* p = position; p > begin && is_lead_byte(p[-1]); --p)
        ++lead_run;
    return lead_run % 2 == 1;
}

TbmCharCode DefaultCharCode()
{
    static const TbmCharCode char_code = bmccCodePage2CharCode(GetAnsiCodePage());
    return char_code;
}
