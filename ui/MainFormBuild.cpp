// The main window's controls: the paint box between the four docks, the
// toolbars and tool windows on them, the menus and the status bar, with the
// captions and hints the user sees.

#include "ui/MainForm.h"

#include "controls/Dock97.h"
#include "controls/HistoryComboBox.h"
#include "controls/NumberEdit.h"
#include "controls/ResizableToolWindow97.h"
#include "controls/ToolWindow97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "platform/ui/FormFont.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "ui/PageScroller.h"
#include "ui/PaintBox.h"
#include "ui/PrintFrame.h"
#include "ui/SearchBar.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Controls on a toolbar keep the size they are given: the toolbar lays them
// out, not a layout.
template <typename Widget>
Widget* Sized(Widget* widget, int height = 22)
{
    const QSize hint = widget->sizeHint();
    widget->resize(hint.width(), height > 0 ? height : hint.height());
    return widget;
}

// A text button as wide as its caption in the font it shows.
void FitBarButton(TToolbarButton97* button)
{
    const int text = button->fontMetrics().horizontalAdvance(button->Caption());
    button->resize(text + 14 + (button->DropdownMenu() ? 12 : 0), 22);
}

TToolbarButton97* BarButton(QWidget* client, const char* name, const char8_t* caption, const char8_t* hint)
{
    auto* button = Named(new TToolbarButton97(client), name);
    button->SetCaption(QtText(caption));
    if (hint)
        button->SetHint(QtText(hint));
    FitBarButton(button);
    return button;
}

QToolButton* ToolButton(QWidget* parent, const char* name, const char8_t* caption, const char8_t* hint,
                        int height = 21)
{
    auto* button = Named(new QToolButton(parent), name);
    button->setText(QtText(caption));
    button->setAutoRaise(true);
    if (hint)
        ApplyHint(button, QtText(hint));
    return Sized(button, height);
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const char8_t* caption, const char8_t* hint)
{
    auto* box = Named(new QCheckBox(QtText(caption), parent), name);
    if (hint)
        ApplyHint(box, QtText(hint));
    return Sized(box);
}

QLabel* Label(QWidget* parent, const char* name, const char8_t* caption)
{
    return Sized(Named(new QLabel(QtText(caption), parent), name));
}

// A toolbar in the form's font from the start, so that its controls are
// sized for the captions they show.
TToolbar97* NewToolbar(const char* name, const char8_t* caption, int row, int pos, const QFont& font)
{
    auto* bar = Named(new TToolbar97, name);
    bar->setFont(font);
    bar->SetCaption(QtText(caption));
    bar->SetDockRow(row);
    bar->SetDockPos(pos);
    return bar;
}

QAction* MenuItem(QMenu* menu, const char* name, const char8_t* caption, const char8_t* hint = nullptr)
{
    QAction* item = menu->addAction(QtText(caption));
    item->setObjectName(QString::fromLatin1(name));
    if (hint) {
        const THint parts = SplitHint(QtText(hint));
        item->setToolTip(parts.tip);
        item->setStatusTip(parts.status);
    }
    return item;
}

QAction* CheckItem(QMenu* menu, const char* name, const char8_t* caption, const char8_t* hint = nullptr)
{
    QAction* item = MenuItem(menu, name, caption, hint);
    item->setCheckable(true);
    return item;
}

// A tool bar inside a tool window or scroller: controls in a row.
QWidget* ButtonRow(QWidget* parent, const char* name)
{
    auto* row = Named(new QWidget(parent), name);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return row;
}

void AddToRow(QWidget* row, QWidget* control)
{
    static_cast<QHBoxLayout*>(row->layout())->addWidget(control);
}

void AddSeparatorToRow(QWidget* row)
{
    auto* line = new QFrame(row);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedWidth(6);
    AddToRow(row, line);
}

const TDockableTo TopOrBottom = DockableBit(dpTop) | DockableBit(dpBottom);

// Marks the widgets whose own mouse moves mean the mouse is off the drawing.
constexpr char outside_drawing_property[] = "zuviewOutsideDrawing";

} // namespace

