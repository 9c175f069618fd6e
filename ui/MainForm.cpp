// The main window's life cycle: creation, the first showing with the
// settings and the command line, closing, drops; and the handlers that
// call into the features.

#include "ui/MainForm.h"

#include "controls/HistoryComboBox.h"
#include "controls/NumberEdit.h"
#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "controls/ToolbarPositions.h"
#include "core/Angle.h"
#include "core/DebugLog.h"
#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "platform/ImagePlugin.h"
#include "platform/ShiftJis.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/IniFile.h"
#include "platform/ui/QtText.h"
#include "ui/AboutBox.h"
#include "ui/ClockMenu.h"
#include "ui/AttributeDisplay.h"
#include "ui/CommandModes.h"
#include "ui/DrawingOpener.h"
#include "ui/GroupLayer.h"
#include "ui/GroupLayerBars.h"
#include "ui/ImageColourPick.h"
#include "ui/MainSettings.h"
#include "ui/MeasuringCommands.h"
#include "ui/ModeClicks.h"
#include "ui/MouseGestures.h"
#include "ui/PaintBox.h"
#include "ui/PointingServices.h"
#include "print/PrintJob.h"
#include "print/PrinterFacts.h"
#include "print/PrinterPort.h"
#include "print/PrinterReport.h"
#include "print/QtPrinterDevice.h"
#include "ui/Information.h"
#include "ui/PrintFrame.h"
#include "ui/PrintModes.h"
#include "ui/PrintSetting.h"
#include "ui/SearchBar.h"
#include "ui/ProgramVersion.h"
#include "ui/StatusButtons.h"
#include "ui/ViewNavigation.h"
#include "ui/ViewOptions.h"
#include "ui/TipBox.h"
#include "ui/ViewRedraw.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

TForm1::TForm1(std::vector<std::string> arguments, QWidget* parent)
    : QMainWindow(parent)
    , arguments_(std::move(arguments))
    , document_(std::make_unique<TZhdData>())
{
    BuildControls();
    BuildFeatures();
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
    FormDestroy();
}

