#pragma once

// A drawing has 16 layer groups of 16 layers each. Group and layer numbers
// come from files, so they are checked against these before they index a
// group or layer table.

inline constexpr int GroupsPerDrawing = 16;
inline constexpr int LayersPerGroup = 16;

constexpr bool IsGroupAndLayer(int group, int layer)
{
    return group >= 0 && group < GroupsPerDrawing && layer >= 0 && layer < LayersPerGroup;
}
