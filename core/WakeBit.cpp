#include "core/WakeBit.h"

#include <utility>

TWakeBit::TWakeBit()
{
    for (int n = 0; n <= 16; ++n)
        masks_.push_back((std::uint32_t { 1 } << n) - 1);
}

TWakeBit::Masks TWakeBit::SetMasks(Masks masks)
{
    masks_ = std::move(masks);
    return masks_;
}

TWakeBit& TWakeBit::Assign(const TWakeBit& other)
{
    masks_ = other.masks_;
    return *this;
}

TWakeBit& TWakeBit::AssignMasks(Masks masks)
{
    masks_ = std::move(masks);
    return *this;
}

std::uint32_t TWakeBit::GetMask(int n) const
{
    return n >= 0 && n < Count() ? masks_[n] : 0;
}

std::string TWakeBit::MaskText(int n) const
{
    const std::uint32_t mask = GetMask(n);
    std::string text;
    for (int bit = 15; bit >= 0; --bit)
        text += (mask >> bit) & 1 ? '1' : '0';
    return text;
}

const TWakeBit& SharedWakeBit()
{
    static const TWakeBit shared;
    return shared;
}
