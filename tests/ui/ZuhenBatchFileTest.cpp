// The batch file for the CAD program: its lines byte for byte in Shift-JIS
// with CR LF, the program folder in the search path, and the file's name.

#include "ui/ZuhenBatchFile.h"

#include "platform/ShiftJis.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

TEST(ZuhenBatchFile, LinesAndFolder)
{
    const std::vector<std::string> lines = ZuhenBatchLines("/opt/zuview programs/bin/");
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(SjisToUtf8(lines[0]), "@rem Zuview Zuhen Data の印刷");
    // One entry of the search path even with a blank in it, without the
    // trailing separator.
    EXPECT_EQ(lines[2], "set path=\"/opt/zuview programs/bin\";%path%");
    EXPECT_EQ(lines[7], "start /wait Zuview.exe zhc_temp.txt %1 %2 %3 %4 %5 %6 %7 %8 %9");
    EXPECT_EQ(SjisToUtf8(lines[9]), "rem         ◎ＺＵＨＥＮ用外部プログラムの宣言");
    EXPECT_EQ(SjisToUtf8(lines[17]), "rem     #hf          #編集中のファイル名の書き出し");
    EXPECT_EQ(SjisToUtf8(lines[23]), "echo h#完了！ > temp.txt");
    EXPECT_EQ(lines[28], ":pause");

    struct Row {
        const char* folder;
        const char* written;
    };
    const Row rows[] = {
        { "/", "/" },
        { "C:\\", "C:\\" },
        { "C:\\Tools\\", "C:\\Tools" },
        { "/home/u/100%/bin", "/home/u/100%%/bin" }, // not expanded by the batch file
    };
    for (const Row& row : rows)
        EXPECT_EQ(ZuhenBatchLines(row.folder)[2], std::string("set path=\"") + row.written + "\";%path%") << row.folder;
}

TEST(ZuhenBatchFile, WrittenInShiftJisWithCrLf)
{
    TempDir folder;
    const auto file = BatchFileName(folder.File("mine.txt"));
    EXPECT_EQ(file.filename(), "mine.bat");
    EXPECT_EQ(BatchFileName("/x/_zuview").filename(), "_zuview.bat");
    ASSERT_EQ(WriteZuhenBatchFile(file, "/opt/図面"), TBatchWriteResult::Written);
    const std::string bytes = ReadFileBytes(file);
    EXPECT_EQ(bytes.substr(bytes.size() - 8), ":pause\r\n");
    EXPECT_NE(bytes.find("set path=\"" + Utf8ToSjis("/opt/図面") + "\";%path%\r\n"), std::string::npos);
    std::size_t line_ends = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++line_ends;
    EXPECT_EQ(line_ends, 29u);

    // A folder Shift-JIS cannot name is refused rather than written wrong;
    // a place that cannot be written is reported.
    EXPECT_EQ(WriteZuhenBatchFile(folder.File("b.bat"), "/opt/🙂"), TBatchWriteResult::FolderNotShiftJis);
    EXPECT_FALSE(std::filesystem::exists(folder.File("b.bat")));
    EXPECT_EQ(WriteZuhenBatchFile(folder.File("no/such/b.bat"), "/opt"), TBatchWriteResult::NotWritable);
}
