#include "ui/ZuhenBatchFile.h"

#include "document/TextForm.h"
#include "platform/FileSystem.h"
#include "platform/ShiftJis.h"

namespace {

// The program folder as line 3 writes it: without a trailing separator
// (a root keeps its own), every "%" doubled.
std::string FolderText(std::string folder)
{
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')
           && !(folder.size() == 3 && folder[1] == ':'))
        folder.pop_back();
    std::string doubled;
    for (const char c : folder) {
        doubled += c;
        if (c == '%')
            doubled += '%';
    }
    return doubled;
}

} // namespace

std::vector<std::string> ZuhenBatchLines(const std::string& program_folder)
{
    return {
        sj(u8"@rem Zuview Zuhen Data の印刷"),
        "@echo off",
        "set path=\"" + FolderText(program_folder) + "\";%path%",
        "rem",
        "goto prg-%1",
        "rem",
        ":prg-1",
        "start /wait Zuview.exe zhc_temp.txt %1 %2 %3 %4 %5 %6 %7 %8 %9",
        "goto end",
        sj(u8"rem         ◎ＺＵＨＥＮ用外部プログラムの宣言"),
        "rem #zhd",
        "rem #cd",
        "rem",
        sj(u8"rem #hc Zuhen Data の印刷 【 上書き保存はしましたか？ 】"),
        sj(u8"rem #hm Zuhen Data の印刷 |① 印刷(L)|"),
        "rem",
        "rem #:1",
        sj(u8"rem     #hf          #編集中のファイル名の書き出し"),
        sj(u8"rem     #h0          #データ選択をしない"),
        sj(u8"rem     #hc 【 上書き保存はしましたか？ 】"),
        "rem #e",
        "rem",
        ":end",
        sj(u8"echo h#完了！ > temp.txt"),
        ":copy zhc_temp.txt zhc_temp._x_",
        "del zhc_temp.txt",
        ":copy temp.txt temp._x_",
        "rename temp.txt zhc_temp.txt",
        ":pause",
    };
}

std::filesystem::path BatchFileName(const std::filesystem::path& chosen)
{
    std::filesystem::path file = chosen;
    file.replace_extension(".bat");
    return file;
}

TBatchWriteResult WriteZuhenBatchFile(const std::filesystem::path& file, const std::filesystem::path& program_folder)
{
    const std::string folder = SjisPath(program_folder);
    if (NativePath(folder) != program_folder)
        return TBatchWriteResult::FolderNotShiftJis;
    return WriteWholeFile(file, JoinTextFormLines(ZuhenBatchLines(folder))) == TSaveStatus::Saved
        ? TBatchWriteResult::Written
        : TBatchWriteResult::NotWritable;
}
