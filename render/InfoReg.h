#pragma once

// TInfoREG: the view, display and print state of one document.
//
// For now it holds what the drawing-file loader takes from the header (print
// flags, pen-width unit, drawing orders, text display) and the few fields that
// a copy must not carry over. The view transforms and drawing primitives join
// it with the rendering code. The remaining fields are plain data: the
// rendering code reads and writes them directly.

#include <map>
#include <string>

class TInfoREG {
public:
    TInfoREG() = default;
    // Both carry every field except those listed as not copied below; a
    // print job's working copy thus starts with no reference texts, no status
    // text and no abort request of its own.
    TInfoREG(const TInfoREG& other);
    TInfoREG& operator=(const TInfoREG& other);

    // Copied.
    int ColorPrint = 0;
    // 1 or more: element pen widths are device pixels; less than 1: 1/|unit| mm.
    int PenWidthUnit = 1;
    // One page per layer group, or per layer, in a continuous print.
    int GroupContinuation = 0;
    int LayerContinuation = 0;
    int GreyDisplayOnly = 0;
    // Units digit: order of the image and solid passes; tens digit: override.
    int DrawOrder = 0;
    int LayerOrder = 0;
    int ColorOrder = 0;
    // Texts, dimensions and block figures are drawn last.
    int FinalMoji = 0;
    // 0 off, 1 outlined characters, 2 the text's range box.
    int EdgeMoji = 0;
    // Millimetres added around the range box.
    double EdgeMojiRange = 0.0;

    // Not copied.
    std::map<std::string, std::string> References;
    std::string StatusText;
    unsigned char AbortFlag = 0;
    unsigned char DrawingFlag = 0;

private:
    void CopySettingsFrom(const TInfoREG& other);
};
