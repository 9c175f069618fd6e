#pragma once

// The message texts of the toolbar library's errors.

inline constexpr char STB97DockParentNotAllowed[] =
    "A TDock97 control cannot be placed inside a tool window or another TDock97";
inline constexpr char STB97DockCannotChangePosition[] =
    "Cannot change Position of a TDock97 if it already contains controls";
inline constexpr char STB97ToolwinNameNotSet[] =
    "Cannot save tool window's position because Name property is not set";
inline constexpr char STB97ToolwinDockedToNameNotSet[] =
    "Cannot save tool window's position because DockedTo's Name property not set";
inline constexpr char STB97ToolwinParentNotAllowed[] =
    "A tool window can only be placed on a TDock97 or directly on the form";
// %s: the control's name.
inline constexpr char STB97ToolbarControlNotChildOfToolbar[] = "Control '%s' is not a child of the toolbar";
inline constexpr char STB97SepParentNotAllowed[] = "TToolbarSep97 can only be placed on a TToolbar97";
