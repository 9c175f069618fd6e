#pragma once

// TForm1: the main window. It shows the displayed drawing in its paint box,
// between the four docks that hold the toolbars and tool windows, and keeps
// the state every command of the viewer reads and writes.
//
// The class is one form; its operations are spread over files by concern:
// MainFormBuild.cpp (the controls, menus and bars), MainForm.cpp (life
// cycle, drops and dialog keys), MainFormOpen.cpp (opening drawings and the
// CAD settings file), MainFormRedraw.cpp (the view, the status line and the
// status buttons), MainFormModes.cpp (command modes and the View menu),
// MainFormSettings.cpp (the settings file) and MainFormMenus.cpp (batch
// file, help and About box).
//
// Control and handler names are the ones the rest of the viewer uses to
// find them; the handlers of commands built elsewhere are connected there.

#include "core/BPoint.h"
#include "core/KDefine.h"
#include "core/MojiInt4.h"
#include "core/StopWatch.h"
#include "document/ZhdZoom.h"

#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QList>
#include <QPointer>
#include <QUrl>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;
class QTreeWidget;
class TDock97;
class THintStatus;
class THistoryComboBox;
class TNumberEdit;
class TPageScroller;
class TPaintBox;
class TToolWindow97;
class TToolbar97;
class TToolbarButton97;
class TZhdData;

