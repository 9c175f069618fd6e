#include "ui/PathShortening.h"

#include <QFont>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

QFontMetrics FixedMetrics()
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(12);
    return QFontMetrics(font);
}

int WidthOf(const QString& text) { return FixedMetrics().horizontalAdvance(text); }

struct TShortenCase {
    const char* name;
    QString path;
    // The width is that of this text, so the case holds for any font.
    QString fitting;
    QString expected;
};

} // namespace

TEST(PathShortening, ShortensToTheWidthByTheFolderRule)
{
    // Folder names are wider than the marker, so every cut narrows.
    const std::vector<TShortenCase> cases {
        { "short path fits", "/home/user/a.zhd", "/home/user/a.zhd", "/home/user/a.zhd" },
        { "fits with room to spare", "/home/user/a.zhd", "/home/user/a.zhd/home", "/home/user/a.zhd" },
        { "slash, two folders cut", "/home/user/alpha/beta/file.txt", "/.../beta/file.txt", "/.../beta/file.txt" },
        { "slash, root goes with the marker", "/home/user/file.txt", ".../file.txt", ".../file.txt" },
        { "relative slash path", "alpha/beta/gamma/file.txt", ".../gamma/file.txt", ".../gamma/file.txt" },
        { "backslash with drive", "C:\\alpha\\beta\\gamma\\file.txt", "C:\\...\\gamma\\file.txt",
          "C:\\...\\gamma\\file.txt" },
        { "backslash, drive goes last", "C:\\alpha\\beta\\file.txt", "...\\file.txt", "...\\file.txt" },
        { "name alone too wide", "/alpha/beta/a-rather-long-file-name.txt", "x", "a-rather-long-file-name.txt" },
        { "bare name never changes", "a-rather-long-file-name.txt", "x", "a-rather-long-file-name.txt" },
        { "japanese folders", "/ホーム/図面/現場Ａ/平面図.zhd", "/.../現場Ａ/平面図.zhd",
          "/.../現場Ａ/平面図.zhd" },
        { "japanese folders, backslash", "D:\\図面\\現場Ａ\\平面図.zhd", "D:\\...\\平面図.zhd",
          "D:\\...\\平面図.zhd" },
        { "hidden folder first", "/.config/zuview/beta/file.txt", "/.../beta/file.txt", "/.../beta/file.txt" },
        // A short dotted first folder loses four characters as the marker
        // would, and with them the next folder.
        { "short dotted folder first", "/.ab/beta/gamma/file.txt", "/.../gamma/file.txt/", "/.../gamma/file.txt" },
        { "parent folder first", "../alpha/beta/file.txt", ".../beta/file.txt/", ".../beta/file.txt" },
    };
    const QFontMetrics metrics = FixedMetrics();
    for (const TShortenCase& each : cases)
        EXPECT_EQ(ShortenPathToWidth(each.path, metrics, WidthOf(each.fitting)), each.expected) << each.name;
}

TEST(PathShortening, GivesUpOneFolderAtATime)
{
    // Each width fits exactly one step of the rule, so the steps come one by
    // one as the width shrinks.
    const std::vector<std::vector<QString>> sequences {
        { "C:\\alpha\\beta\\gamma\\file.txt", "C:\\...\\beta\\gamma\\file.txt", "C:\\...\\gamma\\file.txt",
          "C:\\...\\file.txt", "...\\file.txt", "file.txt" },
        { "/home/user/alpha/file.txt", "/.../user/alpha/file.txt", "/.../alpha/file.txt", "/.../file.txt",
          ".../file.txt", "file.txt" },
    };
    const QFontMetrics metrics = FixedMetrics();
    for (const std::vector<QString>& steps : sequences) {
        for (const QString& step : steps)
            EXPECT_EQ(ShortenPathToWidth(steps.front(), metrics, WidthOf(step)), step);
    }
}

TEST(PathShortening, CutsTheFirstFolder)
{
    const std::vector<std::pair<QString, QString>> cases {
        { "/", "" },
        { "\\", "" },
        { "/a/b/", "/.../b/" },
        { "/.../b/", "/.../" },
        { "/.../", "/" },
        { ".../", "" },
        { "a\\b\\", "...\\b\\" },
        { "\\...\\b\\c\\", "\\...\\c\\" },
        { ".config/x/", ".../x/" },
        { ".ab/beta/gamma/", ".../gamma/" },
        { "../x/y/", ".../y/" },
        { "/.a/b/c/", "/.../c/" },
        { "図面/現場/", ".../現場/" },
    };
    for (const auto& [folder_part, expected] : cases) {
        QString cut = folder_part;
        CutFirstFolder(cut);
        EXPECT_EQ(cut, expected) << folder_part.toStdString();
    }
}

TEST(PathShortening, NeverSplitsACharacter)
{
    // Folders of characters outside the basic plane (surrogate pairs in
    // UTF-16, four bytes in UTF-8).
    const std::string path = "/\U00020BB7\U00020BB7/\U0002000B/\U00020BB7\U0002000B.zhd";
    const QFontMetrics metrics = FixedMetrics();
    for (int width = 0; width <= WidthOf(QString::fromStdString(path)); width += 3) {
        const std::string shortened = ShortenPathToWidth(path, metrics, width);
        const QString text = QString::fromStdString(shortened);
        EXPECT_TRUE(text.isValidUtf16()) << width;
        EXPECT_EQ(text.toStdString(), shortened) << width;
        EXPECT_TRUE(text.endsWith(QString::fromStdString("\U00020BB7\U0002000B.zhd"))) << width;
    }
}

TEST(PathShortening, KeepsTheBytesOfAPathItLeavesWhole)
{
    const std::string not_utf8 = "/data/\xff\xfe.zhd";
    EXPECT_EQ(ShortenPathToWidth(not_utf8, FixedMetrics(), 10000), not_utf8);
    EXPECT_EQ(ShortenPathToWidth(std::string("/alpha/beta/file.txt"), FixedMetrics(), WidthOf("/.../beta/file.txt")),
              "/.../beta/file.txt");
}
