#pragma once

// The colours and widths of the pens a drawing looks up for every element,
// by the element's pen colour number, kept for the length of one drawing.
//
// The document's pen maps are keyed by the number's decimal text; looking a
// key up creates a default pen when the map lacks it. Each number is looked
// up once per drawing here (with that same effect on the maps), so the
// per-element cost is an array read and nothing is allocated per element.

#include "platform/CanvasTypes.h"

#include <array>
#include <cstddef>
#include <vector>

class TZhdData;

class TDrawPens {
public:
    explicit TDrawPens(TZhdData& document) : document_(document) {}

    TColor ScreenColor(int number);
    TColor PrintColor(int number) { return PrintEntry(number).print_color; }
    unsigned PrintWidth(int number) { return PrintEntry(number).print_width; }

    // An element's own pen width, or its print pen's when its own is 0 (the
    // attribute record's effective width).
    unsigned EffectiveWidth(unsigned own_width, int number)
    {
        return own_width != 0 ? own_width : PrintWidth(number);
    }
    // The width whose pixels a pen gets: as above, but 1 for colour number 0.
    unsigned DrawingWidth(unsigned own_width, int number)
    {
        return own_width != 0 ? own_width : number > 0 ? PrintWidth(number) : 1;
    }

private:
    struct Pen {
        TColor screen_color = 0;
        TColor print_color = 0;
        unsigned print_width = 1;
        bool screen_known = false;
        bool print_known = false;
    };

    // The usual pens' numbers are small: those live in the object, so that
    // the many short drawings of block contents allocate nothing for them.
    static constexpr std::size_t kept_inline = 16;

    Pen& Slot(int number);
    const Pen& PrintEntry(int number);

    TZhdData& document_;
    std::array<Pen, kept_inline> first_pens_ {};
    // Numbers from kept_inline on, by number - kept_inline.
    std::vector<Pen> further_pens_;
};
