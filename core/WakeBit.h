#pragma once

// TWakeBit: the table of low-bit masks 2^n - 1 that turns a group or layer
// state n into a state mask. By default it has 17 entries, n = 0 to 16
// (0, 1, 3, ..., 0xFFFF).
//
// States come from drawing files, so a state outside the table is answered
// with mask 0 (nothing shown) rather than read past its end.

#include <cstdint>
#include <string>
#include <vector>

class TWakeBit {
public:
    using Masks = std::vector<std::uint32_t>;

    TWakeBit();

    Masks GetMasks() const { return masks_; }
    // Returns the masks as stored.
    Masks SetMasks(Masks masks);
    TWakeBit& AsWakeBit() { return *this; }
    TWakeBit& Assign(const TWakeBit& other);
    TWakeBit& AssignMasks(Masks masks);

    // Entry n; 0 when n is outside [0, Count()).
    std::uint32_t GetMask(int n) const;
    int Count() const { return static_cast<int>(masks_.size()); }
    // 16 characters "0" or "1" of entry n, bit 15 first.
    std::string MaskText(int n) const;

private:
    Masks masks_;
};

// The table the drawing header turns group and layer states into masks with;
// it lives for the whole run.
const TWakeBit& SharedWakeBit();
