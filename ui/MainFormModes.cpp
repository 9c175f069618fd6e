// Command modes: the radio group of mode buttons on the file and command
// toolbars, and the View menu that shows and hides the bars.

#include "ui/MainForm.h"

#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"
#include "ui/PageScroller.h"
#include "ui/PaintBox.h"

#include <QAction>
#include <QCheckBox>
#include <QStatusBar>

void TForm1::Print1Push(TToolbarButton97* sender)
{
    (void)sender;
}

void TForm1::Output1Push(TToolbarButton97* sender)
{
    (void)sender;
}

void TForm1::tbtn97Click(TToolbarButton97* sender)
{
    if (!document_ || !sender)
        return;
    if (CommandMode == 6) {
        document_->ClearSelection();
        CanvasDraw(*document_, "SelectClear()");
    }
    SavedStatusText = StatusText();
    SetCommandStatus(QString());
    const bool print_down = tbtn97Print->Down();
    const bool continuous_down = tbtn97ContPrint->Down();
    const bool output_down = tbtn97Output->Down();
    document_->GetInfoRegPtr().FileOutput = output_down ? 1 : 0;
    for (TToolbarButton97* button : { tbtn97Print, tbtn97ContPrint, tbtn97Output, tbtn97None, tbtn97StatusView,
                                      tbtn97Raster, tbtn97Tanten, tbtn97PreSelect, tbtn97Solid })
        button->SetDown(false);
    tbMainRaster->hide();
    ToolWindowContinuousPrint->setVisible(false);
    sender->SetDown(true);

    const QString name = sender->objectName();
    const auto show_mode = [this](const char8_t* text) {
        SavedStatusText = StatusText();
        SetCommandStatus(QtText(text));
    };
    if (name == "tbtn97Print" || name == "tbtn97ContPrint") {
        show_mode(name == "tbtn97Print" ? u8"印刷します．" : u8"ファイル連続印刷します．");
        Print1Push(sender);
    } else if (name == "tbtn97Output") {
        show_mode(u8"ファイルに出力します．");
        WriteDebugLog("Output1-tbtn97Click(1)");
        Output1Push(sender);
    } else {
        if (print_down)
            Print1Push(sender);
        if (continuous_down)
            Print1Push(sender);
        if (output_down) {
            WriteDebugLog("Output1-tbtn97Click(2)");
            Output1Push(sender);
        }
        CommandSubMode = 0;
        if (name == "tbtn97None") {
            CommandMode = 0;
            show_mode(u8"何もしません．");
        } else if (name == "tbtn97StatusView") {
            CommandMode = 3;
            show_mode(u8"カーソル位置の属性表示．");
        } else if (name == "tbtn97Raster") {
            CommandMode = 4;
            show_mode(u8"画像編集？");
            psMain->SetControl(tbMainRaster);
            tbMainRaster->show();
            ToolbarSubCommand->ArrangeControls();
        } else if (name == "tbtn97Tanten") {
            CommandMode = 5;
            show_mode(u8"端点確認");
        } else if (name == "tbtn97PreSelect") {
            CommandMode = 6;
            document_->ReselectMarked();
            document_->RefreshLayerStates();
            {
                TImageCanvas canvas(PaintBox1->Front());
                document_->GetElemListPtr().DrawSelected(canvas, *document_);
                canvas.Finish();
            }
            PaintBox1->ShowFront();
            show_mode(u8"前選択");
        } else if (name == "tbtn97Solid") {
            CommandMode = 7;
            std::string report;
            PickedPoints.clear();
            document_->FindIntersections(PickedPoints, report);
            std::size_t points = 0;
            for (const auto& list : PickedPoints)
                points += list.size();
            ShowStatusLine(report + " : " + std::to_string(points) + Utf8ToSjis("点"), "Solid()");
            show_mode(u8"ソリッド");
        }
    }
    ToolbarSubCommand->setFocus();
}

void TForm1::tbtn97CloseClick()
{
    Exit1Click();
}

QWidget* TForm1::ViewBar(int tag) const
{
    QWidget* const bars[] = { ToolbarFile,   ToolbarCommand1, ToolbarView,     ToolbarPanel1, ToolbarPanel2,
                              ToolbarPanel3, ToolWindowGroup, ToolWindowLayer, ToolbarSearch };
    return tag >= 0 && tag < static_cast<int>(std::size(bars)) ? bars[tag] : nullptr;
}

void TForm1::ViewLayerClick(QAction* sender)
{
    if (!sender)
        return;
    const int tag = sender->data().toInt();
    // The action toggled its check itself when the user chose it.
    const bool show = sender->isChecked();
    auto* window = static_cast<TCustomToolWindow97*>(ViewBar(tag));
    if (!window)
        return;
    window->setVisible(show);
    if (tag == 8)
        cbSearch->setChecked(show);
    if ((tag == 6 || tag == 7) && window->Visible())
        MakeClientLower(static_cast<TToolWindow97*>(window));
}

void TForm1::Show1Click()
{
    for (int tag = 0; tag < static_cast<int>(ViewItems.size()); ++tag) {
        const auto* window = static_cast<const TCustomToolWindow97*>(ViewBar(tag));
        ViewItems[static_cast<std::size_t>(tag)]->setChecked(window && window->Visible());
    }
}

void TForm1::cbSearchClick()
{
    ViewItems[8]->setChecked(cbSearch->isChecked());
    ToolbarSearch->setVisible(cbSearch->isChecked());
    ToolbarSubCommand->setFocus();
}

void TForm1::ToolbarSearchClose()
{
    cbSearch->setChecked(false);
    ViewItems[8]->setChecked(cbSearch->isChecked());
    ToolbarSubCommand->setFocus();
}