// The application's title, as job windows show it.
inline constexpr char8_t ApplicationTitle[] = u8"Zuviewα版";

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // `arguments` are the command line's, without the program name; the
    // first is opened when the window is first shown.
    explicit TForm1(std::vector<std::string> arguments = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // "Zuview.ini" in the settings folder: the settings and the bars' places.
    static std::filesystem::path SettingsPath();

    // The settings file (MainFormSettings.cpp).
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

    // --- Opening drawings (MainFormOpen.cpp) ---
    // 1 when the drawing was loaded and shown, 0 when the path was ignored.
    int FileOpen(const std::filesystem::path& path);
    void Open1Click();
    void tbtn97UpdateClick();
    void tbtn97ZHFClick();
    // 1 when the CAD settings file was read, 0 when it was ignored.
    int ReadCadSettingsFile(const std::filesystem::path& path);

    // --- The view (MainFormRedraw.cpp) ---
    void Initialize();
    // Redraws the document's view unless the last full redraw ended less
    // than 10 ms ago; a dropped request is drawn once that time is up.
    void CanvasDraw(TZhdData& document, const std::string& label);
    void ShowStatusLine(const std::string& text, const std::string& label);
    void UpdateStatusButtons(int kind);
    void PaintBox1Paint();
    void FormResize();
    // The mouse moved over a dock, a bar or the status bar: it left the
    // drawing.
    void DockBottomMouseMove();
    void ToolbarPanel3Resize();
    void sbtnUnitClick();

    // --- Command modes and bars (MainFormModes.cpp) ---
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

    // --- Menus of the other windows (MainFormMenus.cpp) ---
    void Makebat1Click();
    void Tutorial1Click();
    void About1Click();

    // The documents: the displayed one, and the copy a print or image-output
    // job works on. Both go in FormClose.
    TZhdData* Document() { return document_.get(); }
    TZhdData* WorkingCopy() { return working_copy_.get(); }

    // The windows the main window drives, made by the program at start in
    // this order, after the main window; a form without them (tests) makes
    // its own About box on first use.
    struct TForms {
        class TfmPrintOrigin* print_origin = nullptr;
        class TfmInputBox* input_box = nullptr;
        class TfmColorBox* color_box = nullptr;
        class TAboutBox* about_box = nullptr;
        class TfmInformation* information = nullptr;
        class TfmRasSolid* ras_solid = nullptr;
    };
    const TForms& Forms() const { return forms_; }
    void SetForms(const TForms& forms) { forms_ = forms; }

    // Where "am.bmp", "pm.bmp", the help file and the image plug-ins are.
    static std::filesystem::path ProgramFolder();

    // --- State every command shares ---
    int CurrentGroup = 0;
    int SingleClickFlag = 0;
    int LeftDoubleClickFlag = 0;
    int RightDoubleClickFlag = 0;
    int DoubleClickSuppression = 0;
    std::string PrintTitle;
    std::string DefaultPrintTitle;
    // UTF-8, as file names are in the program.
    std::string CurrentDrawingPath;
    QString WindowTitle;
    QString ProgramTitle;
    int BusyFlag = 0;
    int PrintJobKind = 0;
    bool SearchHitFlag = false;
    std::vector<TMojiInt4> PenScalingPresets;
    std::uint32_t LastRedrawTick = 0;
    TZhdZoom LastDrawnView;
    std::vector<std::string> SearchCandidates;
    int SelectedCandidate = 0;
    bool SearchFocusFlag = false;
    bool MouseOverDrawing = false;
    bool ViewInitialised = false;
    QPoint CursorPoint;
    QPoint PressPoint;
    int ButtonBits = 0;
    int DragState = 0;
    int ClockMenuState = 0;
    int HookPressFlag = 0;
    int ClockMenuButton = 0;
    int ClockFace = 0;
    bool PinnedTip = false;
    int TipRect[4] = { -1, -1, -1, -1 };
    QString SavedStatusText;
    TKDefine Vocabulary;
    double FreePrintScale = 0.0;
    int CommandMode = 0;
    int CommandSubMode = 0;
    QPoint MarkerPoint;
    QImage BackBuffer;
    QImage OverlayBitmap;
    QImage AmFace;
    QImage PmFace;
    QImage GroupBarBitmap;
    QImage LayerBarBitmap;
    QImage GlyphStrip;
    int CurrentClockCommand = 0;
    int ClockRadius = 30;
    // 0 real millimetres, 1 real metres, 2 paper millimetres.
    int DisplayUnit = 0;
    double UnitFactor = 1.0;
    std::string UnitLabel;
    std::vector<std::vector<TBPoint>> PickedPoints;
    std::vector<int> ButtonOrder;
    int AllGroupsState = 2;
    int AllLayersState = 2;
    int ButtonPressFlag = 0;
    QPoint ButtonPressPosition;
    int GroupLayerRedrawPending = 0;
    int WriteTargetSelectionFlag = 0;
    int TemporaryFullView = 0;
    std::string SearchWord;
    // The search bar's word, history and options live in its controls.

    // --- Controls ---
    TPaintBox* PaintBox1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    TDock97* DockTop = nullptr;
    TDock97* DockBottom = nullptr;
    TDock97* DockLeft = nullptr;
    TDock97* DockRight = nullptr;

    TToolbar97* ToolbarFile = nullptr;
    TToolbarButton97* tbtn97Open = nullptr;
    TToolbarButton97* tbtn97Update = nullptr;
    TToolbarButton97* tbtn97ZHF = nullptr;
    TToolbarButton97* tbtn97Print = nullptr;
    TToolbarButton97* tbtn97ContPrint = nullptr;
    TToolbarButton97* tbtn97Output = nullptr;
    TToolbarButton97* tbtn97Close = nullptr;

    TToolbar97* ToolbarCommand1 = nullptr;
    TToolbarButton97* tbtn97None = nullptr;
    TToolbarButton97* tbtn97StatusView = nullptr;
    TToolbarButton97* tbtn97Raster = nullptr;
    TToolbarButton97* tbtn97Tanten = nullptr;
    TToolbarButton97* tbtn97PreSelect = nullptr;
    TToolbarButton97* tbtn97Solid = nullptr;
    TToolbarButton97* tbtn97Test = nullptr;
    TToolbarButton97* tbtn97Test2 = nullptr;

    TToolbar97* ToolbarSubCommand = nullptr;
    TPageScroller* psMain = nullptr;
    QWidget* tbMainPrint = nullptr;
    QToolButton* tbMPbtnPrint = nullptr;
    QToolButton* tbMPbtnRange = nullptr;
    QLabel* Label2 = nullptr;
    QToolButton* tbMPbtnOrigin = nullptr;
    QComboBox* cbPrintBai = nullptr;
    QLabel* Label3 = nullptr;
    THistoryComboBox* hcbPrintAngle = nullptr;
    QToolButton* tbMPbtnPrintSet = nullptr;
    QCheckBox* cbColorPrint = nullptr;
    QToolButton* tbMPbtnPrintSet2 = nullptr;
    QToolButton* tbMPbtnPrintInfo = nullptr;
    QWidget* tbMainRaster = nullptr;
    QToolButton* tbMRbtnColor = nullptr;

    TToolbar97* ToolbarView = nullptr;
    QCheckBox* cbWidthView = nullptr;
    QLabel* Label5 = nullptr;
    TNumberEdit* nePrtPitch = nullptr;
    QLabel* Label6 = nullptr;
    QCheckBox* cbTransparent = nullptr;
    QCheckBox* cbColorTransparent = nullptr;
    QCheckBox* cbTrace = nullptr;
    TNumberEdit* neTrace = nullptr;
    QLabel* Label1 = nullptr;
    QToolButton* tbtnRasSolid = nullptr;
    QToolButton* tbtnMojiView = nullptr;
    QToolButton* btnLay = nullptr;
    QToolButton* btnCol = nullptr;
    QCheckBox* cbSearch = nullptr;
    QCheckBox* cbMojiWaku = nullptr;
    QCheckBox* cbEmbedMoji = nullptr;

    TToolbar97* ToolbarPanel1 = nullptr;
    QLabel* Panel1 = nullptr;
    TToolbar97* ToolbarPanel2 = nullptr;
    QLabel* Panel2 = nullptr;
    TToolbar97* ToolbarPanel3 = nullptr;
    QWidget* Panel3 = nullptr;
    QToolButton* sbtnUnit = nullptr;
    QToolButton* sbtnPaper = nullptr;
    QToolButton* sbtnScale = nullptr;
    QToolButton* sbtnGroupLayer = nullptr;
    QToolButton* sbtnAxis = nullptr;
    QToolButton* sbtnBairitsu = nullptr;
    QLabel* Label4 = nullptr;

    TToolbar97* ToolbarSearch = nullptr;
    QLineEdit* ebSearchWord = nullptr;
    QComboBox* cbSearchWord = nullptr;
    QCheckBox* cbSearchNarrow = nullptr;
    QToolButton* btnSearch = nullptr;
    QToolButton* btnSearch2 = nullptr;
    QComboBox* cbTargetLayer = nullptr;
    TToolbarButton97* tbtn97SearchConfig = nullptr;
    QCheckBox* cbPanView = nullptr;
    QCheckBox* cbPanPrt = nullptr;
    QComboBox* cbKiten = nullptr;

    TToolWindow97* ToolWindowGroup = nullptr;
    QWidget* tbGroup1 = nullptr;
    QWidget* tbGroup2 = nullptr;
    std::vector<QToolButton*> GroupButtons; // tbG0 .. tbG15
    QToolButton* tbGAll = nullptr;
    QToolButton* tbGSp = nullptr;
    TToolWindow97* ToolWindowLayer = nullptr;
    QWidget* tbLayer1 = nullptr;
    QWidget* tbLayer2 = nullptr;
    std::vector<QToolButton*> LayerButtons; // tbL0 .. tbL15
    QToolButton* tbLAll = nullptr;
    QToolButton* tbLSp = nullptr;

    TToolWindow97* ToolWindowContinuousPrint = nullptr;
    QTreeWidget* ListView1 = nullptr;
    TPageScroller* psToolWindowContPrt = nullptr;
    QWidget* tbContPrt = nullptr;
    QToolButton* btnContPrtExec = nullptr;
    QToolButton* btnContPrtAdd = nullptr;
    QToolButton* btnContPrtAdd2 = nullptr;
    QToolButton* btnContPrtDel = nullptr;
    QToolButton* btnContPrtAll = nullptr;
    QToolButton* btnContPrtCheck = nullptr;
    QToolButton* btnContPrtClear = nullptr;
    QToolButton* btnContPrtMerge = nullptr;
    QToolButton* btnContPrtMergeClear = nullptr;
    QToolButton* btnContPrtUp = nullptr;
    QToolButton* btnContPrtDown = nullptr;
    QToolButton* btnContPrtCopy = nullptr;
    QToolButton* btnContPrtPaste = nullptr;
    QToolButton* btnContPrtPaste2 = nullptr;
    QToolButton* btnContPrtSave = nullptr;
    QToolButton* btnContPrtLoad = nullptr;
    QToolButton* btnContPrtConfig = nullptr;

    // Menus.
    QMenu* File1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Refresh1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrintSet = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* Show1 = nullptr;
    QMenu* T1 = nullptr;
    // ViewFile .. ViewSearch, by tag.
    std::vector<QAction*> ViewItems;
    QMenu* Other1 = nullptr;
    QAction* Makebat1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Tutorial1 = nullptr;
    QAction* About1 = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N4 = nullptr;
    QMenu* N6 = nullptr;
    QAction* N11 = nullptr;
    QAction* N12 = nullptr;
    QAction* N13 = nullptr;
    QAction* N14 = nullptr;
    QAction* N15 = nullptr;
    QAction* miRasLoadConfig = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* miDetail = nullptr;
    QAction* miMojiWaku = nullptr;
    QAction* miEmbedMoji = nullptr;
    QAction* miEdgeMoji = nullptr;
    QAction* miEdgeMoji2 = nullptr;
    QAction* miFinalMoji = nullptr;
    QMenu* ppmSearchConfig = nullptr;
    QAction* ppmSCPerfect = nullptr;
    QAction* ppmSCZH = nullptr;
    QAction* ppmSCOK = nullptr;
    QAction* ppmSCSPACE = nullptr;
    QAction* ppmSCKINWARI = nullptr;
    QAction* ppmSCSPST = nullptr;
    QAction* ppmSCRegular = nullptr;
    QAction* ppmSCNoSort = nullptr;
    QAction* ppmSCSortText = nullptr;
    QAction* ppmSCSortText2 = nullptr;
    QMenu* ppmSearchHistory = nullptr;
    QAction* SearchHistorySave = nullptr;
    QAction* SearchHistoryLoad = nullptr;
    QAction* SearchHistoryClear = nullptr;

    QLabel* Tips = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

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

    void BuildClockFaces();
    void SetCommandStatus(const QString& text);
    QString StatusText() const;
    void RedrawLater(const std::string& label);
    // The bar or tool window of a View menu tag.
    QWidget* ViewBar(int tag) const;
    void MakeClientLower(TToolWindow97* window);

    std::vector<std::string> arguments_;
    std::unique_ptr<TZhdData> document_;
    std::unique_ptr<TZhdData> working_copy_;
    TStopWatch rest_stopwatch_;
    TForms forms_;
    std::unique_ptr<class TAboutBox> own_about_box_;
    THintStatus* hint_status_ = nullptr;
    QTimer* trailing_redraw_ = nullptr;
    std::string trailing_label_;
    bool shown_ = false;
    bool closed_ = false;
    // The right edge the status buttons are laid out from.
    int status_buttons_right_ = 0;
};
