#pragma once

// TStatus: the attribute record that heads every drawing element and every
// block definition: curve group, line type, pen colour and width, layer, layer
// group and a flag word.
//
// The curve-group counter (MaxPlGroup) is shared by every record of the run:
// loading or closing a drawing does not reset it, it only grows.

#include "core/BitFlg.h"

#include <cstdint>
#include <map>
#include <string>

class TStream;
class TZhdPrtPen;

class TStatus {
public:
    TStatus() = default;
    // The flag word fills bits 0 to 15; bits 16 to 31 are clear.
    TStatus(std::uint32_t pl_group, std::uint8_t pen_style, std::uint16_t pen_color, std::uint16_t pen_width,
            std::uint16_t layer, std::uint16_t g_layer, std::uint16_t flags);

    // The shared curve-group counter.
    static std::uint32_t GetMaxPlGroup();
    // The counter becomes the larger of n and itself; returns it.
    static std::uint32_t RaiseMaxPlGroup(std::uint32_t n);
    // Hands this record the next curve-group number.
    std::uint32_t NewPlGroup();
    // Hands this record the current counter without advancing it.
    std::uint32_t TakeMaxPlGroup();

    std::uint32_t GetPlGroup() const { return pl_group_; }
    std::uint32_t SetPlGroup(std::uint32_t value) { return pl_group_ = value; }
    std::uint8_t GetPenStyle() const { return pen_style_; }
    std::uint8_t SetPenStyle(std::uint8_t value) { return pen_style_ = value; }
    std::uint16_t GetPenColor() const { return pen_color_; }
    std::uint16_t SetPenColor(std::uint16_t value) { return pen_color_ = value; }
    // 0: the width of the colour's print pen applies (GetEffectivePenWidth).
    std::uint16_t GetPenWidth() const { return pen_width_; }
    std::uint16_t SetPenWidth(std::uint16_t value) { return pen_width_ = value; }
    std::uint16_t GetLayer() const { return layer_; }
    std::uint16_t SetLayer(std::uint16_t value) { return layer_ = value; }
    std::uint16_t GetGLayer() const { return g_layer_; }
    std::uint16_t SetGLayer(std::uint16_t value) { return g_layer_ = value; }
    // GLayer * 16 | Layer in 16 bits: the key of layer ordering and counts.
    std::uint16_t GetGroupLayerCode() const;
    TBitFlg GetFlg() const { return flg_; }
    TBitFlg SetFlg(TBitFlg flags) { return flg_ = flags; }

    TStatus Clone() const { return *this; }
    TStatus& AsStatus() { return *this; }
    TStatus& Assign(const TStatus& other);
    TStatus& SetStatus(std::uint32_t pl_group, std::uint8_t pen_style, std::uint16_t pen_color,
                       std::uint16_t pen_width, std::uint16_t layer, std::uint16_t g_layer, TBitFlg flags);

    // struct Status {
    //     u32 pl_group;
    //     u8  pen_style;
    //     u16 pen_color;
    //     u16 pen_width;   only from version 351; older records read it as 0
    //     u16 layer;
    //     u16 g_layer;
    //     u16 flags;       bits 0-15 of Flg; reading keeps bits 16-31
    // };                   13 bytes up to version 350, 15 from 351
    // A field whose bytes the stream cannot deliver keeps its value.
    void Read(TStream& stream, std::uint32_t version);
    void Write(TStream& stream, std::uint32_t version) const;
    static int GetRecordSize(std::uint32_t version);

    // The width to draw with: PenWidth, or when that is 0 the width of the
    // print pen keyed by the colour number in decimal ("5", "120"). The
    // document passes its print-pen map; a colour without a pen gets a default
    // print pen (width 18) added to the map, as drawing that colour again
    // would need it anyway.
    int GetEffectivePenWidth(std::map<std::string, TZhdPrtPen>& print_pens) const;

    // One debug-log line with every field.
    void DumpToLog() const;

private:
    static bool HasPenWidth(std::uint32_t version) { return version >= 351; }

    std::uint32_t pl_group_ = 0;
    std::uint8_t pen_style_ = 1;
    std::uint16_t pen_color_ = 1;
    std::uint16_t pen_width_ = 0;
    std::uint16_t layer_ = 0;
    std::uint16_t g_layer_ = 0;
    TBitFlg flg_;
};
