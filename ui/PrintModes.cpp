#include "ui/PrintModes.h"

#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "core/DebugLog.h"
#include "core/TextUtil.h"
#include "document/ZhdData.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "ui/MainControls.h"
#include "ui/PageScroller.h"
#include "ui/PrintAbort.h"

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QPrinter>
#include <QToolButton>

#include <cstdlib>

namespace {

constexpr double mm_per_inch = 25.4;

// How the two modes label the print toolbar.
struct TToolbarLabels {
    const char8_t* print_caption;
    const char8_t* print_hint;
    const char8_t* settings_caption;
    const char8_t* settings_hint;
};
constexpr TToolbarLabels print_mode_labels { u8"印刷実行(L)", u8"印刷を実行します．|", u8"プリンタ設定",
                                             u8"プリンタのプロパティを開きます．|" };
constexpr TToolbarLabels output_mode_labels { u8"出力実行(L)", u8"出力を実行します．|", u8"ファイル設定",
                                              u8"ファイルの設定を開きます．|" };

TOutputChoice CurrentOutputChoice(const TInfoREG& info)
{
    return { info.OutputSizeText, info.Dpi, info.Ext, info.Comp, info.PixelFormat };
}

} // namespace

std::optional<std::pair<double, double>> OutputPaperSize(const std::string& size_text)
{
    StringList fields;
    if (SplitText(size_text, fields, ",") < 1)
        return std::nullopt;
    // atof: leading blanks skipped, 0 when no number begins the field.
    const double width = std::atof(fields[0].c_str());
    const double height = fields.size() >= 2 ? std::atof(fields[1].c_str()) : width;
    return std::pair { width, height };
}

TPrintModes::TPrintModes(TMainWindowHost& host, QPrinter& printer, TLinks links)
    : TMainFeature(host)
    , printer_(printer)
    , links_(std::move(links))
{
}

void TPrintModes::PrintPush()
{
    TMainControls& c = host_.Controls();
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    const bool print_on = c.tbtn97Print->Down() || c.tbtn97ContPrint->Down();
    // With a frame mode on already, a cancelled dialog keeps the printer as
    // it was and print mode is set up with it.
    if (print_on && !DialogService().PrintDialog(&host_.Window(), printer_) && info.PrintPreview != 1) {
        c.tbtn97Print->SetDown(false);
        return;
    }
    if (print_on)
        EnterPrintMode();
    else
        LeaveFrameMode();
    c.tbMainPrint->setVisible(host_.State().CommandMode == FrameMode);
    FinishModeChange("PrintPush()");
}

void TPrintModes::EnterPrintMode()
{
    TMainControls& c = host_.Controls();
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    const bool continuous = c.tbtn97ContPrint->Down();
    c.ToolWindowContinuousPrint->setVisible(continuous);
    c.tbMPbtnPrint->setEnabled(!continuous);
    info.PrintPreview = 1;
    info.LineWidthDisplay = 1;
    info.FileOutput = 0;
    c.cbWidthView->setEnabled(false);
    TakePaperFromPrinter();
    ShowPrinterArea();
    ShowPrintToolbar(true);
    host_.State().CommandMode = FrameMode;
}

void TPrintModes::LeaveFrameMode()
{
    TMainControls& c = host_.Controls();
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    c.ToolWindowContinuousPrint->setVisible(false);
    info.PrintPreview = 0;
    info.LineWidthDisplay = c.cbWidthView->isChecked() ? 1 : 0;
    c.cbWidthView->setEnabled(true);
    host_.State().CommandMode = NoCommandMode;
}

void TPrintModes::OutputPush()
{
    TMainControls& c = host_.Controls();
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    if (c.tbtn97Output->Down() && !ChooseOutputSettings(info))
        return;
    if (c.tbtn97Output->Down()) {
        EnterOutputMode();
    } else {
        LeaveFrameMode();
        c.tbMainPrint->hide();
    }
    FinishModeChange("OutputPush()");
}

// False when the dialog was cancelled: a mode just being entered is not.
bool TPrintModes::ChooseOutputSettings(TInfoREG& info)
{
    WriteDebugLog("fmOutputSetting->ShowModal()");
    const TOutputChoice current = CurrentOutputChoice(info);
    const std::optional<TOutputChoice> chosen = links_.OutputSettings ? links_.OutputSettings(current) : current;
    if (!chosen) {
        if (info.PrintPreview == 1) {
            info.FileOutput = 1;
        } else {
            info.FileOutput = 0;
            host_.Controls().tbtn97Output->SetDown(false);
        }
        return false;
    }
    info.FileOutput = 1;
    info.OutputSizeText = chosen->SizeText;
    info.Dpi = chosen->Dpi;
    info.Ext = chosen->Ext;
    info.Comp = chosen->Comp;
    info.PixelFormat = chosen->PixelFormat;
    return true;
}

