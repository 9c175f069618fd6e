#pragma once

// TForm1: the main window. It shows the displayed drawing in its paint box,
// between the four docks that hold the toolbars and tool windows.
//
// The form assembles the window: it builds the controls under their names
// (TMainControls, MainFormBuild.cpp), owns the displayed document and runs
// the life cycle (MainForm.cpp). Everything else is done by its features,
// each a class of its own under ui/ that owns its state and its keys of
// the settings file: TViewRedraw (the view and its redraw), TStatusButtons,
// TDrawingOpener (opening drawings), TCommandModes, TMainSettings,
// TViewNavigation (the wheel and the keys) and, over the drawing, TTipBox,
// TPointingServices, TAttributeDisplay, TClockMenu, TMeasuringCommands,
// TModeClicks, TImageColourPick (the image mode's clicks) and TMouseGestures
// (the mouse's press, move and release), TViewOptions (the view toolbar's
// options and the text display dialog), TGroupLayerBars and TSearchBar (the
// text search bar with its candidate box), TPrintFrame (the print frame,
// its toolbar and its clicks) and TPrintModes (the print and output frame
// modes and the print job). The form's handlers keep the names
// the rest of the viewer knows them by, and each is a short call into its
// feature.
//
// Adding a feature:
// 1. Derive a class from TMainFeature (MainFeature.h) in its own files under
//    ui/; it reaches the window only through the TMainWindowHost it is made
//    with, and is given the other features it needs when it is made.
// 2. Keep in it the state that only it uses. State that several features
//    share goes into TMainState; controls stay in TMainControls.
// 3. Its keys of "Zuview.ini": override SettingsBlocks() with one block per
//    part of the file it owns (TSettingsPart is the file's order; a part the
//    settings keep for it until now moves over whole).
// 4. Make it in BuildFeatures (MainForm.cpp) after the features it needs,
//    hand it to TMainSettings there when it has keys, and connect the
//    controls' signals to the form's handlers, each a short call into it.

#include "ui/MainControls.h"
#include "ui/MainFeature.h"
#include "ui/MouseRelease.h"
#include "ui/PrintAbort.h"

#include <QList>
#include <QMainWindow>
#include <QUrl>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QKeyEvent;
class QPrinter;
class QWheelEvent;
class TAttributeDisplay;
class TImageColourPick;
class TMeasuringCommands;
class TModeClicks;
class TMouseGestures;
class TBPoint;
class THintStatus;
class TClockMenu;
class TCommandModes;
class TDrawingOpener;
class TZhdHead;
class TZhdZoomF;
class TPrintFrame;
class TGroupLayerBars;
class TSearchBar;
class TMainSettings;
class TPointingServices;
class TPrintModes;
class TStatusButtons;
class TViewNavigation;
class TViewOptions;
class TTipBox;
class TViewRedraw;

// The application's title, as job windows show it.
inline constexpr char8_t ApplicationTitle[] = u8"Zuviewα版";

