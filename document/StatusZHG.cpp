#include "document/StatusZHG.h"

#include "core/DebugLog.h"
#include "platform/Numbers.h"

#include <cmath>
#include <utility>

std::string TStatusZHG::SetMojiFont(std::string font)
{
    moji_font_ = std::move(font);
    return moji_font_;
}

double TStatusZHG::SetScale(double scale)
{
    scale_ = std::isfinite(scale) && scale > 0 ? scale : 1.0;
    return scale_;
}

TStatusZHG& TStatusZHG::AssignStatusZHG(const TStatusZHG& other)
{
    return SetStatusZHG(other.moji_, other.moji_shu_, other.moji_font_, other.ten_color_, other.solid_color_,
                        other.scale_);
}

TStatusZHG& TStatusZHG::SetStatusZHG(TZhdaMoji moji, std::uint32_t moji_shu, std::string moji_font,
                                     std::uint16_t ten_color, int solid_color, double scale)
{
    moji_ = moji;
    moji_shu_ = moji_shu;
    moji_font_ = std::move(moji_font);
    ten_color_ = ten_color;
    solid_color_ = solid_color;
    SetScale(scale);
    return *this;
}

void TStatusZHG::DumpToLog() const
{
    const TBitFlg flags = GetFlg();
    WriteDebugLog(StringPrintf("MaxPlGroup:%u", GetMaxPlGroup()));
    WriteDebugLog(StringPrintf("PlGroup:%u", GetPlGroup()));
    WriteDebugLog(StringPrintf("GLayer:%x", GetGLayer()));
    WriteDebugLog(StringPrintf("Layer:%x", GetLayer()));
    WriteDebugLog(StringPrintf("PenStyle:%u", GetPenStyle()));
    WriteDebugLog(StringPrintf("PenColor:%u", GetPenColor()));
    WriteDebugLog(StringPrintf("TenColor:%u", ten_color_));
    WriteDebugLog(StringPrintf("SolidColor:%u", static_cast<unsigned>(solid_color_)));
    WriteDebugLog(StringPrintf("PenWidth:%u", GetPenWidth()));
    WriteDebugLog(StringPrintf("Flg:%u|%x", flags.GetValue(), flags.GetValue()));
    WriteDebugLog(StringPrintf("MojiShu:%u", moji_shu_));
    WriteDebugLog(StringPrintf("MojiWidth:%f", moji_.GetWidth()));
    WriteDebugLog(StringPrintf("MojiHeight:%f", moji_.GetHeight()));
    WriteDebugLog(StringPrintf("MojiPitch:%f", moji_.GetSpacing()));
    WriteDebugLog(StringPrintf("MojiColor:%u", static_cast<unsigned>(moji_.GetColor())));
    WriteDebugLog("MojiFont:" + moji_font_);
    WriteDebugLog(StringPrintf("Scale:%f", scale_));
}
