#pragma once

// Saving and restoring where a form's tool windows are: whether each is
// visible, the dock it sits on or that it floats and where, its row and
// position, the dock it sat on last, and the keys of its own class.
//
// The core pair works through the read and write procedures of
// controls/PositionData.h, one named integer or text per window; the INI
// front ends keep one section per window in a settings file, and the
// registry front ends do the same in the file that stands for the current
// user's registry (platform/ui/IniFile.h).
//
// The windows and docks of a form are the TCustomToolWindow97 and TDock97
// objects below it, as QObject::findChildren lists them: depth first, each
// parent's children in the order they were made or last re-parented
// (a window that floats becomes the form's youngest child). Errors and
// restoring happen in that order.

#include "controls/PositionData.h"

#include <QString>

#include <filesystem>

class QWidget;

// Restores each window whose record is of revision 2 or 3; other windows
// stay where they are. The form's docks arrange once, at the end (also when
// an error passes). Values read are clamped into sane ranges: a record never
// puts a window off every screen or into a row or position no dock can
// hold. Raises std::runtime_error ("Cannot save tool window's position
// because Name property is not set") for a window without a name; the
// windows before it stay restored.
void CustomLoadToolbarPositions(QWidget* form, const TPositionReadIntProc& read_int,
                                const TPositionReadStringProc& read_string);
// Writes every window's record. Raises std::runtime_error for a window
// without a name, and ("Cannot save tool window's position because
// DockedTo's Name property not set") for one docked on a dock that allows
// dragging but has no name; either before any key of that window is
// written, the windows before it are written.
void CustomSaveToolbarPositions(QWidget* form, const TPositionWriteIntProc& write_int,
                                const TPositionWriteStringProc& write_string);

// The section of a window is section_prefix followed by its name. Saving
// writes the file once, at the end (also when an error passes, with the
// windows written until then); a file that cannot be written raises
// TIniWriteError.
void IniLoadToolbarPositions(QWidget* form, const std::filesystem::path& file, const QString& section_prefix);
void IniSaveToolbarPositions(QWidget* form, const std::filesystem::path& file, const QString& section_prefix);

// The same in RegistryIniPath(), a window's section being
// RegistryIniSection(base_key, window name).
void RegLoadToolbarPositions(QWidget* form, const QString& base_key);
void RegSaveToolbarPositions(QWidget* form, const QString& base_key);
