// Opening a drawing (from the command line, the Open dialog, the update
// button, a drop) and reading the CAD program's settings file.

#include "ui/MainForm.h"

#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/AsciiCase.h"
#include "platform/FileSystem.h"
#include "platform/ShiftJis.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/QtText.h"
#include "ui/PaintBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>

#include <algorithm>
#include <fstream>

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

int TForm1::FileOpen(const std::filesystem::path& path)
{
    if (!document_)
        return 0;
    DefaultPrintTitle = Utf8ToSjis(FolderWithSeparator(path) + "$$$" + Utf8Path(path.filename()));
    const TBusyCursor busy;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return 0;
    if (!HasExtensionIgnoringCase(path, ".zhd"))
        return 0;
    // The model names files in Shift-JIS; a name it cannot hold would open
    // another file or none.
    const std::string sjis_path = SjisPath(path);
    if (NativePath(sjis_path) != path) {
        ShowMessage(this, PathText(path) + QtText(u8" は名前を Shift-JIS で表せないため開けません．"),
                    QMessageBox::Warning);
        return 0;
    }
    QFile probe(PathText(path));
    if (!probe.open(QIODevice::ReadOnly)) {
        ShowMessage(this, PathText(path) + QtText(u8" を開けません．"), QMessageBox::Warning);
        return 0;
    }
    probe.close();
    std::filesystem::current_path(path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path(),
                                  error);

    TInfoREG& info = document_->GetInfoRegPtr();
    info.SetViewKeepPrevious(TZhdZoom(0.0));
    SearchCandidates.clear();
    document_->GetElemListPtr().Clear();
    const TLoadResult loaded = document_->LoadFromFile(sjis_path);
    info.SetBairitsu(0, 0, *document_);
    TZhdZoom range = document_->GetHead().GetRangeMemoryView();
    range.SetScale(range.GetScale() / info.FitFactor);
    info.SetViewKeepPrevious(range);
    info.SetMouseScreen(TBPoint(CursorPoint.x(), CursorPoint.y()));
    const int background = cbTransparent->isChecked() ? 0xFFFFFF : 0x000000;
    document_->GetPenMapPtr()["B"] = TZhdPen(background, 1);
    cbColorPrint->setChecked(info.ColorPrint != 0);
    miFinalMoji->setChecked(info.FinalMoji != 0);
    if (info.EdgeMoji >= 0 && info.EdgeMoji <= 2) {
        miEdgeMoji->setChecked(info.EdgeMoji == 1);
        miEdgeMoji2->setChecked(info.EdgeMoji == 2);
    }
    CanvasDraw(*document_, "FileOpen()");
    Panel1->setText(SjisText(info.GetStatusText()));
    UpdateStatusButtons(6);
    TZhdZoom saved = document_->GetHead().GetSavedView();
    saved.SetScale(saved.GetScale() / info.FitFactor);
    info.SetPrevView(saved);
    setWindowTitle(WindowTitle + " - " + PathText(path) + QtText(u8" (データバージョン：")
                   + QString::number(document_->GetVersion() * 0.01, 'f', 2) + ")");
    CurrentDrawingPath = Utf8Path(path);
    PrintTitle = DefaultPrintTitle;
    UpdateStatusButtons(0);
    info.LoadReferenceFile(sjis_path);
    if (loaded.status != TLoadStatus::Loaded) {
        // What could be read is shown; the user learns that it is not all.
        ShowMessage(this, PathText(path) + QtText(u8" は途中までしか読めませんでした．"), QMessageBox::Warning);
    }
    return 1;
}

void TForm1::Open1Click()
{
    QString folder;
    if (!CurrentDrawingPath.empty())
        folder = PathText(PathFromUtf8(CurrentDrawingPath)
                              .parent_path());
    const QString chosen = DialogService().OpenFileName(this, QtText(u8"開く"), folder, QStringLiteral("zhd (*.zhd)"));
    if (!chosen.isEmpty()) {
            FileOpen(PathFromText(chosen));
    }
    ToolbarSubCommand->setFocus();
}

void TForm1::tbtn97UpdateClick()
{
    if (CurrentDrawingPath.empty())
        return;
    FileOpen(PathFromUtf8(CurrentDrawingPath));
}

void TForm1::tbtn97ZHFClick()
{
    if (!document_)
        return;
    QString folder;
    const std::string& current = document_->GetInfoRegPtr().SettingsFilePath;
    if (!current.empty())
        folder = PathText(NativePath(current).parent_path());
    const QString chosen = DialogService().OpenFileName(this, QtText(u8"開く"), folder, QStringLiteral("zhf (*.zhf)"));
    if (!chosen.isEmpty()) {
            ReadCadSettingsFile(PathFromText(chosen));
    }
    ToolbarSubCommand->setFocus();
}

int TForm1::ReadCadSettingsFile(const std::filesystem::path& path)
{
    if (!document_)
        return 0;
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return 0;
    if (!HasExtensionIgnoringCase(path, ".zhf"))
        return 0;
    TInfoREG& info = document_->GetInfoRegPtr();
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
    tbtn97ZHF->SetHint(QtText(u8"環境設定ファイル：") + SjisText(info.SettingsFilePath)
                       + QtText(u8"\n文字参照ファイル：") + SjisText(info.ReferenceFileName)
                       + "|");
    info.LoadReferenceFile(Utf8ToSjis(CurrentDrawingPath));
    return 1;
}
