// The main window's life cycle: creation, the first showing with the
// settings and the command line, closing, drops and dialog keys.

#include "ui/MainForm.h"

#include "controls/HistoryComboBox.h"
#include "controls/NumberEdit.h"
#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "controls/ToolbarPositions.h"
#include "core/Angle.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/AsciiCase.h"
#include "platform/ImagePlugin.h"
#include "platform/ShiftJis.h"
#include "platform/Tick.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/IniFile.h"
#include "platform/ui/QtText.h"
#include "ui/AboutBox.h"
#include "ui/PaintBox.h"
#include "ui/ProgramVersion.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>

namespace {

// A clock face: the picture ORed over a black disc, white transparent.
QImage LoadClockFace(const std::filesystem::path& file, int radius)
{
    QImage picture;
    if (!picture.load(QString::fromStdString(file.string())))
        return {};
    const int side = std::max(1, 2 * radius - 2);
    QImage face(side, side, QImage::Format_RGB32);
    face.fill(Qt::white);
    QPainter painter(&face);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawEllipse(0, 0, side - 1, side - 1);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(QRect(0, 0, side, side), picture.convertToFormat(QImage::Format_RGB32));
    painter.end();
    // White is the transparent colour.
    QImage transparent = face.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < transparent.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(transparent.scanLine(y));
        for (int x = 0; x < transparent.width(); ++x) {
            if ((line[x] & 0xffffffu) == 0xffffffu)
                line[x] = 0;
        }
    }
    return transparent;
}

} // namespace

TForm1::TForm1(std::vector<std::string> arguments, QWidget* parent)
    : QMainWindow(parent)
    , arguments_(std::move(arguments))
    , document_(std::make_unique<TZhdData>())
    , working_copy_(std::make_unique<TZhdData>())
{
    BuildControls();
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
    FormDestroy();
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
    ProgramTitle = WindowTitle = QtText(ProgramCaption);
    setWindowTitle(WindowTitle);
    // The cross-hair stands for the mouse over the drawing.
    PaintBox1->setCursor(Qt::BlankCursor);
    UnitFactor = 1.0;
    PrintTitle.clear();
    DefaultPrintTitle.clear();
    FreePrintScale = 0.0;
    CommandMode = CommandSubMode = 0;
    ButtonBits = DragState = ClockMenuState = HookPressFlag = ClockMenuButton = ClockFace = 0;
    std::fill(std::begin(TipRect), std::end(TipRect), -1);
    PinnedTip = false;
    CurrentClockCommand = 0;
    ClockRadius = 30;
    TInfoREG& info = document_->GetInfoRegPtr();
    info.MojiWaku = 0;
    info.EmbedMoji = 0;
    rest_stopwatch_.Restart();
    neTrace->setEnabled(false);
    cbTrace->setEnabled(false);
    SearchHitFlag = false;
    SelectedCandidate = 0;
    SearchCandidates.clear();
    SearchFocusFlag = false;
    MouseOverDrawing = false;
    ProgramImagePlugins();
    for (QToolButton* button : { btnContPrtExec, btnContPrtAdd2, btnContPrtDel, btnContPrtAll, btnContPrtCheck,
                                 btnContPrtMerge, btnContPrtMergeClear, btnContPrtUp, btnContPrtDown, btnContPrtCopy,
                                 btnContPrtPaste, btnContPrtPaste2, btnContPrtSave })
        button->setEnabled(false);
    SavedStatusText = StatusText();
    tbMainPrint->hide();
    tbMPbtnOrigin->setText(SjisText(LookUp(Vocabulary.BasePointNames, 0)));
    cbPrintBai->setCurrentIndex(2);
    hcbPrintAngle->setCurrentIndex(0);
    cbColorPrint->setChecked(info.ColorPrint != 0);
    ApplyHint(Label5, QtText(u8"線種の出力ピッチの調整をします．\n([基本設定]→[線種]→[出力ピッチ])÷値が1dotのピッチ(mm)"
                        u8"になります．\n値が大きい程細かくなります．|"));
    SingleClickFlag = LeftDoubleClickFlag = RightDoubleClickFlag = DoubleClickSuppression = 0;
    GroupBarBitmap = QImage(304, 21, QImage::Format_RGB32);
    LayerBarBitmap = QImage(304, 21, QImage::Format_RGB32);
    GlyphStrip = QImage(68, 15, QImage::Format_RGB32);
    for (QImage* blank : { &GroupBarBitmap, &LayerBarBitmap, &GlyphStrip })
        blank->fill(Qt::white);
    BuildClockFaces();
    ButtonOrder = { 0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15 };
    ButtonPressFlag = 0;
    ButtonPressPosition = {};
    GroupLayerRedrawPending = 0;
    AllGroupsState = AllLayersState = 2;
    TemporaryFullView = WriteTargetSelectionFlag = 0;
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
    const std::filesystem::path settings = SettingsPath();
    if (std::filesystem::exists(settings)) {
        WriteDebugLog("/**/");
        IniLoadToolbarPositions(this, settings, QString());
        WriteDebugLog("/**/");
    }
    if (!tbtn97ContPrint->Down())
        ToolWindowContinuousPrint->setVisible(false);
    CurrentGroup = 0;
    LastRedrawTick = GetTickCount();
    WriteDebugLog("</FormCreate>");
}

void TForm1::BuildClockFaces()
{
    const std::filesystem::path folder = ProgramFolder();
    AmFace = LoadClockFace(folder / "am.bmp", ClockRadius);
    PmFace = LoadClockFace(folder / "pm.bmp", ClockRadius);
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
    ToolbarSubCommand->setFocus();
    SearchFocusFlag = false;
    TInfoREG& info = document_->GetInfoRegPtr();
    if (!info.SettingsFilePath.empty())
        ReadCadSettingsFile(NativePath(info.SettingsFilePath));
    if (!ViewInitialised)
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
        std::filesystem::path path = PathFromUtf8(arguments_[0]);
        if (EqualsIgnoringAsciiCase(path.filename().string(), "zhc_temp.txt")) {
            // The CAD program's external-command data names the drawing.
            TZhdData data_file;
            (void)data_file.LoadZhcText(SjisPath(path));
            path = NativePath(data_file.GetHead().GetFileName());
        }
        FileOpen(path);
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
    trailing_redraw_->stop();
    closed_ = true;
    document_.reset();
    working_copy_.reset();
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

QString TForm1::StatusText() const
{
    return StatusBar1->currentMessage();
}

void TForm1::SetCommandStatus(const QString& text)
{
    StatusBar1->showMessage(text);
}
