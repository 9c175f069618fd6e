#pragma once

// The placed contents of block definitions, kept per document.
//
// A block reference works on a copy of its definition's elements, each
// scaled, turned and moved by the reference's placement. Making that copy
// means copying every element through its body, so a drawing of many
// references would copy its definitions again at every redraw and every
// extent query. The document keeps each placed copy instead, under
// everything the copy depends on: the definition, the placement, the layer
// the copy is put on, the selection mark it passes on and whether it was
// placed while a block draws (a marker point keeps its own marker scale
// then). The definitions' generation is part of the key, so a change to
// the definitions is never answered from an older copy.

#include "platform/BoundedCache.h"

#include <cstdint>
#include <cstring>
#include <memory>

class TPlacedBlock;

struct TBlockPlacementKey {
    std::uint64_t generation = 0;
    std::uint32_t number = 0;
    // The placement's numbers, bit for bit: x, y, x scale, y scale and the
    // angle in its own unit.
    double x = 0;
    double y = 0;
    double scale_x = 0;
    double scale_y = 0;
    double angle = 0;
    int angle_kind = 0;
    std::uint16_t group = 0;
    std::uint16_t layer = 0;
    bool takes_layer = false;
    bool selected = false;
    bool block_draw = false;

    bool operator==(const TBlockPlacementKey& other) const
    {
        return generation == other.generation && number == other.number && SameBits(x, other.x)
            && SameBits(y, other.y) && SameBits(scale_x, other.scale_x) && SameBits(scale_y, other.scale_y)
            && SameBits(angle, other.angle) && angle_kind == other.angle_kind && group == other.group
            && layer == other.layer && takes_layer == other.takes_layer && selected == other.selected
            && block_draw == other.block_draw;
    }

    static bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};

struct TBlockPlacementKeyHash {
    std::size_t operator()(const TBlockPlacementKey& key) const
    {
        std::uint64_t hash = key.generation * 0x9E3779B97F4A7C15ull ^ key.number;
        for (const double value : { key.x, key.y, key.scale_x, key.scale_y, key.angle }) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            hash = (hash ^ bits) * 0xBF58476D1CE4E5B9ull;
            hash ^= hash >> 31;
        }
        const std::uint64_t small = static_cast<std::uint64_t>(key.angle_kind) << 40
            | static_cast<std::uint64_t>(key.group) << 24 | static_cast<std::uint64_t>(key.layer) << 8
            | (key.takes_layer ? 4u : 0u) | (key.selected ? 2u : 0u) | (key.block_draw ? 1u : 0u);
        return static_cast<std::size_t>((hash ^ small) * 0x94D049BB133111EBull);
    }
};

// At most this many placed elements are kept (the oldest placements go
// first): a few hundred megabytes at the very most.
inline constexpr std::size_t placed_block_elements_limit = 1'000'000;
inline constexpr std::size_t placed_block_entries_limit = 1 << 17;

class TPlacedBlockCache : public TBoundedCache<TBlockPlacementKey, std::shared_ptr<TPlacedBlock>, TBlockPlacementKeyHash> {
public:
    TPlacedBlockCache() : TBoundedCache(placed_block_entries_limit, placed_block_elements_limit) {}
};
