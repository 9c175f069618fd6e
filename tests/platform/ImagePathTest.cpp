#include "platform/ImagePath.h"

#include "platform/ShiftJis.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

// Runs in the folder for as long as it lives.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : before_(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(before_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    fs::path before_;
};

} // namespace

TEST(ImagePath, WindowsNamesFindTheFilesBesideTheDrawing)
{
    const TempDir temp;
    const fs::path drawings = temp.Path() / "drawings";
    const fs::path work = temp.Path() / "work";
    Touch(drawings / "Plan.BMP");
    const std::string photo = SjisToUtf8(sj(u8"写真.jpg")); // on disk in UTF-8
    Touch(drawings / photo);
    Touch(work / "images" / "site.bmp");
    Touch(work / "Logo.png");
    fs::create_directories(work);
    const InFolder in_work(work);

    struct Row {
        std::string name; // Shift-JIS, as the drawing holds it
        fs::path expected;
    };
    const Row rows[] = {
        // Relative names from the current directory, "\" as "/".
        { "images\\site.bmp", work / "images" / "site.bmp" },
        { "logo.PNG", work / "Logo.png" },
        // A drive letter never exists here: the drawing's folder, any case.
        { "C:\\CAD\\DATA\\plan.bmp", drawings / "Plan.BMP" },
        { "d:/old/" + sj(u8"写真.jpg"), drawings / photo },
        // Not beside the name either: the drawing's folder.
        { "missing\\PLAN.bmp", drawings / "Plan.BMP" },
        // Nowhere: the path the name gives, which will not open.
        { "nothing.bmp", work / "nothing.bmp" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ResolveImagePath(row.name, drawings), row.expected);
    }
}
