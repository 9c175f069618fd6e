#pragma once

// The toolbar library's version texts.

// The text type of the components' read-only Version property.
using TToolbar97Version = const char*;

// What every component's Version property reports; assignments to it are
// ignored.
inline constexpr TToolbar97Version Toolbar97VersionText = "Zuview toolbar library 1.0";

// Identifies the library and its version in the program file (69
// characters).
inline constexpr char Sig[] = "-- Zuview toolbar library 1.0 - dockable toolbars and tool windows --";