// Each feature after those it is given; the settings walk the ones with
// keys of the settings file.
void TForm1::BuildFeatures()
{
    status_buttons_ = std::make_unique<TStatusButtons>(*this);
    view_ = std::make_unique<TViewRedraw>(*this, *status_buttons_);
    view_options_ = std::make_unique<TViewOptions>(*this);
    opener_ = std::make_unique<TDrawingOpener>(*this, *status_buttons_);
    modes_ = std::make_unique<TCommandModes>(
        *this, [this](TToolbarButton97* sender) { Print1Push(sender); },
        [this](TToolbarButton97* sender) { Output1Push(sender); });
    clock_menu_ = std::make_unique<TClockMenu>(*this, *view_);
    navigation_ = std::make_unique<TViewNavigation>(*this, *view_, *status_buttons_);
    tip_box_ = std::make_unique<TTipBox>(*this, *view_);
    pointing_ = std::make_unique<TPointingServices>(*this);
    attribute_display_ = std::make_unique<TAttributeDisplay>(*this, *status_buttons_, *tip_box_);
    measuring_ = std::make_unique<TMeasuringCommands>(*this, *clock_menu_, *pointing_, *tip_box_, *status_buttons_,
                                                      [this] { hcbPrintAngleExit(); });
    mode_clicks_ = std::make_unique<TModeClicks>(*this, *pointing_, *tip_box_);
    gestures_ = std::make_unique<TMouseGestures>(
        *this, TMouseGestures::TFeatures { *view_, *status_buttons_, *clock_menu_, *tip_box_, *measuring_, *mode_clicks_ });
    image_colour_ = std::make_unique<TImageColourPick>(*this, *tip_box_, *gestures_,
                                                       [this] { return forms_.color_box; });
    mode_clicks_->ImageColourClick = [this](TMouseRelease& release) { image_colour_->Click(release); };
    group_layer_bars_ = std::make_unique<TGroupLayerBars>(
        *this, *status_buttons_,
        TGroupLayerBars::TActions { [this](double factor) { return WaitDoubleClick(factor); },
                                    [this] { NarrowCandidates(); },
                                    [this](int p, const TZhdHead& head) {
                                        PrepareGroupLayerDialog(p, head);
                                        TfmGroupLayer& dialog = GroupLayerDialog();
                                        dialog.exec();
                                        return dialog.ResultHeader();
                                    } });
    opener_->SetBarsPainter([this] {
        for (const int kind : { GroupKind, LayerKind }) {
            // Index -1 repaints the whole bar, every button with it.
            PaintGroupLayerButtons(*document_, kind, -1);
        }
    });
    // The print frame: its toolbar, its clicks and its place in a drawing
    // just opened.
    print_frame_ = std::make_unique<TPrintFrame>(
        *this, *pointing_, *tip_box_,
        TPrintFrame::TActions { [this] { Print1Click(); }, [this] { return forms_.print_origin; },
                                [this] { return forms_.input_box; } });
    mode_clicks_->FrameClick = [this](TMouseRelease& release) { print_frame_->Click(release); };
    opener_->SetDrawingLoaded([this] {
        ShowPrintZoom(document_->GetHeadPtr().GetPrinterArea(), *document_);
        view_options_->DrawingLoaded();
    });
    search_bar_ = std::make_unique<TSearchBar>(*this, *tip_box_, *pointing_, *opener_);
    gestures_->SetCandidateBoxActions(search_bar_->CandidateBoxActions());
    opener_->SetCandidateHooks([this] { search_bar_->EmptyCandidates(); },
                               [this] { search_bar_->NarrowAgainIfNarrowing(); });
    settings_ = std::make_unique<TMainSettings>(
        *this, std::vector<TMainFeature*> { status_buttons_.get(), opener_.get(), view_options_.get(),
                                            search_bar_.get() });
    // What a tip or the clock menu took away with the picture comes back.
    tip_box_->SetCrossHairRedraw([this] { gestures_->DrawCrossHairAt(-1, -1); });
    // Print and output modes and the print job. The print frame's feature
    // shows the printer area in the toolbar (ShowPrintZoom); the output and
    // print settings dialogs and the image output are linked as they come.
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    working_copy_ = std::make_unique<TZhdData>();
    print_job_links_.DrawingPath = [this] { return opener_->CurrentDrawingPath(); };
    print_job_links_.PrintTitle = [this] { return opener_->PrintTitle(); };
    print_job_links_.Printer.Name = [this] { return printer_->printerName(); };
    print_job_links_.Printer.Port = [this] { return PrinterPort(*printer_); };
    TPrintModes::TLinks print_links;
    print_links.ProgressDialog = [this]() -> TfmPrintAbort& {
        // Linked afresh for each job, never while one runs.
        TfmPrintAbort& dialog = PrintAbortDialog();
        TPrintAbortLinks links = print_job_links_;
        links.Displayed = document_.get();
        links.WorkingCopy = working_copy_.get();
        links.JobKind = &state_.PrintJobKind;
        dialog.SetLinks(std::move(links));
        return dialog;
    };
    print_links.ShowPrintZoom = [this](const TZhdZoomF& area) { ShowPrintZoom(area, *document_); };
    print_links.PrintSettings = [this] { RunPrintSettingDialog(); };
    print_links.LabelPrintSettings = [this](bool print_mode) { PrintSettingDialog().Prepare(print_mode); };
    print_modes_ = std::make_unique<TPrintModes>(*this, *printer_, std::move(print_links));
    LinkPrintJob();
    clock_menu_->SetViewOverlays({ [this](TCanvas& canvas) { tip_box_->DrawPaperFrame(canvas); },
                                   [this](TCanvas& canvas) {
                                       TInfoREG& info = document_->GetInfoRegPtr();
                                       info.DrawCrossHair(canvas, info.GetMouseWorld(), *document_);
                                   } });
}

// The progress dialog runs the page loop on the window's printer.
void TForm1::LinkPrintJob()
{
    printer_device_ = std::make_unique<TQtPrinterDevice>(*printer_);
    print_job_links_.Printer.BeginDocument = [this](const QString& title) {
        return printer_device_->BeginDoc(Utf8ToSjis(title.toStdString()));
    };
    print_job_links_.Printer.EndDocument = [this] { return printer_device_->EndDoc(); };
    print_job_links_.Print = [this](TZhdData& working_copy) {
        TPrintJobHost job_host;
        job_host.displayed = document_.get();
        job_host.redraw = [this] { Redraw("Continuation()"); };
        job_host.caption = [this] { return Utf8ToSjis(windowTitle().toStdString()); };
        job_host.set_caption = [this](const std::string& caption) { setWindowTitle(SjisText(caption)); };
        job_host.window_title = Utf8ToSjis(state_.WindowTitle.toStdString());
        job_host.drawing_path = SjisPath(PathFromUtf8(opener_->CurrentDrawingPath()));
        job_host.process_messages = [] { QApplication::processEvents(); };
        job_host.restore_focus = [this] { ToolbarSubCommand->setFocus(); };
        const TPrintJobResult result = Continuation(working_copy, *printer_device_, job_host);
        return result == TPrintJobResult::PrinterFailed ? TJobResult::PrinterFailed : TJobResult::Done;
    };
}

