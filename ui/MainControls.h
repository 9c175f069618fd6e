#pragma once

// TMainControls: the controls of the main window under the names the rest
// of the viewer finds them by. The main window builds them
// (MainFormBuild.cpp) and is one of them; its features reach them through
// the window (MainWindowHost.h).

#include <array>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QTimer;
class QToolButton;
class QTreeWidget;
class QWidget;
class TDock97;
class THistoryComboBox;
class TNumberEdit;
class TPageScroller;
class TPaintBox;
class TToolWindow97;
class TToolbar97;
class TToolbarButton97;

struct TMainControls {
    // The radio group of command-mode buttons on the file and command
    // toolbars.
    std::array<TToolbarButton97*, 9> ModeButtons() const
    {
        return { tbtn97Print,  tbtn97ContPrint, tbtn97Output,    tbtn97None, tbtn97StatusView,
                 tbtn97Raster, tbtn97Tanten,    tbtn97PreSelect, tbtn97Solid };
    }

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
};
