#pragma once

// The order of the libraries, and the includes that break it.
//
// Each source folder is one library, and a library includes only from its
// own level or below:
//
//   platform -> core -> document, elements, render -> platform/ui
//            -> controls -> print -> ui
//
// document, elements and render build on each other and share a level. A
// header is named by its path from the repository root ("core/BPoint.h"), so
// the folder at the front of an include names the library it comes from; a
// quoted include that is no such path is looked up beside the including file
// ("../ui/X.h" counts as ui). Anything else (the standard library, Qt, the
// forms' generated "ui_*.h") is outside the order. A form's custom widget
// header (<header> in a .ui file) is an include too.
//
// Outside the order: tests/, bench/ and fuzz/ sit above every library and
// may include any of them, so they are not read; tools/ holds no C++. No
// library includes from any of the four. The image plug-ins in plugins/ are
// built against the plug-in ABI alone (platform/ImagePluginAbi.h), never
// linked with the libraries: that header is the one project header they may
// include, and no library includes a plug-in.

#include <filesystem>
#include <string>
#include <vector>

struct TUpwardInclude {
    std::string file; // path from the repository root
    int line;
    std::string include; // as written
    std::string reason;
};

// Every include of the libraries and plug-ins under `root` that breaks the
// order, by file and line.
std::vector<TUpwardInclude> FindUpwardIncludes(const std::filesystem::path& root);

// "core/A.h:3: \"ui/B.h\": core includes from ui, which is above it".
std::string Describe(const TUpwardInclude& include);
