// Opening a drawing (from the command line, the Open dialog, the update
// button, a drop) and reading the CAD program's settings file.

#include "ui/DrawingOpener.h"

#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "document/ZhdData.h"
#include "platform/AsciiCase.h"
#include "platform/FileNameComponent.h"
#include "platform/FileSystem.h"
#include "platform/ShiftJis.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/IniFile.h"
#include "platform/ui/QtText.h"
#include "ui/MainControls.h"
#include "ui/StatusButtons.h"
#include "ui/ViewChange.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMainWindow>

namespace {

// The busy cursor for one operation, restored however it ends.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The folder with its separator, as the print title keeps it.
std::string FolderWithSeparator(const std::filesystem::path& path)
{
    std::string folder = Utf8Path(path.parent_path());
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

TDrawingOpener::TDrawingOpener(TMainWindowHost& host, TStatusButtons& status_buttons)
    : TMainFeature(host)
    , status_buttons_(status_buttons)
{
}

void TDrawingOpener::ReportCannotOpen(const std::filesystem::path& path)
{
    ShowMessage(&host_.Window(), PathText(path) + QtText(u8" を開けません．"), QMessageBox::Warning);
}

int TDrawingOpener::FileOpen(const std::filesystem::path& path, TMissingFile missing)
{
    if (!host_.Document())
        return 0;
    default_print_title_ = Utf8ToSjis(FolderWithSeparator(path) + "$$$" + Utf8Path(path.filename()));
    const TBusyCursor busy;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        if (missing == TMissingFile::Reported)
            ReportCannotOpen(path);
        return 0;
    }
    if (!HasExtensionIgnoringCase(path, ".zhd"))
        return 0;
    // The model names files in Shift-JIS; a name it cannot hold would open
    // another file or none.
    const std::string sjis_path = SjisPath(path);
    if (NativePath(sjis_path) != path) {
        ShowMessage(&host_.Window(), PathText(path) + QtText(u8" は名前を Shift-JIS で表せないため開けません．"),
                    QMessageBox::Warning);
        return 0;
    }
    QFile probe(PathText(path));
    if (!probe.open(QIODevice::ReadOnly)) {
        ReportCannotOpen(path);
        return 0;
    }
    probe.close();
    std::filesystem::current_path(path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path(),
                                  error);
    ShowOpenedDrawing(path);
    return 1;
}

void TDrawingOpener::ShowOpenedDrawing(const std::filesystem::path& path)
{
    TZhdData& document = *host_.Document();
    TMainControls& c = host_.Controls();
    const std::string sjis_path = SjisPath(path);
    TInfoREG& info = document.GetInfoRegPtr();
    ++host_.State().DrawingSerial;
    info.SetViewKeepPrevious(TZhdZoom(0.0));
    if (empty_candidates_)
        empty_candidates_();
    document.GetElemListPtr().Clear();
    const TLoadResult loaded = document.LoadFromFile(sjis_path);
    info.SetBairitsu(0, 0, document);
    InstallView(info, ViewFromHeader(info, document.GetHead().GetRangeMemoryView()));
    const QPoint cursor = host_.State().CursorPoint;
    info.SetMouseScreen(TBPoint(cursor.x(), cursor.y()));
    c.cbColorPrint->setChecked(info.ColorPrint != 0);
    // The background pen and the text marks come with the view options.
    if (drawing_loaded_)
        drawing_loaded_();
    host_.Redraw("FileOpen()");
    c.Panel1->setText(SjisText(info.GetStatusText()));
    status_buttons_.UpdateStatusButtons(6);
    info.SetPrevView(ViewFromHeader(info, document.GetHead().GetSavedView()));
    host_.Window().setWindowTitle(host_.State().WindowTitle + " - " + PathText(path)
                                  + QtText(u8" (データバージョン：")
                                  + QString::number(document.GetVersion() * 0.01, 'f', 2) + ")");
    current_drawing_path_ = Utf8Path(path);
    RestoreDefaultPrintTitle();
    if (paint_bars_)
        paint_bars_();
    status_buttons_.UpdateStatusButtons(0);
    info.LoadReferenceFile(sjis_path);
    if (narrow_again_)
        narrow_again_();
    if (loaded.status != TLoadStatus::Loaded) {
        // What could be read is shown; the user learns that it is not all.
        ShowMessage(&host_.Window(), PathText(path) + QtText(u8" は途中までしか読めませんでした．"),
                    QMessageBox::Warning);
    }
}

void TDrawingOpener::SetPrintTitleFromText(std::string_view sjis_text)
{
    const std::string component = FileNameComponentOf(sjis_text);
    if (component.empty() || current_drawing_path_.empty()) {
        RestoreDefaultPrintTitle();
        return;
    }
    print_title_ = Utf8ToSjis(FolderWithSeparator(PathFromUtf8(current_drawing_path_))) + component;
}

void TDrawingOpener::OpenCommandLine(const std::string& argument)
{
    std::filesystem::path path = PathFromUtf8(argument);
    if (EqualsIgnoringAsciiCase(path.filename().string(), "zhc_temp.txt")) {
        // The CAD program's external-command data names the drawing.
        TZhdData data_file;
        (void)data_file.LoadZhcText(SjisPath(path));
        const std::string named = data_file.GetHead().GetFileName();
        if (named.empty()) {
            // A data file that cannot be read names no drawing.
            ReportCannotOpen(path);
            return;
        }
        path = NativePath(named);
    }
    FileOpen(path, TMissingFile::Reported);
}

std::filesystem::path TDrawingOpener::AskForFile(const std::filesystem::path& folder, const char* filter)
{
    const QString chosen =
        DialogService().OpenFileName(&host_.Window(), QtText(u8"開く"), PathText(folder), QString::fromLatin1(filter));
    return chosen.isEmpty() ? std::filesystem::path() : PathFromText(chosen);
}

void TDrawingOpener::ChooseAndOpen()
{
    std::filesystem::path folder;
    if (!current_drawing_path_.empty())
        folder = PathFromUtf8(current_drawing_path_).parent_path();
    const std::filesystem::path chosen = AskForFile(folder, "zhd (*.zhd)");
    if (!chosen.empty())
        FileOpen(chosen);
    host_.Controls().ToolbarSubCommand->setFocus();
}

void TDrawingOpener::Reopen()
{
    if (current_drawing_path_.empty())
        return;
    FileOpen(PathFromUtf8(current_drawing_path_));
}

void TDrawingOpener::ChooseCadSettingsFile()
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    std::filesystem::path folder;
    const std::string& current = document->GetInfoRegPtr().SettingsFilePath;
    if (!current.empty())
        folder = NativePath(current).parent_path();
    const std::filesystem::path chosen = AskForFile(folder, "zhf (*.zhf)");
    if (!chosen.empty())
        ReadCadSettingsFile(chosen);
    host_.Controls().ToolbarSubCommand->setFocus();
}

