#pragma once

// The contents of a block definition as a reference places them: deep
// copies of the definition's unselected elements, on the reference's layer
// where asked, scaled, turned and moved by the reference's placement.
//
// A placed copy is made once per placement and kept by the document
// (document/PlacedBlockCache.h); the extents worked out on it are kept with
// it. Nested references among the copies are themselves re-placed by the
// outer placement and expand their own definitions when asked.

#include "core/BPoint.h"
#include "document/BlockExpansion.h"
#include "document/ZhdElemList.h"

#include <memory>
#include <optional>
#include <utility>

class TKBlock;
class TZhdData;

class TPlacedBlock {
public:
    explicit TPlacedBlock(TZhdElemList elements) : elements_(std::move(elements)) {}

    TZhdElemList& Elements() { return elements_; }
    const TZhdElemList& Elements() const { return elements_; }

    // The union of the elements' boxes for the extent mode, or nothing for
    // an empty copy. Kept after the first time unless a walk into nested
    // contents was refused meanwhile (the answer then depends on the walk).
    std::optional<std::pair<TBPoint, TBPoint>> Extent(const TZhdData& document, int mode);

private:
    TZhdElemList elements_;
    // By extent mode 0 and 1; other modes are not kept.
    std::optional<std::optional<std::pair<TBPoint, TBPoint>>> extents_[2];
};

// How a reference's contents are placed: on the reference's layer always
// (extents and nearest points), or only when its pen style says so and with
// its selection passed on (drawing).
enum class TPlacementUse { Measuring, Drawing };

// A walk into one reference's contents. It enters the expansion guard of
// the reference's definition for as long as it lives, so that definitions
// that place themselves, directly or in a ring, end; and it gives the
// placed contents.
class TBlockWalk {
public:
    TBlockWalk(const TKBlock& block, const TZhdData& document, TPlacementUse use);
    TBlockWalk(const TBlockWalk&) = delete;
    TBlockWalk& operator=(const TBlockWalk&) = delete;

    // Null when there is nothing to walk: the document has no definitions,
    // or the definition is already being walked further up (or too deep).
    TPlacedBlock* Contents() const { return placed_.get(); }

private:
    std::optional<TBlockExpansion> guard_;
    std::shared_ptr<TPlacedBlock> placed_;
};