void TForm1::tbMPbtnPrintInfoClick()
{
    if (!document_)
        return;
    TfmInformation* information = &GivenOrOwnForm(forms_.information, own_information_, this);
    const StringList lines = BuildPrinterInfo(Utf8ToSjis(state_.WindowTitle.toStdString()), document_->GetHeadPtr(),
                                              PrinterFactsOf(*printer_));
    QStringList texts;
    for (const std::string& line : lines)
        texts.push_back(SjisText(line));
    // A line with line breaks inside is several lines of the memo.
    information->Memo1()->setPlainText(texts.join(QLatin1Char('\n')).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    information->setWindowModality(Qt::ApplicationModal);
    information->show();
}

std::filesystem::path TForm1::SettingsPath()
{
    return ConfigFolder() / "Zuview.ini";
}

std::filesystem::path TForm1::ProgramFolder()
{
    return ExecutableFolder();
}

void TForm1::FormCreate()
{
    WriteDebugLog("<FormCreate>");
    state_.RestStopwatch.Restart();
    state_.WindowTitle = QtText(ProgramCaption);
    setWindowTitle(state_.WindowTitle);
    // The cross-hair stands for the mouse over the drawing.
    PaintBox1->setCursor(Qt::BlankCursor);
    TInfoREG& info = document_->GetInfoRegPtr();
    info.MojiWaku = 0;
    info.EmbedMoji = 0;
    neTrace->setEnabled(false);
    cbTrace->setEnabled(false);
    ProgramImagePlugins();
    for (QToolButton* button : { btnContPrtExec, btnContPrtAdd2, btnContPrtDel, btnContPrtAll, btnContPrtCheck,
                                 btnContPrtMerge, btnContPrtMergeClear, btnContPrtUp, btnContPrtDown, btnContPrtCopy,
                                 btnContPrtPaste, btnContPrtPaste2, btnContPrtSave })
        button->setEnabled(false);
    state_.SavedStatusText = StatusBar1->currentMessage();
    tbMainPrint->hide();
    tbMPbtnOrigin->setText(SjisText(LookUp(SharedDefine().BasePointNames, 0)));
    cbPrintBai->setCurrentIndex(2);
    hcbPrintAngle->setCurrentIndex(0);
    cbColorPrint->setChecked(info.ColorPrint != 0);
    ApplyHint(Label5, QtText(u8"線種の出力ピッチの調整をします．\n([基本設定]→[線種]→[出力ピッチ])÷値が1dotのピッチ(mm)"
                        u8"になります．\n値が大きい程細かくなります．|"));
    clock_menu_->LoadClockFaces(ProgramFolder());
    // The hook sees the main window's mouse events before its controls.
    qApp->installEventFilter(gestures_.get());
    // The group and layer windows are made lower before their saved
    // places are restored: a saved client height already had it, and made
    // lower again at every start it would shrink away.
    if (ToolWindowGroup->Visible()) {
        WriteDebugLog("<ToolWindowGroup Initialize>");
        MakeClientLower(ToolWindowGroup);
    }
    if (ToolWindowLayer->Visible()) {
        WriteDebugLog("<ToolWindowLayer Initialize>");
        MakeClientLower(ToolWindowLayer);
    }
    // Their first shape now, before the window shows: a shape taken later
    // would move the docks under a drawing already drawn.
    ToolWindowGroupResize();
    ToolWindowLayerResize();
    const std::filesystem::path settings = SettingsPath();
    if (std::filesystem::exists(settings)) {
        WriteDebugLog("/**/");
        IniLoadToolbarPositions(this, settings, QString());
        WriteDebugLog("/**/");
    }
    if (!tbtn97ContPrint->Down())
        ToolWindowContinuousPrint->setVisible(false);
    WriteDebugLog("</FormCreate>");
}

void TForm1::MakeClientLower(TToolWindow97* window)
{
    window->SetClientAreaHeight(window->ClientAreaHeight() - 2);
}

void TForm1::FormShow()
{
    WriteDebugLog("<FormShow>");
    Label4->setText(QString());
    LoadSettings(SettingsPath());
    view_options_->SettingsLoaded();
    ToolbarSubCommand->setFocus();
    state_.SearchFocusFlag = false;
    TInfoREG& info = document_->GetInfoRegPtr();
    if (!info.SettingsFilePath.empty())
        ReadCadSettingsFile(NativePath(info.SettingsFilePath));
    if (!view_->Initialised())
        Initialize();
    if (hcbPrintAngle->count() == 0) {
        hcbPrintAngle->addItems({ QStringLiteral("0-0-0.00"), QStringLiteral("90-0-0.00") });
        hcbPrintAngle->setCurrentIndex(0);
    }
    TAngle angle;
    angle.SetFromText(Utf8ToSjis(hcbPrintAngle->currentText().toStdString()));
    info.PrintAngle = angle.GetRadians();
    setAcceptDrops(true);
    if (!arguments_.empty()) {
        QApplication::processEvents();
        opener_->OpenCommandLine(arguments_[0]);
    }
    WriteDebugLog("</FormShow>");
}

void TForm1::FormClose()
{
    WriteDebugLog("<FormClose>");
    try {
        SaveSettings(SettingsPath());
    } catch (const TIniWriteError& error) {
        ShowMessage(this, QString::fromUtf8(error.what()), QMessageBox::Warning);
    }
    view_->Close();
    closed_ = true;
    document_.reset();
    WriteDebugLog("</FormClose>");
}

void TForm1::FormDestroy()
{
    WriteDebugLog("<FormDestroy>");
    try {
        IniSaveToolbarPositions(this, SettingsPath(), QString());
    } catch (const std::exception& error) {
        ShowMessage(this, QString::fromUtf8(error.what()), QMessageBox::Warning);
    }
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::DropFiles(const QList<QUrl>& urls)
{
    const auto local = std::find_if(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
    if (local == urls.end())
        return;
    const std::filesystem::path path = PathFromText(local->toLocalFile());
    QApplication::processEvents();
    FileOpen(path);
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!closed_)
        FormClose();
    event->accept();
    emit Closed();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    DropFiles(event->mimeData()->urls());
}

// --- The settings file ---

void TForm1::LoadSettings(const std::filesystem::path& path)
{
    settings_->LoadSettings(path);
}

void TForm1::SaveSettings(const std::filesystem::path& path)
{
    settings_->SaveSettings(path);
}

// --- Opening drawings ---

int TForm1::FileOpen(const std::filesystem::path& path)
{
    return opener_->FileOpen(path);
}

void TForm1::Open1Click()
{
    opener_->ChooseAndOpen();
}

void TForm1::tbtn97UpdateClick()
{
    opener_->Reopen();
}

void TForm1::tbtn97ZHFClick()
{
    opener_->ChooseCadSettingsFile();
}

int TForm1::ReadCadSettingsFile(const std::filesystem::path& path)
{
    return opener_->ReadCadSettingsFile(path);
}

// --- The view ---

void TForm1::Initialize()
{
    view_->Initialize();
    view_options_->ShowOrders();
}

void TForm1::CanvasDraw(TZhdData& document, const std::string& label)
{
    view_->CanvasDraw(document, label);
}

void TForm1::Redraw(const std::string& label)
{
    if (document_)
        view_->CanvasDraw(*document_, label);
}

void TForm1::ShowStatusLine(const std::string& text, const std::string& label)
{
    view_->ShowStatusLine(text, label);
}

void TForm1::UpdateStatusButtons(int kind)
{
    status_buttons_->UpdateStatusButtons(kind);
}

void TForm1::PaintBox1Paint()
{
    view_->Paint();
}

void TForm1::FormResize()
{
    if (view_)
        view_->Resized();
}

void TForm1::DockBottomMouseMove()
{
    state_.MouseOverDrawing = false;
}

void TForm1::ToolbarPanel3Resize()
{
    status_buttons_->FitPanel();
}

void TForm1::sbtnUnitClick()
{
    status_buttons_->NextDisplayUnit();
}

// --- Wheel and keys ---

bool TForm1::FormMouseWheel(QWheelEvent* event)
{
    return navigation_->Wheel(event->angleDelta().y());
}

void TForm1::FormMouseWheelDown(Qt::KeyboardModifiers, const QPoint&, bool& handled)
{
    navigation_->FormMouseWheelDown(handled);
}

void TForm1::FormMouseWheelUp(Qt::KeyboardModifiers, const QPoint&, bool& handled)
{
    navigation_->FormMouseWheelUp(handled);
}

bool TForm1::FormKeyDown(QKeyEvent* event)
{
    search_bar_->DialogKey(event->key());
    return navigation_->FormKeyDown(event->key());
}

// --- Over the drawing ---

void TForm1::ShowTip(const std::string& text, int x, int y, int keep)
{
    tip_box_->ShowTip(text, x, y, keep != 0);
}

int TForm1::PickNearestElement(int x, int y, TBPoint& point, int tolerance)
{
    return pointing_->PickNearestElement(x, y, point, tolerance);
}

int TForm1::SnapToFramePoint(int x, int y, TBPoint& point, int tolerance)
{
    return pointing_->SnapToFramePoint(x, y, point, tolerance);
}

void TForm1::DrawMarker(int x, int y, int show, int not_xor)
{
    pointing_->DrawMarker(x, y, show != 0, not_xor != 0);
}

int TForm1::DrawPickedPoints()
{
    return pointing_->DrawPickedPoints();
}

void TForm1::Timer1Timer()
{
    attribute_display_->Timer1Timer();
}

// --- The mouse on the drawing ---

void TForm1::PaintBox1MouseDown(TReleasedButton button, int x, int y)
{
    gestures_->PaintBox1MouseDown(button, x, y);
}

void TForm1::PaintBox1MouseMove(int x, int y)
{
    gestures_->PaintBox1MouseMove(x, y);
}

void TForm1::PaintBox1MouseUp(TReleasedButton button, int x, int y)
{
    gestures_->PaintBox1MouseUp(button, x, y);
}

int TForm1::WaitDoubleClick(double factor)
{
    return gestures_->WaitDoubleClick(factor);
}

void TForm1::DrawCrossHairAt(int x, int y)
{
    gestures_->DrawCrossHairAt(x, y);
}

// --- The group and layer bars ---

void TForm1::PaintGroupLayerButtons(TZhdData& document, int kind, int index)
{
    group_layer_bars_->PaintGroupLayerButtons(document, kind, index);
}

void TForm1::BuildGroupLayerGlyphs(int g)
{
    group_layer_bars_->BuildGroupLayerGlyphs(g);
}

void TForm1::SetGroupLayerButtonDown(int kind, int index)
{
    group_layer_bars_->SetGroupLayerButtonDown(kind, index);
}

int TForm1::GetButtonSlot(int kind, int tag) const
{
    return group_layer_bars_->GetButtonSlot(kind, tag);
}

void TForm1::ToolWindowGroupResize()
{
    group_layer_bars_->ToolWindowResize(GroupKind);
}

void TForm1::ToolWindowLayerResize()
{
    group_layer_bars_->ToolWindowResize(LayerKind);
}

void TForm1::tbG0MouseDown(QToolButton* sender, int x, int y)
{
    group_layer_bars_->ButtonMouseDown(sender, x, y);
}

void TForm1::tbG0MouseMove(QToolButton* sender, int x, int y)
{
    group_layer_bars_->ButtonMouseMove(sender, x, y);
}

void TForm1::tbG0MouseUp(QToolButton* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    group_layer_bars_->ButtonMouseUp(sender, button, shift, x, y);
}

void TForm1::tbG0Click()
{
    group_layer_bars_->ButtonClick();
}

void TForm1::tbGAllClick()
{
    group_layer_bars_->AllClick(GroupKind);
}

void TForm1::tbLAllClick()
{
    group_layer_bars_->AllClick(LayerKind);
}

void TForm1::tbGSpClick()
{
    group_layer_bars_->FlipClick();
}

void TForm1::tbLSpClick()
{
    group_layer_bars_->GroupWindowClick();
}

TfmGroupLayer& TForm1::GroupLayerDialog()
{
    return GivenOrOwnForm(forms_.group_layer, own_group_layer_, this);
}

void TForm1::PrepareGroupLayerDialog(int p, const TZhdHead& head)
{
    GroupLayerDialog().Prepare(p, head, *this, *group_layer_bars_);
}

// --- The print settings dialog ---

TfmPrintSetting& TForm1::PrintSettingDialog()
{
    return GivenOrOwnForm(forms_.print_setting, own_print_setting_, this);
}

void TForm1::RunPrintSettingDialog()
{
    if (!document_)
        return;
    const QCheckBox* color_print = cbColorPrint;
    PrintSettingDialog().Run(document_->GetInfoRegPtr(), settings_->PenScalingPresets(),
                             [color_print] { return color_print->isChecked(); }, tbMPbtnPrintSet2);
    // The window may have closed while the dialog was up.
    if (!document_)
        return;
    ToolbarSubCommand->setFocus();
    Redraw("PrintSet2()");
}

// --- Command modes ---

void TForm1::tbtn97Click(TToolbarButton97* sender)
{
    modes_->Click(sender);
}

// --- The print frame and the print toolbar ---

void TForm1::tbMPbtnRangeClick()
{
    print_frame_->RangeClick();
}

void TForm1::tbMPbtnOriginClick()
{
    print_frame_->OriginClick();
}

void TForm1::cbPrintBaiChange()
{
    print_frame_->ScaleChange();
}

void TForm1::hcbPrintAngleClick(int index)
{
    print_frame_->AngleClick(index);
}

void TForm1::hcbPrintAngleExit()
{
    print_frame_->AngleExit();
}

void TForm1::cbColorPrintClick()
{
    print_frame_->ColorPrintClick();
}

void TForm1::ShowPrintZoom(const TZhdZoomF& area, TZhdData& document)
{
    print_frame_->ShowPrintZoom(area, document);
}

void TForm1::tbtn97CloseClick()
{
    Exit1Click();
}

// --- Print and output modes, the print job ---

void TForm1::Print1Push(TToolbarButton97*)
{
    print_modes_->PrintPush();
}

void TForm1::Output1Push(TToolbarButton97*)
{
    print_modes_->OutputPush();
}

void TForm1::Print1Push2()
{
    print_modes_->PrintMenuClick();
}

void TForm1::PrintSetClick()
{
    print_modes_->PrintSetClick();
}

void TForm1::tbMPbtnPrintSet2Click()
{
    print_modes_->PrintSettingsClick();
}

void TForm1::Print1Click()
{
    print_modes_->JobClick();
}

TfmPrintAbort& TForm1::PrintAbortDialog()
{
    return GivenOrOwnForm(forms_.print_abort, own_print_abort_, this);
}

void TForm1::ConnectPrintModes()
{
    connect(Print1, &QAction::triggered, this, [this] { Print1Push2(); });
    connect(PrintSet, &QAction::triggered, this, [this] { PrintSetClick(); });
    connect(tbMPbtnPrintSet, &QToolButton::clicked, this, [this] { PrintSetClick(); });
    connect(tbMPbtnPrintSet2, &QToolButton::clicked, this, [this] { tbMPbtnPrintSet2Click(); });
    connect(tbMPbtnPrint, &QToolButton::clicked, this, [this] { Print1Click(); });
    connect(tbMPbtnPrintInfo, &QToolButton::clicked, this, [this] { tbMPbtnPrintInfoClick(); });
}

// --- The view toolbar's options ---

void TForm1::SetForms(const TForms& forms)
{
    forms_ = forms;
    view_options_->UseDialogs(forms.ras_solid, forms.moji_view);
}

void TForm1::ApplyViewOptions(int group)
{
    view_options_->ApplyViewOptions(group);
}

void TForm1::UpdateMenuStates(int code)
{
    view_options_->UpdateMenuStates(code);
}

void TForm1::UpdateLayerOrderButton(int order)
{
    view_options_->UpdateLayerOrderButton(order);
}

void TForm1::UpdateColorOrderButton(int order)
{
    view_options_->UpdateColorOrderButton(order);
}

void TForm1::UpdateTextViewHint()
{
    view_options_->UpdateTextViewHint();
}

void TForm1::UpdateRasterHint()
{
    view_options_->UpdateRasterHint();
}

void TForm1::cbWidthViewClick()
{
    view_options_->WidthViewClick();
}

void TForm1::cbTransparentClick()
{
    view_options_->TransparentClick();
}

void TForm1::cbTraceClick()
{
    view_options_->TraceClick();
}

void TForm1::cbMojiWakuClick()
{
    view_options_->TextFrameBoxClick();
}

void TForm1::cbEmbedMojiClick()
{
    view_options_->EmbeddedTextBoxClick();
}

void TForm1::neTraceExit()
{
    view_options_->TraceExit();
}

void TForm1::nePrtPitchExit()
{
    view_options_->PrtPitchExit();
}

void TForm1::btnLayClick()
{
    view_options_->LayerOrderClick();
}

void TForm1::btnColClick()
{
    view_options_->ColorOrderClick();
}

void TForm1::N2Click(QAction* sender, bool was_checked)
{
    view_options_->RasSolidFirstClick(sender, was_checked);
}

void TForm1::N11Click(QAction* sender, bool was_checked)
{
    view_options_->RasSolidOrderClick(sender, was_checked);
}

void TForm1::miFinalMojiClick(QAction* sender)
{
    view_options_->TextItemClick(sender);
}

void TForm1::miRasLoadConfigClick()
{
    view_options_->RasLoadConfigClick();
}

void TForm1::tbtnRasSolidClick()
{
    view_options_->RasLoadConfigClick();
}

void TForm1::miDetailClick()
{
    view_options_->TextDetailClick();
}

void TForm1::tbtnMojiViewClick()
{
    view_options_->TextDetailClick();
}

void TForm1::tbMRbtnColorClick()
{
    image_colour_->StartPick();
}

// --- The clock menu ---

int TForm1::GetClockCommand(int mode, int sub_mode, int button, int face, int position) const
{
    return clock_menu_->GetClockCommand(mode, sub_mode, button, face, position);
}

void TForm1::DrawClockMenu(int show, int position, int button, int face, int cx, int cy)
{
    clock_menu_->DrawClockMenu(show, position, button, face, cx, cy);
}

// --- The text search bar ---

void TForm1::cbSearchNarrowClick()
{
    search_bar_->cbSearchNarrowClick();
}

void TForm1::cbPanViewClick()
{
    search_bar_->cbPanViewClick();
}

void TForm1::cbPanPrtClick()
{
    search_bar_->cbPanPrtClick();
}

void TForm1::cbTargetLayerClick()
{
    search_bar_->cbTargetLayerClick();
}

void TForm1::cbKitenClick()
{
    search_bar_->cbKitenClick();
}

void TForm1::btnSearchClick(QToolButton* sender)
{
    search_bar_->btnSearchClick(sender->objectName() == QStringLiteral("btnSearch2"));
}

void TForm1::cbSearchWordChange()
{
    search_bar_->cbSearchWordChange();
}

void TForm1::ebSearchWordChange()
{
    search_bar_->ebSearchWordChange();
}

void TForm1::SearchHistorySaveClick()
{
    search_bar_->SearchHistorySaveClick();
}

void TForm1::SearchHistoryLoadClick()
{
    search_bar_->SearchHistoryLoadClick();
}

void TForm1::SearchHistoryClearClick()
{
    search_bar_->SearchHistoryClearClick();
}

void TForm1::ppmSCSortText2Click()
{
    search_bar_->ppmSCSortText2Click();
}

int TForm1::NarrowCandidates()
{
    return search_bar_->NarrowCandidates();
}

void TForm1::SearchClear()
{
    search_bar_->SearchClear();
}

void TForm1::ApplySearchNarrowMode()
{
    search_bar_->ApplySearchNarrowMode();
}

void TForm1::UpdateSearchPanControls()
{
    search_bar_->UpdateSearchPanControls();
}

void TForm1::UpdateSearchButtons()
{
    search_bar_->UpdateSearchButtons();
}

void TForm1::FocusSearchWord()
{
    search_bar_->FocusSearchWord();
}

QString TForm1::BuildSearchConfigHint()
{
    return search_bar_->BuildSearchConfigHint();
}

int TForm1::GetSearchOptions()
{
    return search_bar_->GetSearchOptions();
}

void TForm1::SetSearchWord(const std::string& sjis_word)
{
    search_bar_->SetSearchWord(sjis_word);
}
