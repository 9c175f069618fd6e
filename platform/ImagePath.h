#pragma once

// Where the image a drawing names lies on this machine.
//
// Drawings name their images with Windows paths in Shift-JIS: a drive
// letter, backslashes, and a letter case that Windows ignores. A drawing
// copied to Linux with its images keeps them beside it (or in a folder
// below it) while the names still point at the old drive. The name is
// converted to UTF-8 with "/" for "\", a relative name is taken from the
// current directory, and when that file does not exist the same file name is
// looked for, ignoring letter case, in its own folder and then in the
// drawing's folder.

#include <filesystem>
#include <string_view>

// The file to open for the Shift-JIS image name. When nothing is found, the
// path the name itself gives (which then fails to open).
std::filesystem::path ResolveImagePath(std::string_view sjis_name, const std::filesystem::path& drawing_folder);