void TPrintModes::EnterOutputMode()
{
    TMainControls& c = host_.Controls();
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    c.tbMPbtnPrint->setEnabled(true);
    info.PrintPreview = 1;
    info.LineWidthDisplay = 1;
    c.cbWidthView->setEnabled(false);
    // An empty size text keeps the paper as it was.
    if (const auto paper = OutputPaperSize(info.OutputSizeText)) {
        info.PaperWidth = paper->first;
        info.PaperHeight = paper->second;
    }
    ShowPrinterArea();
    ShowPrintToolbar(false);
    c.tbMainPrint->show();
    host_.State().CommandMode = FrameMode;
}

void TPrintModes::FinishModeChange(const std::string& label)
{
    host_.State().CommandSubMode = 0;
    host_.Document()->GetInfoRegPtr().FrameFollow = 0;
    host_.Controls().ToolbarSubCommand->setFocus();
    host_.Redraw(label);
}

void TPrintModes::ShowPrintToolbar(bool print_mode)
{
    TMainControls& c = host_.Controls();
    const TToolbarLabels& labels = print_mode ? print_mode_labels : output_mode_labels;
    c.psMain->SetControl(c.tbMainPrint);
    c.tbMPbtnPrint->setText(QtText(labels.print_caption));
    ApplyHint(c.tbMPbtnPrint, QtText(labels.print_hint));
    c.tbMPbtnPrintSet->setText(QtText(labels.settings_caption));
    ApplyHint(c.tbMPbtnPrintSet, QtText(labels.settings_hint));
    c.tbMPbtnPrintInfo->setVisible(print_mode);
    if (links_.LabelPrintSettings)
        links_.LabelPrintSettings(print_mode);
    c.ToolbarSubCommand->ArrangeControls();
}

// The frame's paper is the printer's printable area.
void TPrintModes::TakePaperFromPrinter()
{
    const QRectF page = printer_.pageRect(QPrinter::DevicePixel);
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    info.PaperWidth = page.width() * (mm_per_inch / printer_.logicalDpiX());
    info.PaperHeight = page.height() * (mm_per_inch / printer_.logicalDpiY());
}

void TPrintModes::ShowPrinterArea()
{
    if (links_.ShowPrintZoom)
        links_.ShowPrintZoom(host_.Document()->GetHeadPtr().GetPrinterArea());
}

void TPrintModes::PrintMenuClick()
{
    TToolbarButton97* print = host_.Controls().tbtn97Print;
    print->SetDown(!print->Down());
    PrintPush();
}

void TPrintModes::PrintSetClick()
{
    TMainControls& c = host_.Controls();
    if (c.tbtn97Print->Down()) {
        // The set-up's answer does not matter: the printer is read again.
        DialogService().PageSetupDialog(&host_.Window(), printer_);
        if (host_.Document()->GetInfoRegPtr().PrintPreview != 0) {
            TakePaperFromPrinter();
            host_.Redraw("PrintSet()");
        }
    } else {
        WriteDebugLog("Output1-PrintSetClick()");
        OutputPush();
    }
    c.ToolbarSubCommand->setFocus();
}

// The dialog's run gives the keys back to the sub-command bar and redraws.
void TPrintModes::PrintSettingsClick()
{
    if (links_.PrintSettings)
        links_.PrintSettings();
}

void TPrintModes::JobClick()
{
    TMainControls& c = host_.Controls();
    if (host_.Document()->GetInfoRegPtr().FileOutput != 0) {
        if (links_.OutputImage)
            links_.OutputImage();
        return;
    }
    if (c.tbtn97ContPrint->Down())
        return;
    RunPrintJob();
    c.ToolbarSubCommand->setFocus();
}

void TPrintModes::RunPrintJob()
{
    TMainState& state = host_.State();
    TZhdData& document = *host_.Document();
    const QString caption = host_.Window().windowTitle();
    const TZhdHead head = document.GetHead();
    state.Busy = 1;
    state.PrintJobKind = 1;
    TfmPrintAbort& dialog = links_.ProgressDialog();
    dialog.Label1()->setText(QtText(u8"印刷中"));
    dialog.Label6()->setText(QStringLiteral("0 / 0"));
    dialog.Label7()->setText(QStringLiteral("0 / 0"));
    dialog.Label8()->setText(QtText(u8"印刷要素"));
    dialog.exec();
    const TJobOutcome outcome = dialog.Outcome();
    if (outcome == TJobOutcome::Aborted) {
        ShowMessage(&host_.Window(), QtText(AbortedJobMessage));
    } else if (outcome == TJobOutcome::PrinterFailed) {
        ShowMessage(&host_.Window(), printer_.printerName() + QtText(u8" に印刷できません．"),
                    QMessageBox::Warning);
    }
    // What a page-per-group job showed on the screen goes.
    if (outcome != TJobOutcome::Finished) {
        host_.Window().setWindowTitle(caption);
        document.SetHead(head);
    }
    state.Busy = 0;
}