class TForm1 : public QMainWindow, public TMainControls, public TMainWindowHost {
    Q_OBJECT
public:
    // `arguments` are the command line's, without the program name; the
    // first is opened when the window is first shown.
    explicit TForm1(std::vector<std::string> arguments = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // "Zuview.ini" in the settings folder: the settings and the bars' places.
    static std::filesystem::path SettingsPath();

    // The settings file.
    virtual void LoadSettings(const std::filesystem::path& path);
    virtual void SaveSettings(const std::filesystem::path& path);

    // --- Life cycle (MainForm.cpp) ---
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void Exit1Click();
    // A drop from a file manager: the first local file of the list opens,
    // the others are ignored.
    void DropFiles(const QList<QUrl>& urls);

    // --- Opening drawings (TDrawingOpener) ---
    // 1 when the drawing was loaded and shown, 0 when the path was ignored.
    int FileOpen(const std::filesystem::path& path);
    void Open1Click();
    void tbtn97UpdateClick();
    void tbtn97ZHFClick();
    // 1 when the CAD settings file was read, 0 when it was ignored.
    int ReadCadSettingsFile(const std::filesystem::path& path);

    // --- The view (TViewRedraw, TStatusButtons) ---
    void Initialize();
    // Redraws the document's view unless the last full redraw ended less
    // than 10 ms ago; a dropped request is drawn once that time is up.
    void CanvasDraw(TZhdData& document, const std::string& label);
    void ShowStatusLine(const std::string& text, const std::string& label) override;
    void UpdateStatusButtons(int kind);
    void PaintBox1Paint();
    void FormResize();
    // The mouse moved over a dock, a bar or the status bar: it left the
    // drawing.
    void DockBottomMouseMove();
    void ToolbarPanel3Resize();
    void sbtnUnitClick();

    // --- Wheel and keys (TViewNavigation) ---
    // The form sees the wheel and the keys before its controls. A wheel
    // over the form: its whole notches zoom; false leaves it to the control.
    bool FormMouseWheel(QWheelEvent* event);
    // One notch towards the user: zoom in about the cursor point.
    void FormMouseWheelDown(Qt::KeyboardModifiers shift, const QPoint& mouse_pos, bool& handled);
    // One notch away from the user: zoom out about the cursor point.
    void FormMouseWheelUp(Qt::KeyboardModifiers shift, const QPoint& mouse_pos, bool& handled);
    // True when the key was consumed, so that the control with the focus
    // does not get it.
    bool FormKeyDown(QKeyEvent* event);
    // --- Over the drawing (TTipBox, TPointingServices, TAttributeDisplay) ---
    // The tip box beside paint-box pixel (x, y); text is Shift-JIS, "" removes
    // the tip; keep pins it.
    void ShowTip(const std::string& text, int x, int y, int keep);
    int PickNearestElement(int x, int y, TBPoint& point, int tolerance);
    int SnapToFramePoint(int x, int y, TBPoint& point, int tolerance);
    void DrawMarker(int x, int y, int show, int not_xor);
    int DrawPickedPoints();
    // Timer1: the attribute display.
    void Timer1Timer();
    // Timer2 is never started; its handler has nothing to do.
    void Timer2Timer() {}

    // --- The mouse on the drawing (TMouseGestures) ---
    void PaintBox1MouseDown(TReleasedButton button, int x, int y);
    void PaintBox1MouseMove(int x, int y);
    void PaintBox1MouseUp(TReleasedButton button, int x, int y);
    // 1 when a double click arrives within `factor` times the system's
    // double-click interval; the events meanwhile are handled.
    int WaitDoubleClick(double factor);
    // The cross-hair at paint-box pixel (x, y), -1 for the cursor point's
    // coordinate; not-XOR, so a second call takes it away.
    void DrawCrossHairAt(int x, int y);

    // --- Command modes (TCommandModes) and the View menu ---
    void tbtn97Click(TToolbarButton97* sender);
    // Switch the print and output frame modes by the down states of the
    // print, continuous-print and output buttons.
    void Print1Push(TToolbarButton97* sender);
    void Output1Push(TToolbarButton97* sender);
    void tbtn97CloseClick();
    void tbtn97TestClick() {}
    void ViewLayerClick(QAction* sender);
    void Show1Click();
    void cbSearchClick();
    void ToolbarSearchClose();

    // --- The print frame and the print toolbar (TPrintFrame) ---
    void tbMPbtnRangeClick();
    void tbMPbtnOriginClick();
    void cbPrintBaiChange();
    void hcbPrintAngleChange() {}
    void hcbPrintAngleClick(int index);
    // The print angle box was left: its text becomes the print angle and
    // the frame turns. The measuring commands call it after they filled the
    // box.
    void hcbPrintAngleExit();
    void cbColorPrintClick();
    void ShowPrintZoom(const TZhdZoomF& area, TZhdData& document);
    // --- Print and output modes, the print job (TPrintModes, TfmPrintAbort) ---
    // The menu's "印刷(&P)".
    void Print1Push2();
    // "プリンタ設定" / "ファイル設定" and the menu's "印刷設定".
    void PrintSetClick();
    // "出力設定": the print settings.
    void tbMPbtnPrintSet2Click();
    // The job button.
    void Print1Click();
    // The progress dialog: the program's, or the form's own.
    TfmPrintAbort& PrintAbortDialog();
    // The printer the frame and the job use.
    QPrinter& Printer() { return *printer_; }
    // What the progress dialog runs: the program fills in the print job and
    // the printer's document steps; tests give fakes.
    TPrintAbortLinks& PrintJobLinks() { return print_job_links_; }
    // "プリンタ情報": the printer and data file report in the information
    // window.
    void tbMPbtnPrintInfoClick();

    // --- The view toolbar's options (TViewOptions) ---
    void ApplyViewOptions(int group);
    void UpdateMenuStates(int code);
    void UpdateLayerOrderButton(int order);
    void UpdateColorOrderButton(int order);
    void UpdateTextViewHint();
    void UpdateRasterHint();
    void cbWidthViewClick();
    void cbTransparentClick();
    void cbTraceClick();
    void cbMojiWakuClick();
    void cbEmbedMojiClick();
    // The number edits' changes are taken when the edit is left.
    void neTraceChange() {}
    void neTraceExit();
    void nePrtPitchExit();
    void btnLayClick();
    void btnColClick();
    // Menu items of the image and solid menu, with the mark they had before
    // the click.
    void N2Click(QAction* sender, bool was_checked);
    void N11Click(QAction* sender, bool was_checked);
    // An item of the text display menu; its mark is toggled already.
    void miFinalMojiClick(QAction* sender);
    void miRasLoadConfigClick();
    void tbtnRasSolidClick();
    void miDetailClick();
    void tbtnMojiViewClick();
    void tbMRbtnColorClick();
    void TipsMouseMove() {}

    // --- The clock menu (TClockMenu) ---
    int GetClockCommand(int mode, int sub_mode, int button, int face, int position) const;
    void DrawClockMenu(int show, int position, int button, int face, int cx, int cy);

    // --- The group and layer bars (TGroupLayerBars) ---
    // Kind 1 the group bar, any other the layer bar; index -1 repaints the
    // whole bar, 0..15 one button.
    void PaintGroupLayerButtons(TZhdData& document, int kind, int index);
    void BuildGroupLayerGlyphs(int g);
    void SetGroupLayerButtonDown(int kind, int index);
    int GetButtonSlot(int kind, int tag) const;
    void ToolWindowGroupResize();
    void ToolWindowLayerResize();
    void tbG0MouseDown(QToolButton* sender, int x, int y);
    void tbG0MouseMove(QToolButton* sender, int x, int y);
    void tbG0MouseUp(QToolButton* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void tbG0Click();
    void tbGAllClick();
    void tbLAllClick();
    void tbGSpClick();
    void tbLSpClick();
    // The overview window set for the groups (p = -1) or the layers of
    // group p, before it is shown.
    void PrepareGroupLayerDialog(int p, const TZhdHead& head);
    // The overview window: the program's, or the form's own.
    class TfmGroupLayer& GroupLayerDialog();

    // --- The text search bar (TSearchBar) ---
    void cbSearchNarrowClick();
    void cbPanViewClick();
    void cbPanPrtClick();
    void cbTargetLayerClick();
    void cbKitenClick();
    // btnSearch searches forward, btnSearch2 backward.
    void btnSearchClick(QToolButton* sender);
    void cbSearchWordChange();
    void ebSearchWordChange();
    void SearchHistorySaveClick();
    void SearchHistoryLoadClick();
    void SearchHistoryClearClick();
    // Every option item of the search configuration menu.
    void ppmSCSortText2Click();
    // The search candidates narrowed again for the search word; returns
    // their number.
    int NarrowCandidates();
    void SearchClear();
    void ApplySearchNarrowMode();
    void UpdateSearchPanControls();
    void UpdateSearchButtons();
    void FocusSearchWord();
    QString BuildSearchConfigHint();
    int GetSearchOptions();
    // The picked candidate, Shift-JIS, into the narrowing edit.
    void SetSearchWord(const std::string& sjis_word);

    // --- The print settings dialog ---
    // The dialog: the program's, or the form's own. The print and output
    // modes label it through TfmPrintSetting::Prepare.
    class TfmPrintSetting& PrintSettingDialog();
    // The run of the print toolbar's "出力設定": the dialog filled from the
    // displayed drawing's job options and the pen-scaling presets, shown
    // under the button, read back on "決定"; then the keys go back to the
    // sub-command bar and the view is redrawn, after "取消" as well.
    void RunPrintSettingDialog();

    // --- Menus of the other windows (MainFormMenus.cpp) ---
    void Makebat1Click();
    void Tutorial1Click();
    void About1Click();

    // --- What the features are given (TMainWindowHost) ---
    // The displayed document; it goes in FormClose.
    TZhdData* Document() override { return document_.get(); }
    TMainControls& Controls() override { return *this; }
    TMainState& State() override { return state_; }
    QMainWindow& Window() override { return *this; }
    void Redraw(const std::string& label) override;

    // --- The features ---
    TViewRedraw& View() { return *view_; }
    TStatusButtons& StatusButtons() { return *status_buttons_; }
    TDrawingOpener& Opener() { return *opener_; }
    TMainSettings& Settings() { return *settings_; }
    TClockMenu& ClockMenu() { return *clock_menu_; }
    TViewNavigation& Navigation() { return *navigation_; }
    TTipBox& TipBox() { return *tip_box_; }
    TPointingServices& Pointing() { return *pointing_; }
    TAttributeDisplay& AttributeDisplay() { return *attribute_display_; }
    TMeasuringCommands& Measuring() { return *measuring_; }
    TModeClicks& ModeClicks() { return *mode_clicks_; }
    TImageColourPick& ImageColour() { return *image_colour_; }
    TMouseGestures& Gestures() { return *gestures_; }
    TViewOptions& ViewOptions() { return *view_options_; }
    TGroupLayerBars& GroupLayerBars() { return *group_layer_bars_; }
    TSearchBar& SearchBar() { return *search_bar_; }
    TPrintFrame& PrintFrame() { return *print_frame_; }
    TPrintModes& PrintModes() { return *print_modes_; }

    // The windows the main window drives, made by the program at start in
    // this order, after the main window; a form without them (tests) makes
    // its own About box, overview window and print settings on first use.
    struct TForms {
        class TfmPrintOrigin* print_origin = nullptr;
        class TfmInputBox* input_box = nullptr;
        class TfmColorBox* color_box = nullptr;
        class TAboutBox* about_box = nullptr;
        class TfmPrintSetting* print_setting = nullptr;
        class TfmInformation* information = nullptr;
        class TfmRasSolid* ras_solid = nullptr;
        class TfmMojiView* moji_view = nullptr;
        class TfmGroupLayer* group_layer = nullptr;
        TfmPrintAbort* print_abort = nullptr;
    };
    const TForms& Forms() const { return forms_; }
    void SetForms(const TForms& forms);

    // Where the help file and the image plug-ins are.
    static std::filesystem::path ProgramFolder();

signals:
    // After FormClose: the program ends.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // MainFormBuild.cpp
    void BuildControls();
    void BuildMenus();
    void BuildDocks();
    void BuildFileBars();
    void BuildSubCommandBar();
    void BuildViewBar();
    void BuildStatusPanels();
    void BuildSearchBar();
    void BuildGroupLayerWindows();
    void BuildContinuousPrintWindow();
    void ConnectHandlers();
    void ConnectViewOptions();
    void ConnectSearchBar();
    void ConnectPrintFrame();
    void ConnectPrintModes();
    void LinkPrintJob();

    void BuildFeatures();
    // The bar or tool window of a View menu tag.
    QWidget* ViewBar(int tag) const;
    void MakeClientLower(TToolWindow97* window);

    std::vector<std::string> arguments_;
    std::unique_ptr<TZhdData> document_;
    TMainState state_;
    std::unique_ptr<TStatusButtons> status_buttons_;
    std::unique_ptr<TViewRedraw> view_;
    std::unique_ptr<TDrawingOpener> opener_;
    std::unique_ptr<TCommandModes> modes_;
    std::unique_ptr<TMainSettings> settings_;
    std::unique_ptr<TClockMenu> clock_menu_;
    std::unique_ptr<TViewNavigation> navigation_;
    std::unique_ptr<TTipBox> tip_box_;
    std::unique_ptr<TPointingServices> pointing_;
    std::unique_ptr<TAttributeDisplay> attribute_display_;
    std::unique_ptr<TMeasuringCommands> measuring_;
    std::unique_ptr<TModeClicks> mode_clicks_;
    std::unique_ptr<TMouseGestures> gestures_;
    std::unique_ptr<TViewOptions> view_options_;
    std::unique_ptr<TImageColourPick> image_colour_;
    std::unique_ptr<TGroupLayerBars> group_layer_bars_;
    std::unique_ptr<TSearchBar> search_bar_;
    std::unique_ptr<TPrintFrame> print_frame_;
    // Print and output modes and the print job.
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<TZhdData> working_copy_;
    TPrintAbortLinks print_job_links_;
    std::unique_ptr<TPrintModes> print_modes_;
    std::unique_ptr<TfmPrintAbort> own_print_abort_;
    std::unique_ptr<class TQtPrinterDevice> printer_device_;
    std::unique_ptr<class TfmInformation> own_information_;
    TForms forms_;
    std::unique_ptr<class TAboutBox> own_about_box_;
    std::unique_ptr<class TfmGroupLayer> own_group_layer_;
    std::unique_ptr<class TfmPrintSetting> own_print_setting_;
    THintStatus* hint_status_ = nullptr;
    bool shown_ = false;
    bool closed_ = false;
};