int TDrawingOpener::ReadCadSettingsFile(const std::filesystem::path& path)
{
    TZhdData* document = host_.Document();
    if (!document)
        return 0;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return 0;
    if (!HasExtensionIgnoringCase(path, ".zhf"))
        return 0;
    TInfoREG& info = document->GetInfoRegPtr();
    info.SettingsFilePath = SjisPath(path);
    // A file that cannot be read counts as empty: nothing is found.
    const TFileBytes file = ReadWholeFile(path);
    const std::string_view text = file.Text();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        if (line.substr(0, 3) == "END")
            break;
        if (line.substr(0, 9) == "REF_FILE=") {
            info.ReferenceFileName = std::string(line.substr(9));
            break;
        }
    }
    host_.Controls().tbtn97ZHF->SetHint(QtText(u8"環境設定ファイル：") + SjisText(info.SettingsFilePath)
                                        + QtText(u8"\n文字参照ファイル：") + SjisText(info.ReferenceFileName)
                                        + "|");
    info.LoadReferenceFile(Utf8ToSjis(current_drawing_path_));
    return 1;
}

std::vector<TSettingsBlock> TDrawingOpener::SettingsBlocks()
{
    return { { TSettingsPart::Files, [this](const TIniFile& file) { LoadFiles(file); },
               [this](TIniFile& file) { SaveFiles(file); } } };
}

void TDrawingOpener::LoadFiles(const TIniFile& file)
{
    host_.Document()->GetInfoRegPtr().SettingsFilePath = Utf8ToSjis(file.ReadString("Files", "Zhf", ""));
    current_drawing_path_ = file.ReadString("Files", "Edit", "");
}

void TDrawingOpener::SaveFiles(TIniFile& file) const
{
    const TInfoREG& info = host_.Document()->GetInfoRegPtr();
    WriteQuotedText(file, "Files", "Zhf", SjisToUtf8(info.SettingsFilePath));
    WriteQuotedText(file, "Files", "Ref", SjisToUtf8(info.ReferenceFileName));
    WriteQuotedText(file, "Files", "Edit", current_drawing_path_);
}
