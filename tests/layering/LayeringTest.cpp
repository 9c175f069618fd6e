// The libraries include only from their own level or below (the order and
// what stands outside it: tests/layering/IncludeOrder.h).

#include "tests/layering/IncludeOrder.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(Layering, NoLibraryIncludesFromAboveIt)
{
    for (const TUpwardInclude& include : FindUpwardIncludes(ZUVIEW_SOURCE_DIR))
        ADD_FAILURE() << Describe(include);
}

struct IncludeCase {
    const char* file;
    const char* text;
    bool breaks_order;
};

// One file per case, each with its include on line 2.
const IncludeCase include_cases[] = {
    { "core/Up.h", "#include \"ui/MainForm.h\"", true },
    { "core/Down.h", "#include \"platform/Bitmap.h\"", false },
    { "core/regex/Up.h", "#  include <render/InfoReg.h>", true },
    { "render/Sideways.cpp", "#include \"elements/KLine.h\"", false },
    { "document/Sideways.cpp", "#include \"render/InfoReg.h\"", false },
    { "platform/IntoItsUi.h", "#include \"platform/ui/IniFile.h\"", true },
    { "platform/ui/Down.h", "#include \"document/ZhdData.h\"", false },
    { "platform/ui/Up.h", "#include \"controls/Dock97.h\"", true },
    { "controls/Up.cpp", "#include \"print/PrintJob.h\"", true },
    { "print/Down.cpp", "#include \"controls/Toolbar97.h\"", false },
    { "print/Up.cpp", "#include \"ui/MainForm.h\"", true },
    { "ui/Down.cpp", "#include \"print/PrintJob.h\"", false },
    { "elements/Relative.cpp", "#include \"../controls/Dock97.h\"", true },
    { "elements/Beside.cpp", "#include \"Sideways.h\"", false },
    { "ui/Generated.cpp", "#include \"ui_AboutBox.h\"", false },
    { "ui/System.cpp", "#include <QWidget>", false },
    { "core/Commented.h", "// #include \"ui/MainForm.h\"", false },
    { "document/IntoTests.cpp", "#include \"tests/support/TempDir.h\"", true },
    { "ui/IntoPlugins.cpp", "#include \"plugins/qtimage/Plugin.h\"", true },
    { "plugins/p/Abi.cpp", "#include \"platform/ImagePluginAbi.h\"", false },
    { "plugins/p/Library.cpp", "#include \"platform/Bitmap.h\"", true },
    { "controls/Form.ui", "<header>ui/MainForm.h</header>", true },
    { "ui/Form.ui", "<header>controls/NumberEdit.h</header>", false },
};

TEST(Layering, IncludesAboveTheirLibraryAreNamedByFileLineAndInclude)
{
    TempDir root;
    std::vector<std::string> expected;
    for (const IncludeCase& test : include_cases) {
        std::filesystem::create_directories(root.File(test.file).parent_path());
        root.Write(test.file, std::string("// a file\n") + test.text + "\n");
        if (test.breaks_order)
            expected.push_back(std::string(test.file) + ":2");
    }
    // The relative include and the one beside its file lead to files.
    root.Write("controls/Dock97.h", "");
    root.Write("elements/Sideways.h", "");

    std::vector<std::string> found;
    for (const TUpwardInclude& include : FindUpwardIncludes(root.Path())) {
        found.push_back(include.file + ":" + std::to_string(include.line));
        EXPECT_NE(Describe(include).find(include.file + ":2: \"" + include.include + "\": "), std::string::npos)
            << Describe(include);
    }
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);
}

} // namespace
