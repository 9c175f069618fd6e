// Command modes: the radio group of mode buttons on the file and command
// toolbars.

#include "ui/CommandModes.h"

#include "controls/ResizableToolWindow97.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "core/BPoint.h"
#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"
#include "ui/MainControls.h"
#include "ui/PageScroller.h"
#include "ui/PaintBox.h"

#include <QStatusBar>

#include <vector>

TCommandModes::TCommandModes(TMainWindowHost& host, TFrameModeSwitch print_push, TFrameModeSwitch output_push)
    : TMainFeature(host)
    , print_push_(std::move(print_push))
    , output_push_(std::move(output_push))
{
}

void TCommandModes::ShowModeText(const char8_t* text)
{
    QStatusBar* status_bar = host_.Controls().StatusBar1;
    host_.State().SavedStatusText = status_bar->currentMessage();
    status_bar->showMessage(QtText(text));
}

void TCommandModes::Click(TToolbarButton97* sender)
{
    TZhdData* document = host_.Document();
    if (!document || !sender)
        return;
    TMainControls& c = host_.Controls();
    if (host_.State().CommandMode == PreSelectMode) {
        document->ClearSelection();
        host_.Redraw("SelectClear()");
    }
    host_.State().SavedStatusText = c.StatusBar1->currentMessage();
    c.StatusBar1->showMessage(QString());
    const bool print_down = c.tbtn97Print->Down();
    const bool continuous_down = c.tbtn97ContPrint->Down();
    const bool output_down = c.tbtn97Output->Down();
    document->GetInfoRegPtr().FileOutput = output_down ? 1 : 0;
    for (TToolbarButton97* button : c.ModeButtons())
        button->SetDown(false);
    c.tbMainRaster->hide();
    c.ToolWindowContinuousPrint->setVisible(false);
    sender->SetDown(true);

    const QString name = sender->objectName();
    if (name == "tbtn97Print" || name == "tbtn97ContPrint") {
        ShowModeText(name == "tbtn97Print" ? u8"印刷します．" : u8"ファイル連続印刷します．");
        print_push_(sender);
    } else if (name == "tbtn97Output") {
        ShowModeText(u8"ファイルに出力します．");
        WriteDebugLog("Output1-tbtn97Click(1)");
        output_push_(sender);
    } else {
        LeaveFrameModes(sender, print_down, continuous_down, output_down);
        EnterMode(sender);
    }
    c.ToolbarSubCommand->setFocus();
}

// Each frame mode that was on finds its button up and switches off.
void TCommandModes::LeaveFrameModes(TToolbarButton97* sender, bool print_down, bool continuous_down,
                                    bool output_down)
{
    if (print_down)
        print_push_(sender);
    if (continuous_down)
        print_push_(sender);
    if (output_down) {
        WriteDebugLog("Output1-tbtn97Click(2)");
        output_push_(sender);
    }
}

void TCommandModes::EnterMode(TToolbarButton97* sender)
{
    TMainState& state = host_.State();
    TMainControls& c = host_.Controls();
    const QString name = sender->objectName();
    state.CommandSubMode = 0;
    if (name == "tbtn97None") {
        state.CommandMode = NoCommandMode;
        ShowModeText(u8"何もしません．");
    } else if (name == "tbtn97StatusView") {
        state.CommandMode = AttributeMode;
        ShowModeText(u8"カーソル位置の属性表示．");
    } else if (name == "tbtn97Raster") {
        state.CommandMode = ImageMode;
        ShowModeText(u8"画像編集？");
        c.psMain->SetControl(c.tbMainRaster);
        c.tbMainRaster->show();
        c.ToolbarSubCommand->ArrangeControls();
    } else if (name == "tbtn97Tanten") {
        state.CommandMode = EndPointMode;
        ShowModeText(u8"端点確認");
    } else if (name == "tbtn97PreSelect") {
        state.CommandMode = PreSelectMode;
        DrawPreSelection();
        ShowModeText(u8"前選択");
    } else if (name == "tbtn97Solid") {
        state.CommandMode = SolidMode;
        CollectIntersections();
        ShowModeText(u8"ソリッド");
    }
}

// The pre-selected elements are selected again and drawn over the view.
void TCommandModes::DrawPreSelection()
{
    TZhdData& document = *host_.Document();
    TPaintBox* paint_box = host_.Controls().PaintBox1;
    document.ReselectMarked();
    document.RefreshLayerStates();
    {
        TImageCanvas canvas(paint_box->Front());
        document.GetElemListPtr().DrawSelected(canvas, document);
        canvas.Finish();
    }
    paint_box->ShowFront();
}

// The drawing's intersections, counted on the status line.
void TCommandModes::CollectIntersections()
{
    std::string report;
    std::vector<std::vector<TBPoint>> points;
    host_.Document()->FindIntersections(points, report);
    std::size_t count = 0;
    for (const auto& list : points)
        count += list.size();
    host_.ShowStatusLine(report + " : " + std::to_string(count) + Utf8ToSjis("点"), "Solid()");
}