void TForm1::BuildControls()
{
    setObjectName(QStringLiteral("Form1"));
    UseFormFont(this, 12);

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    PaintBox1 = Named(new TPaintBox(central), "PaintBox1");
    DockTop = Named(new TDock97(dpTop, central), "DockTop");
    DockBottom = Named(new TDock97(dpBottom, central), "DockBottom");
    DockLeft = Named(new TDock97(dpLeft, central), "DockLeft");
    DockRight = Named(new TDock97(dpRight, central), "DockRight");
    grid->addWidget(DockTop, 0, 0, 1, 3);
    grid->addWidget(DockLeft, 1, 0);
    grid->addWidget(PaintBox1, 1, 1);
    grid->addWidget(DockRight, 1, 2);
    grid->addWidget(DockBottom, 2, 0, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    setCentralWidget(central);

    StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
    setStatusBar(StatusBar1);
    StatusBar1->showMessage(QtText(u8"何もしません．"));

    // The tip box's measure and font: "ＭＳ Ｐゴシック", 12 pixels.
    Tips = Named(new QLabel(central), "Tips");
    Tips->setTextFormat(Qt::PlainText);
    Tips->setFont(QFont(QtText(u8"ＭＳ Ｐゴシック")));
    UseFormFont(Tips, 12);
    Tips->hide();
    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    Timer2 = Named(new QTimer(this), "Timer2");
    Timer2->setInterval(500);

    BuildMenus();
    BuildFileBars();
    BuildSubCommandBar();
    BuildViewBar();
    BuildStatusPanels();
    BuildSearchBar();
    BuildGroupLayerWindows();
    BuildContinuousPrintWindow();
    BuildDocks();
}

void TForm1::BuildMenus()
{
    QMenuBar* bar = menuBar();
    File1 = Named(bar->addMenu(QtText(u8"ファイル(&F)")), "File1");
    Open1 = MenuItem(File1, "Open1", u8"開く(&O)");
    Refresh1 = MenuItem(File1, "Refresh1", u8"更新(&R)");
    File1->addSeparator();
    Print1 = MenuItem(File1, "Print1", u8"印刷(&P)");
    PrintSet = MenuItem(File1, "PrintSet", u8"印刷設定");
    File1->addSeparator();
    Exit1 = MenuItem(File1, "Exit1", u8"終了(&X)");

    Show1 = Named(bar->addMenu(QtText(u8"表示(&V)")), "Show1");
    T1 = Named(Show1->addMenu(QtText(u8"ツールバー(&T)")), "T1");
    struct ViewItem {
        const char* name;
        const char8_t* caption;
    };
    static const ViewItem view_items[] = {
        { "ViewFile", u8"ファイル" },   { "ViewCommand1", u8"コマンド１" }, { "ViewViewConfig", u8"表示設定" },
        { "ViewPanel1", u8"パネル１" }, { "ViewPanel2", u8"パネル２" },     { "ViewPanel3", u8"パネル３" },
        { "ViewGroup", u8"グループ" },  { "ViewLayer", u8"レイヤ" },        { "ViewSearch", u8"検索" },
    };
    for (const ViewItem& item : view_items) {
        QAction* action = CheckItem(T1, item.name, item.caption);
        action->setData(static_cast<int>(ViewItems.size()));
        ViewItems.push_back(action);
    }
    ViewItems[8]->setChecked(true);

    Other1 = Named(bar->addMenu(QtText(u8"その他(&O)")), "Other1");
    Makebat1 = MenuItem(Other1, "Makebat1", u8"外変バッチの作成(&B)");
    Help1 = Named(bar->addMenu(QtText(u8"ヘルプ(&H)")), "Help1");
    Tutorial1 = MenuItem(Help1, "Tutorial1", u8"使い方(&U)");
    About1 = MenuItem(Help1, "About1", u8"バージョン情報(&A)");

    // The drop-downs of the image and text display buttons.
    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    N2 = CheckItem(PopupMenu1, "N2", u8"画像・ソリッドを最初に描画");
    N4 = CheckItem(PopupMenu1, "N4", u8"ソリッドを先に描画");
    PopupMenu1->addSeparator();
    N6 = Named(PopupMenu1->addMenu(QtText(u8"画像・ソリッド描画順")), "N6");
    N11 = CheckItem(N6, "N11", u8"レイヤ順");
    N12 = CheckItem(N6, "N12", u8"レイヤ逆順");
    N13 = CheckItem(N6, "N13", u8"線色順");
    N14 = CheckItem(N6, "N14", u8"線色逆順");
    N15 = CheckItem(N6, "N15", u8"出力設定順");
    PopupMenu1->addSeparator();
    miRasLoadConfig = MenuItem(PopupMenu1, "miRasLoadConfig", u8"画像データ読込設定");

    PopupMenu2 = Named(new QMenu(this), "PopupMenu2");
    miDetail = MenuItem(PopupMenu2, "miDetail", u8"詳細設定");
    PopupMenu2->addSeparator();
    miMojiWaku = CheckItem(PopupMenu2, "miMojiWaku", u8"文字枠", u8"文字枠を表示します．|");
    miEmbedMoji = CheckItem(PopupMenu2, "miEmbedMoji", u8"埋込文字", u8"埋込文字を表示します．|");
    miEdgeMoji = CheckItem(PopupMenu2, "miEdgeMoji", u8"文字の縁取り", u8"文字に背景色の縁取りをします．|");
    miEdgeMoji2 = CheckItem(PopupMenu2, "miEdgeMoji2", u8"文字列範囲", u8"文字列範囲を背景色で描画します．|");
    miFinalMoji = CheckItem(PopupMenu2, "miFinalMoji", u8"文字を最後に描画", u8"文字を最後に描画します．|");
    int tag = 1;
    for (QAction* item : { miMojiWaku, miEmbedMoji, miEdgeMoji, miEdgeMoji2, miFinalMoji })
        item->setData(tag++);

    // The search options, in the order their short names are listed.
    ppmSearchConfig = Named(new QMenu(this), "ppmSearchConfig");
    ppmSCPerfect = CheckItem(ppmSearchConfig, "ppmSCPerfect", u8"完全一致", u8"完全に一致している文字を検索します．");
    ppmSCZH = CheckItem(ppmSearchConfig, "ppmSCZH", u8"全角半角同一視", u8"全角と半角を同一視して検索します．");
    ppmSCOK = CheckItem(ppmSearchConfig, "ppmSCOK", u8"大文字小文字同一視", u8"大文字と小文字を同一視して検索します．");
    ppmSCSPACE = CheckItem(ppmSearchConfig, "ppmSCSPACE", u8"スペースを無視", u8"文字列中に含まれるスペースを無視します．");
    ppmSCKINWARI = CheckItem(ppmSearchConfig, "ppmSCKINWARI", u8"均等割付を無視", u8"均等割付を無視します．");
    ppmSCSPST = CheckItem(ppmSearchConfig, "ppmSCSPST", u8"重複文字同一視",
                          u8"同位置で同じ文字があっても一つの検索結果として扱います．");
    ppmSCRegular = CheckItem(ppmSearchConfig, "ppmSCRegular", u8"正規表現", u8"正規表現として検索します．");
    ppmSearchConfig->addSeparator()->setObjectName(QStringLiteral("N19"));
    ppmSCNoSort = CheckItem(ppmSearchConfig, "ppmSCNoSort", u8"並替無し（データ順）");
    ppmSCSortText = CheckItem(ppmSearchConfig, "ppmSCSortText", u8"文字列昇順");
    ppmSCSortText2 = CheckItem(ppmSearchConfig, "ppmSCSortText2", u8"文字列降順");
    ppmSCSPST->setVisible(false);
    for (QAction* item : { ppmSCNoSort, ppmSCSortText, ppmSCSortText2 })
        item->setVisible(false);
    const std::pair<QAction*, int> option_tags[] = {
        { ppmSCPerfect, 1 }, { ppmSCZH, 2 }, { ppmSCOK, 3 }, { ppmSCSPST, 4 }, { ppmSCRegular, 5 },
        { ppmSCNoSort, 6 }, { ppmSCSortText, 7 }, { ppmSCSortText2, 8 }, { ppmSCSPACE, 9 }, { ppmSCKINWARI, 10 },
    };
    for (const auto& [item, option_tag] : option_tags)
        item->setData(option_tag);

    ppmSearchHistory = Named(new QMenu(this), "ppmSearchHistory");
    SearchHistorySave = MenuItem(ppmSearchHistory, "SearchHistorySave", u8"履歴保存");
    SearchHistoryLoad = MenuItem(ppmSearchHistory, "SearchHistoryLoad", u8"履歴読込");
    SearchHistoryClear = MenuItem(ppmSearchHistory, "SearchHistoryClear", u8"履歴クリア");
}

void TForm1::BuildFileBars()
{
    ToolbarFile = NewToolbar("ToolbarFile", u8"ファイル", 0, 0, font());
    QWidget* file = ToolbarFile->Client();
    tbtn97Open = BarButton(file, "tbtn97Open", u8"開く", u8"ファイルを開きます．|");
    tbtn97Update = BarButton(file, "tbtn97Update", u8"更新", u8"今開いているファイルを最新の状態に更新します．|");
    tbtn97ZHF = BarButton(file, "tbtn97ZHF", u8"ZHF", u8"環境設定ファイル：|");
    new TToolbarSep97(file);
    tbtn97Print = BarButton(file, "tbtn97Print", u8"印刷", u8"印刷します．|");
    tbtn97ContPrint = BarButton(file, "tbtn97ContPrint", u8"連印", u8"連続印刷します．|");
    tbtn97Output = BarButton(file, "tbtn97Output", u8"出力", u8"ファイルに出力します．|");
    new TToolbarSep97(file);
    tbtn97Close = BarButton(file, "tbtn97Close", u8"終了", u8"アプリケーションを終了します．|");
    tbtn97ContPrint->hide();

    ToolbarCommand1 = NewToolbar("ToolbarCommand1", u8"コマンド１", 0, 300, font());
    QWidget* command = ToolbarCommand1->Client();
    tbtn97None = BarButton(command, "tbtn97None", u8"中立", u8"何もしません．|");
    tbtn97StatusView = BarButton(command, "tbtn97StatusView", u8"属表",
                                 u8"マウスで指示した要素の属性を表示します．（１～２秒位マウスを止めて下さい．）|");
    tbtn97Raster = BarButton(command, "tbtn97Raster", u8"画像", u8"画像データの設定をします．|");
    tbtn97Tanten = BarButton(command, "tbtn97Tanten", u8"端点", u8"右クリックテスト用|");
    tbtn97PreSelect = BarButton(command, "tbtn97PreSelect", u8"前選択", u8"前選択テスト用|");
    tbtn97Solid = BarButton(command, "tbtn97Solid", u8"塗潰", u8"ソリッドテスト用|");
    new TToolbarSep97(command);
    tbtn97Test = BarButton(command, "tbtn97Test", u8"Test", u8"テスト用です．|");
    tbtn97Test2 = BarButton(command, "tbtn97Test2", u8"Test2", nullptr);
    tbtn97Solid->hide();
    tbtn97Test2->hide();
    tbtn97Test2->SetGroupIndex(2);
    tbtn97Test2->SetAllowAllUp(true);

    // One radio group that may be all up; "中立" is down at start.
    for (TToolbarButton97* button : ModeButtons()) {
        button->SetGroupIndex(1);
        button->SetAllowAllUp(true);
    }
    tbtn97None->SetDown(true);
}

void TForm1::BuildSubCommandBar()
{
    ToolbarSubCommand = NewToolbar("ToolbarSubCommand", u8"サブコマンド", 1, 0, font());
    ToolbarSubCommand->SetDockableTo(TopOrBottom);
    QWidget* client = ToolbarSubCommand->Client();
    psMain = Named(new TPageScroller(client), "psMain");

    tbMainPrint = ButtonRow(client, "tbMainPrint");
    tbMPbtnPrint = ToolButton(tbMainPrint, "tbMPbtnPrint", u8"印刷実行(L)", u8"印刷を実行します．|");
    tbMPbtnRange = ToolButton(tbMainPrint, "tbMPbtnRange", u8"範囲変更(R)", u8"印刷範囲を変更します．|");
    Label2 = Label(tbMainPrint, "Label2", u8"基準点");
    tbMPbtnOrigin = ToolButton(tbMainPrint, "tbMPbtnOrigin", u8"中・中", u8"印刷基準点を設定します．|");
    cbPrintBai = Named(new QComboBox(tbMainPrint), "cbPrintBai");
    cbPrintBai->addItems({ QtText(u8"200%(A4→A2,A3→A1) "), QtText(u8"141%(A4→A3,A3→A2)"), QtText(u8"100%(A4→A4,A3→A3)"),
                           QtText(u8" 71%(A3→A4,A2→A3)"), QtText(u8" 50%(A2→A4,A1→A3)"), QtText(u8" 35%(A0→A3,A1→A4)"),
                           QtText(u8" 25%(A0→A4,A1→A5)"), QtText(u8"任意倍率") });
    ApplyHint(cbPrintBai, QtText(u8"印刷倍率を設定します．|"));
    Label3 = Label(tbMainPrint, "Label3", u8"回転");
    hcbPrintAngle = Named(new THistoryComboBox(tbMainPrint), "hcbPrintAngle");
    hcbPrintAngle->SetSaveFileName(QStringLiteral("Zuview"));
    hcbPrintAngle->SetSaveSectionName(QStringLiteral("PrintAngle"));
    // A history, not a list of limited length: its exit handler keeps it
    // to ten entries, and a longer history file loads whole.
    hcbPrintAngle->setInsertPolicy(QComboBox::NoInsert);
    ApplyHint(hcbPrintAngle, QtText(u8"度-分-秒 or 度.分秒|印刷角度を入力します．|"));
    hcbPrintAngle->setMinimumWidth(90);
    hcbPrintAngle->Loaded();
    tbMPbtnPrintSet = ToolButton(tbMainPrint, "tbMPbtnPrintSet", u8"プリンタ設定", u8"プリンタのプロパティを開きます．|");
    cbColorPrint = CheckBox(tbMainPrint, "cbColorPrint", u8"カラー印刷", u8"カラー印刷します．|");
    tbMPbtnPrintSet2 = ToolButton(tbMainPrint, "tbMPbtnPrintSet2", u8"出力設定", u8"印刷出力に関する設定をします．|");
    tbMPbtnPrintInfo = ToolButton(tbMainPrint, "tbMPbtnPrintInfo", u8"プリンタ情報",
                                  u8"プリンタとデータファイルの情報を表示します．|");
    for (QWidget* control : std::initializer_list<QWidget*> { tbMPbtnPrint, tbMPbtnRange, Label2, tbMPbtnOrigin,
                                                              cbPrintBai, Label3, hcbPrintAngle, tbMPbtnPrintSet,
                                                              cbColorPrint, tbMPbtnPrintSet2, tbMPbtnPrintInfo })
        AddToRow(tbMainPrint, control);

    tbMainRaster = ButtonRow(client, "tbMainRaster");
    tbMRbtnColor = ToolButton(tbMainRaster, "tbMRbtnColor", u8"色設定(L)",
                              u8"画像データの色設定をします．（モノクロ：表示色，カラー：透過色）|");
    AddToRow(tbMainRaster, tbMRbtnColor);
    tbMainPrint->hide();
    tbMainRaster->hide();
    psMain->resize(0, 23);
}

void TForm1::BuildViewBar()
{
    ToolbarView = NewToolbar("ToolbarView", u8"表示設定", 2, 0, font());
    ToolbarView->SetDockableTo(TopOrBottom);
    QWidget* view = ToolbarView->Client();
    cbWidthView = CheckBox(view, "cbWidthView", u8"幅表示", u8"幅付きで線を表示します．|");
    Label5 = Label(view, "Label5", u8" ピッチ／");
    nePrtPitch = Sized(Named(new TNumberEdit(view), "nePrtPitch"));
    nePrtPitch->SetAbs(true);
    nePrtPitch->SetValue(20);
    nePrtPitch->resize(40, 22);
    ApplyHint(nePrtPitch, QtText(u8"1以上の整数を入力して下さい．|"));
    Label6 = Label(view, "Label6", u8"mm");
    new TToolbarSep97(view);
    cbTransparent = CheckBox(view, "cbTransparent", u8"モノクロ透過", u8"モノクロ画像を透過します．（背景色透過）|");
    cbColorTransparent =
        CheckBox(view, "cbColorTransparent", u8"カラー透過", u8"カラー画像を透過します．（指定色透過）|");
    cbTrace = CheckBox(view, "cbTrace", u8"幅線透過", u8"指定幅以上の線をソリッドと見なして透過の対象とします．|");
    neTrace = Named(new TNumberEdit(view), "neTrace");
    neTrace->SetAbs(true);
    neTrace->SetValue(50);
    neTrace->resize(40, 22);
    Label1 = Label(view, "Label1", u8"以上");
    new TToolbarSep97(view);
    tbtnRasSolid = ToolButton(view, "tbtnRasSolid", u8"画像・ソリッド", nullptr, 22);
    tbtnRasSolid->setMenu(PopupMenu1);
    tbtnRasSolid->setPopupMode(QToolButton::MenuButtonPopup);
    Sized(tbtnRasSolid);
    tbtnMojiView = ToolButton(view, "tbtnMojiView", u8"文字表示", nullptr, 22);
    tbtnMojiView->setMenu(PopupMenu2);
    tbtnMojiView->setPopupMode(QToolButton::MenuButtonPopup);
    Sized(tbtnMojiView);
    btnLay = ToolButton(view, "btnLay", u8"レイヤ順無", u8"レイヤ描画順を指定します．|", 22);
    btnCol = ToolButton(view, "btnCol", u8"データ順", u8"線色描画順を指定します．|", 22);
    new TToolbarSep97(view);
    cbSearch = CheckBox(view, "cbSearch", u8"文字列検索", nullptr);
    cbSearch->setChecked(true);
    cbMojiWaku = CheckBox(view, "cbMojiWaku", u8"文字枠", u8"文字枠を表示します．|");
    cbEmbedMoji = CheckBox(view, "cbEmbedMoji", u8"埋込", u8"埋込文字を表示します．|");
    cbMojiWaku->hide();
    cbEmbedMoji->hide();
}

void TForm1::BuildStatusPanels()
{
    const auto panel = [](QWidget* parent, const char* name, int width) {
        auto* label = Named(new QLabel(parent), name);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->resize(width, 21);
        return label;
    };
    ToolbarPanel1 = NewToolbar("ToolbarPanel1", u8"パネル１", 1, 0, font());
    Panel1 = panel(ToolbarPanel1->Client(), "Panel1", 360);
    ToolbarPanel2 = NewToolbar("ToolbarPanel2", u8"パネル２", 1, 380, font());
    Panel2 = panel(ToolbarPanel2->Client(), "Panel2", 400);

    // The status buttons' row spans its dock; the panel follows its width.
    ToolbarPanel3 = NewToolbar("ToolbarPanel3", u8"パネル３", 0, 0, font());
    ToolbarPanel3->SetFullSize(true);
    Panel3 = Named(new QWidget(ToolbarPanel3->Client()), "Panel3");
    Panel3->resize(560, 22);
    Label4 = Named(new QLabel(Panel3), "Label4");
    Label4->setGeometry(2, 1, 220, 20);
    struct StatusButton {
        QToolButton** button;
        const char* name;
        const char8_t* caption;
    };
    const StatusButton buttons[] = {
        { &sbtnUnit, "sbtnUnit", u8"実寸mm" }, { &sbtnPaper, "sbtnPaper", u8"A-1" },
        { &sbtnScale, "sbtnScale", u8"S=1/100" }, { &sbtnGroupLayer, "sbtnGroupLayer", u8"[0-0]" },
        { &sbtnAxis, "sbtnAxis", u8"∠0" }, { &sbtnBairitsu, "sbtnBairitsu", u8"×0.3" },
    };
    int left = 230;
    for (const StatusButton& entry : buttons) {
        auto* button = Named(new QToolButton(Panel3), entry.name);
        button->setText(QtText(entry.caption));
        button->setAutoRaise(true);
        button->setGeometry(left, 0, 56, 22);
        left += 56;
        *entry.button = button;
    }
    Panel3->resize(left + 2, 22);
}

void TForm1::BuildSearchBar()
{
    ToolbarSearch = NewToolbar("ToolbarSearch", u8"文字列検索", 3, 0, font());
    ToolbarSearch->SetDockableTo(TopOrBottom);
    ToolbarSearch->SetCloseButton(true);
    QWidget* search = ToolbarSearch->Client();
    ebSearchWord = Named(new QLineEdit(search), "ebSearchWord");
    ebSearchWord->resize(220, 22);
    ebSearchWord->hide();
    cbSearchWord = Named(new QComboBox(search), "cbSearchWord");
    cbSearchWord->setEditable(true);
    cbSearchWord->resize(220, 22);
    cbSearchWord->setContextMenuPolicy(Qt::CustomContextMenu);
    ApplyHint(cbSearchWord, QtText(u8"右クリックで履歴管理が行えます．"));
    cbSearchNarrow = CheckBox(search, "cbSearchNarrow", u8"絞込", u8"絞込検索を行います．");
    btnSearch = ToolButton(search, "btnSearch", u8"検索", u8"検索を行います．", 22);
    btnSearch->setEnabled(false);
    btnSearch2 = ToolButton(search, "btnSearch2", u8"前索", u8"前検索を行います．", 22);
    btnSearch2->setEnabled(false);
    cbTargetLayer = Named(new QComboBox(search), "cbTargetLayer");
    cbTargetLayer->addItems({ QtText(u8"表示レイヤ"), QtText(u8"書込グループ"), QtText(u8"書込レイヤ") });
    cbTargetLayer->setCurrentIndex(0);
    ApplyHint(cbTargetLayer, QtText(u8"検索対象となるレイヤを選択します．"));
    Sized(cbTargetLayer);
    tbtn97SearchConfig = BarButton(search, "tbtn97SearchConfig", u8"検索設定", nullptr);
    tbtn97SearchConfig->SetDropdownMenu(ppmSearchConfig);
    tbtn97SearchConfig->SetDropdownArrow(true);
    FitBarButton(tbtn97SearchConfig);
    cbPanView = CheckBox(search, "cbPanView", u8"表示中心", u8"検索文字列を表示中心とします．");
    cbPanPrt = CheckBox(search, "cbPanPrt", u8"印刷基点", u8"検索文字列を印刷基点とします．");
    cbKiten = Named(new QComboBox(search), "cbKiten");
    cbKiten->addItems({ QtText(u8"左下"), QtText(u8"中下"), QtText(u8"右下"), QtText(u8"左中"), QtText(u8"中中"), QtText(u8"右中"), QtText(u8"左上"),
                        QtText(u8"中上"), QtText(u8"右上") });
    cbKiten->setCurrentIndex(0);
    cbKiten->setEnabled(false);
    ApplyHint(cbKiten, QtText(u8"表示中心または印刷基点を検索文字列のどの位置にするか選択します．"));
    Sized(cbKiten);
}

void TForm1::BuildGroupLayerWindows()
{
    const auto build = [](const char* window_name, const char8_t* caption, const char* bar1, const char* bar2,
                              char kind, std::vector<QToolButton*>& buttons, QToolButton*& all, QToolButton*& special,
                              const char8_t* special_caption, int width) {
        auto* window = Named(new TToolWindow97, window_name);
        window->SetCaption(QtText(caption));
        window->SetMinClientWidth(15);
        window->SetMinClientHeight(20);
        QWidget* client = window->Client();
        auto* digits = Named(new QWidget(client), bar1);
        digits->setGeometry(0, 0, 152, 46);
        static const char hex[] = "0123456789ABCDEF";
        for (int i = 0; i < 16; ++i) {
            const std::string name = std::string("tb") + kind + std::to_string(i);
            auto* button = Named(new QToolButton(digits), name.c_str());
            button->setText(QString(QChar::fromLatin1(hex[i])));
            button->setCheckable(true);
            button->setAutoExclusive(true);
            button->setAutoRaise(true);
            button->setGeometry((i % 8) * 19, (i / 8) * 21, 19, 21);
            button->setProperty("Tag", i);
            buttons.push_back(button);
        }
        buttons[0]->setChecked(true);
        auto* extra = Named(new QWidget(client), bar2);
        extra->setGeometry(152, 0, 24, 46);
        all = Named(new QToolButton(extra), (std::string("tb") + kind + "All").c_str());
        all->setText(QStringLiteral("All"));
        all->setAutoRaise(true);
        all->setGeometry(0, 0, 24, 21);
        all->setProperty("Tag", 21);
        special = Named(new QToolButton(extra), (std::string("tb") + kind + "Sp").c_str());
        special->setText(QtText(special_caption));
        special->setAutoRaise(true);
        special->setGeometry(0, 21, 24, 21);
        special->setProperty("Tag", 31);
        window->SetClientAreaSize(width, 44);
        return window;
    };
    ToolWindowGroup = build("ToolWindowGroup", u8"グループ", "tbGroup1", "tbGroup2", 'G', GroupButtons, tbGAll, tbGSp,
                            u8"×", 178);
    tbGroup1 = ToolWindowGroup->Client()->findChild<QWidget*>(QStringLiteral("tbGroup1"));
    tbGroup2 = ToolWindowGroup->Client()->findChild<QWidget*>(QStringLiteral("tbGroup2"));
    ToolWindowLayer = build("ToolWindowLayer", u8"レイヤー", "tbLayer1", "tbLayer2", 'L', LayerButtons, tbLAll, tbLSp,
                            u8"G", 179);
    tbLayer1 = ToolWindowLayer->Client()->findChild<QWidget*>(QStringLiteral("tbLayer1"));
    tbLayer2 = ToolWindowLayer->Client()->findChild<QWidget*>(QStringLiteral("tbLayer2"));
}

void TForm1::BuildContinuousPrintWindow()
{
    ToolWindowContinuousPrint = Named(new TToolWindow97, "ToolWindowContinuousPrint");
    ToolWindowContinuousPrint->SetCaption(QtText(u8"ファイル連続印刷"));
    ToolWindowContinuousPrint->SetDockableTo(TopOrBottom);
    ToolWindowContinuousPrint->SetFullSize(true);
    QWidget* client = ToolWindowContinuousPrint->Client();
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ListView1 = Named(new QTreeWidget(client), "ListView1");
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setHeaderLabels({ QtText(u8"番号"), QtText(u8"合成"), QtText(u8"ファイル名"), QtText(u8"更新日時"), QtText(u8"メモ") });
    const int widths[] = { 40, 40, 350, 125, 300 };
    for (int column = 0; column < 5; ++column)
        ListView1->setColumnWidth(column, widths[column]);
    ListView1->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    layout->addWidget(ListView1, 1);

    psToolWindowContPrt = Named(new TPageScroller(client), "psToolWindowContPrt");
    psToolWindowContPrt->setFixedHeight(23);
    tbContPrt = ButtonRow(client, "tbContPrt");
    struct ListButton {
        QToolButton** button;
        const char* name;
        const char8_t* caption;
        const char8_t* hint;
        int width;
        bool separator_after;
    };
    const ListButton buttons[] = {
        { &btnContPrtExec, "btnContPrtExec", u8"連続印刷実行", u8"チェックされているファイルの連続印刷を実行します．|", 80, true },
        { &btnContPrtAdd, "btnContPrtAdd", u8"追加", u8"連続印刷するファイルをリストに追加します．|", 50, false },
        { &btnContPrtAdd2, "btnContPrtAdd2", u8"行二重化", u8"選択されている行を二重化します．|", 50, false },
        { &btnContPrtDel, "btnContPrtDel", u8"削除", u8"選択されているファイルをリストから削除します．|", 50, false },
        { &btnContPrtAll, "btnContPrtAll", u8"全選択", u8"全てのファイルを選択します．|", 50, false },
        { &btnContPrtCheck, "btnContPrtCheck", u8"チェック", u8"選択されているファイルのチェックを反転します．|", 50, false },
        { &btnContPrtClear, "btnContPrtClear", u8"クリア", u8"全てのファイルをリストから削除します．|", 50, true },
        { &btnContPrtMerge, "btnContPrtMerge", u8"合成印刷", u8"選択されているファイルを合成印刷化します．|", 50, false },
        { &btnContPrtMergeClear, "btnContPrtMergeClear", u8"合成解除",
          u8"選択されているファイルの合成印刷化を解除します．|", 50, true },
        { &btnContPrtUp, "btnContPrtUp", u8"↑", u8"選択されているファイルを一行上へ移動します．|", 25, false },
        { &btnContPrtDown, "btnContPrtDown", u8"↓", u8"選択されているファイルを一行下へ移動します．|", 25, true },
        { &btnContPrtCopy, "btnContPrtCopy", u8"コピー", u8"選択されているファイルの印刷設定をコピーします．|", 50, false },
        { &btnContPrtPaste, "btnContPrtPaste", u8"貼付", u8"選択されているファイルに印刷設定を貼付ます．|", 50, false },
        { &btnContPrtPaste2, "btnContPrtPaste2", u8"項目貼付",
          u8"選択されているファイルに印刷設定を項目を選択して貼付ます．|", 50, true },
        { &btnContPrtSave, "btnContPrtSave", u8"リスト保存", u8"連続印刷リストを保存します．|", 60, false },
        { &btnContPrtLoad, "btnContPrtLoad", u8"リスト読込", u8"連続印刷リストを読み込みます．|", 60, true },
        { &btnContPrtConfig, "btnContPrtConfig", u8"設定", u8"連続印刷に関する設定を行います．|", 50, false },
    };
    for (const ListButton& entry : buttons) {
        QToolButton* button = ToolButton(tbContPrt, entry.name, entry.caption, entry.hint);
        button->setFixedSize(entry.width, 21);
        AddToRow(tbContPrt, button);
        if (entry.separator_after)
            AddSeparatorToRow(tbContPrt);
        *entry.button = button;
    }
    for (QToolButton* bold : { btnContPrtUp, btnContPrtDown }) {
        QFont font = bold->font();
        font.setBold(true);
        bold->setFont(font);
    }
    btnContPrtClear->hide();
    psToolWindowContPrt->SetControl(tbContPrt);
    layout->addWidget(psToolWindowContPrt);
    ToolWindowContinuousPrint->SetClientAreaSize(703, 77);
    ToolWindowContinuousPrint->setVisible(false);
}

void TForm1::BuildDocks()
{
    for (TDock97* dock : { DockTop, DockBottom, DockLeft, DockRight })
        dock->SetFixAlign(true);
    ToolbarFile->SetDockedTo(DockTop);
    ToolbarCommand1->SetDockedTo(DockTop);
    ToolbarSubCommand->SetDockedTo(DockTop);
    ToolbarView->SetDockedTo(DockTop);
    ToolbarSearch->SetDockedTo(DockTop);
    ToolWindowGroup->SetDockRow(4);
    ToolWindowLayer->SetDockRow(4);
    ToolWindowLayer->SetDockPos(200);
    ToolWindowGroup->SetDockedTo(DockTop);
    ToolWindowLayer->SetDockedTo(DockTop);
    ToolbarPanel3->SetDockedTo(DockBottom);
    ToolbarPanel1->SetDockedTo(DockBottom);
    ToolbarPanel2->SetDockedTo(DockBottom);
    ToolWindowContinuousPrint->SetDockRow(2);
    ToolWindowContinuousPrint->SetDockedTo(DockBottom);
}

void TForm1::ConnectHandlers()
{
    hint_status_ = new THintStatus([this](const QString& text) { StatusBar1->showMessage(text); }, this);
    hint_status_->Watch(this);

    InstallKeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
    InstallWheelPreview(this, [this](QWheelEvent* event) { return FormMouseWheel(event); });
    PaintBox1->OnPaint = [this] { PaintBox1Paint(); };
    PaintBox1->OnResize = [this] { FormResize(); };
    PaintBox1->OnMouseDown = [this](Qt::MouseButton button, QPoint point) {
        if (const std::optional<TReleasedButton> released = ReleasedButtonOf(button))
            PaintBox1MouseDown(*released, point.x(), point.y());
    };
    PaintBox1->OnMouseMove = [this](QPoint point) { PaintBox1MouseMove(point.x(), point.y()); };
    PaintBox1->OnMouseUp = [this](Qt::MouseButton button, QPoint point) {
        if (const std::optional<TReleasedButton> released = ReleasedButtonOf(button))
            PaintBox1MouseUp(*released, point.x(), point.y());
    };
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    for (TDock97* dock : { DockTop, DockBottom, DockLeft, DockRight })
        connect(dock, &TDock97::DockResized, this, [this] { FormResize(); });

    connect(Open1, &QAction::triggered, this, [this] { Open1Click(); });
    connect(tbtn97Open, &TToolbarButton97::clicked, this, [this] { Open1Click(); });
    connect(Refresh1, &QAction::triggered, this, [this] { tbtn97UpdateClick(); });
    connect(tbtn97Update, &TToolbarButton97::clicked, this, [this] { tbtn97UpdateClick(); });
    connect(tbtn97ZHF, &TToolbarButton97::clicked, this, [this] { tbtn97ZHFClick(); });
    connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    connect(tbtn97Close, &TToolbarButton97::clicked, this, [this] { tbtn97CloseClick(); });
    connect(tbtn97Test, &TToolbarButton97::clicked, this, [this] { tbtn97TestClick(); });
    for (TToolbarButton97* button : ModeButtons())
        connect(button, &TToolbarButton97::clicked, this, [this, button] { tbtn97Click(button); });
    for (QAction* item : ViewItems)
        connect(item, &QAction::triggered, this, [this, item] { ViewLayerClick(item); });
    connect(Show1, &QMenu::aboutToShow, this, [this] { Show1Click(); });
    connect(T1, &QMenu::aboutToShow, this, [this] { Show1Click(); });
    connect(cbSearch, &QCheckBox::toggled, this, [this] { cbSearchClick(); });
    connect(ToolbarSearch, &TCustomToolWindow97::Closed, this, [this] { ToolbarSearchClose(); });
    connect(sbtnUnit, &QToolButton::clicked, this, [this] { sbtnUnitClick(); });
    ConnectViewOptions();
    ConnectSearchBar();
    ConnectPrintFrame();
    ConnectPrintModes();
    connect(Makebat1, &QAction::triggered, this, [this] { Makebat1Click(); });
    connect(Tutorial1, &QAction::triggered, this, [this] { Tutorial1Click(); });
    connect(About1, &QAction::triggered, this, [this] { About1Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();

    // Moves over the bars and the status bar themselves (not their
    // controls) tell that the mouse left the drawing.
    std::vector<QWidget*> outside_drawing = { StatusBar1, DockTop, DockBottom, DockLeft, DockRight, tbMainRaster };
    for (TCustomToolWindow97* window : findChildren<TCustomToolWindow97*>())
        outside_drawing.push_back(window);
    for (QWidget* widget : outside_drawing) {
        widget->setMouseTracking(true);
        widget->setProperty(outside_drawing_property, true);
        widget->installEventFilter(this);
    }
    ToolbarPanel3->installEventFilter(this);
}

// The view toolbar and its menus. Qt has toggled a checkable item when it
// reports the click: its mark before the click is the other one.
void TForm1::ConnectViewOptions()
{
    connect(cbWidthView, &QCheckBox::toggled, this, [this] { cbWidthViewClick(); });
    for (QCheckBox* box : { cbTransparent, cbColorTransparent })
        connect(box, &QCheckBox::toggled, this, [this] { cbTransparentClick(); });
    connect(cbTrace, &QCheckBox::toggled, this, [this] { cbTraceClick(); });
    connect(cbMojiWaku, &QCheckBox::toggled, this, [this] { cbMojiWakuClick(); });
    connect(cbEmbedMoji, &QCheckBox::toggled, this, [this] { cbEmbedMojiClick(); });
    for (TNumberEdit* edit : { neTrace, nePrtPitch })
        connect(edit, &QLineEdit::textChanged, this, [this] { neTraceChange(); });
    connect(neTrace, &TNumberEdit::Left, this, [this] { neTraceExit(); });
    connect(nePrtPitch, &TNumberEdit::Left, this, [this] { nePrtPitchExit(); });
    connect(btnLay, &QToolButton::clicked, this, [this] { btnLayClick(); });
    connect(btnCol, &QToolButton::clicked, this, [this] { btnColClick(); });
    for (QAction* item : { N2, N4 })
        connect(item, &QAction::triggered, this, [this, item](bool checked) { N2Click(item, !checked); });
    for (QAction* item : { N11, N12, N13, N14, N15 })
        connect(item, &QAction::triggered, this, [this, item](bool checked) { N11Click(item, !checked); });
    for (QAction* item : { miMojiWaku, miEmbedMoji, miEdgeMoji, miEdgeMoji2, miFinalMoji })
        connect(item, &QAction::triggered, this, [this, item] { miFinalMojiClick(item); });
    connect(miRasLoadConfig, &QAction::triggered, this, [this] { miRasLoadConfigClick(); });
    connect(tbtnRasSolid, &QToolButton::clicked, this, [this] { tbtnRasSolidClick(); });
    connect(miDetail, &QAction::triggered, this, [this] { miDetailClick(); });
    connect(tbtnMojiView, &QToolButton::clicked, this, [this] { tbtnMojiViewClick(); });
    connect(tbMRbtnColor, &QToolButton::clicked, this, [this] { tbMRbtnColorClick(); });
}

void TForm1::ConnectSearchBar()
{
    connect(cbSearchNarrow, &QCheckBox::toggled, this, [this] { cbSearchNarrowClick(); });
    connect(cbPanView, &QCheckBox::toggled, this, [this] { cbPanViewClick(); });
    connect(cbPanPrt, &QCheckBox::toggled, this, [this] { cbPanPrtClick(); });
    connect(cbTargetLayer, &QComboBox::activated, this, [this] { cbTargetLayerClick(); });
    connect(cbKiten, &QComboBox::activated, this, [this] { cbKitenClick(); });
    for (QToolButton* button : { btnSearch, btnSearch2 })
        connect(button, &QToolButton::clicked, this, [this, button] { btnSearchClick(button); });
    connect(cbSearchWord, &QComboBox::editTextChanged, this, [this] { cbSearchWordChange(); });
    connect(ebSearchWord, &QLineEdit::textChanged, this, [this] { ebSearchWordChange(); });
    connect(cbSearchWord, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { ppmSearchHistory->popup(cbSearchWord->mapToGlobal(point)); });
    connect(SearchHistorySave, &QAction::triggered, this, [this] { SearchHistorySaveClick(); });
    connect(SearchHistoryLoad, &QAction::triggered, this, [this] { SearchHistoryLoadClick(); });
    connect(SearchHistoryClear, &QAction::triggered, this, [this] { SearchHistoryClearClick(); });
    for (QAction* item : { ppmSCPerfect, ppmSCZH, ppmSCOK, ppmSCSPACE, ppmSCKINWARI, ppmSCSPST, ppmSCRegular,
                           ppmSCNoSort, ppmSCSortText, ppmSCSortText2 })
        connect(item, &QAction::triggered, this, [this] { ppmSCSortText2Click(); });
    search_bar_->InstallKeyFilters();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && watched->property(outside_drawing_property).toBool())
        DockBottomMouseMove();
    if (event->type() == QEvent::Resize && watched == ToolbarPanel3)
        ToolbarPanel3Resize();
    return QMainWindow::eventFilter(watched, event);
}

// The print toolbar's controls that edit the frame; the angle box's exit is
// the frame's own (it watches the box for leaving).
void TForm1::ConnectPrintFrame()
{
    connect(tbMPbtnRange, &QToolButton::clicked, this, [this] { tbMPbtnRangeClick(); });
    connect(tbMPbtnOrigin, &QToolButton::clicked, this, [this] { tbMPbtnOriginClick(); });
    connect(cbPrintBai, &QComboBox::activated, this, [this] { cbPrintBaiChange(); });
    connect(hcbPrintAngle, &QComboBox::editTextChanged, this, [this] { hcbPrintAngleChange(); });
    connect(hcbPrintAngle, &QComboBox::activated, this, [this](int index) { hcbPrintAngleClick(index); });
    connect(cbColorPrint, &QCheckBox::clicked, this, [this] { cbColorPrintClick(); });
    print_frame_->InstallAngleExit();
}
