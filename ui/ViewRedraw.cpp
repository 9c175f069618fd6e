// The drawing view: setting the view up for the paint box's size, the
// redraw every command ends with, and the debug status line.

#include "ui/ViewRedraw.h"

#include "controls/ToolbarButton97.h"
#include "core/DebugLog.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "platform/Tick.h"
#include "platform/ui/QtText.h"
#include "ui/MainControls.h"
#include "ui/PaintBox.h"
#include "ui/StatusButtons.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>

#include <chrono>

namespace {

// Redraws closer together than this to the end of the last one are put off.
constexpr std::uint32_t redraw_gate_ms = 10;

} // namespace

TViewRedraw::TViewRedraw(TMainWindowHost& host, TStatusButtons& status_buttons)
    : TMainFeature(host)
    , status_buttons_(status_buttons)
{
    UseClock(MakeSteadyRedrawClock());
}

TViewRedraw::~TViewRedraw() = default;

void TViewRedraw::UseClock(std::unique_ptr<TRedrawClock> clock)
{
    if (clock_)
        clock_->Cancel();
    clock_ = std::move(clock);
    last_redraw_tick_ = clock_->Now();
}

void TViewRedraw::Initialize()
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TInfoREG& info = document->GetInfoRegPtr();
    if (info.OutputJob != 0)
        return;
    const QMainWindow& window = host_.Window();
    TMainControls& c = host_.Controls();
    WriteDebugLog("<Initialize>");
    WriteDebugLog("Height:" + std::to_string(window.height()));
    WriteDebugLog("ClientHeight:" + std::to_string(window.centralWidget()->height()));
    TZhdZoom view = info.GetView();
    view.SetScale(0);
    info.SetView(view);
    info.SetPixelWidth(c.PaintBox1->width());
    info.SetPixelHeight(c.PaintBox1->height());
    info.SetBairitsu(0, 0, *document);
    const QPoint cursor = host_.State().CursorPoint;
    info.SetMouseScreen(TBPoint(cursor.x(), cursor.y()));
    CanvasDraw(*document, "Initialize()");
    c.Panel1->setText(SjisText(info.GetStatusText()));
    initialised_ = true;
    back_buffer_ = c.PaintBox1->Front().copy();
    host_.State().Busy = 0;
    status_buttons_.UpdateStatusButtons(0);
    WriteDebugLog("</Initialize>");
}

void TViewRedraw::CanvasDraw(TZhdData& document, const std::string& label)
{
    if (closed_)
        return;
    const std::uint32_t now = clock_->Now();
    const std::uint32_t since_last = now - last_redraw_tick_;
    WriteDebugLog(StringPrintf("CanvasDrawTime= %u %u %u", now, last_redraw_tick_, since_last));
    if (since_last < redraw_gate_ms) {
        WriteDebugLog("return");
        // The request is not lost: the newest one is drawn as soon as the
        // gate opens, so the final picture is always the current state.
        PutOff(redraw_gate_ms - since_last, label);
        return;
    }
    clock_->Cancel();
    DrawNow(document, label);
}

void TViewRedraw::CanvasDrawAfterBurst(const std::string& label)
{
    if (closed_)
        return;
    PutOff(redraw_gate_ms, label);
}

void TViewRedraw::PutOff(std::uint32_t milliseconds, const std::string& label)
{
    clock_->CallAfter(static_cast<int>(milliseconds), [this, label] {
        if (TZhdData* displayed = host_.Document())
            CanvasDraw(*displayed, label);
    });
}

void TViewRedraw::DrawNow(TZhdData& document, const std::string& label)
{
    TMainControls& c = host_.Controls();
    TInfoREG& info = document.GetInfoRegPtr();
    info.DrawingFlag = 1;
    info.ElementsDrawn = info.ElementTotal = info.PagesDone = info.PageTotal = 0;
    if (info.OutputJob != 0 || info.PrintPreview != 0)
        info.LineWidthDisplay = 1;
    document.RefreshLayerStates();
    {
        TImageCanvas canvas(c.PaintBox1->Front());
        document.GetElemListPtr().Draw(canvas, document);
        canvas.Finish();
    }
    info.DrawingFlag = 0;
    const auto copy_start = std::chrono::steady_clock::now();
    // The back buffer keeps the picture without the overlays: drawing them
    // again in not-XOR mode takes out the ones the list drew.
    back_buffer_ = c.PaintBox1->Front().copy();
    {
        TImageCanvas back(back_buffer_);
        info.DrawViewOverlays(back, document);
        back.Finish();
    }
    info.LineWidthDisplay = c.cbWidthView->isChecked() ? 1 : 0;
    const std::string copy_text = SjPrintf(u8" #CopyRect ：%.8f秒", SecondsSince(copy_start));
    ShowStatusLine(info.GetStatusText() + copy_text, label);
    last_redraw_tick_ = clock_->Now();
    WriteDebugLog("CanvasDraw()");
    c.PaintBox1->ShowFront();
}

void TViewRedraw::ShowStatusLine(const std::string& text, const std::string& label)
{
    const TMainState& state = host_.State();
    QString line = label.empty() ? SjisText(text) : QString::fromStdString(label) + " | " + SjisText(text);
    line += " | ";
    if (const QWidget* focus = QApplication::focusWidget())
        line += focus->objectName();
    if (state.SearchFocusFlag)
        line += " *";
    line += QStringLiteral(" {%1-%2}").arg(state.CommandMode).arg(state.CommandSubMode);
    host_.Controls().Panel2->setText(line);
    // The trace keeps the line too: it tells which view each picture shows,
    // which the status bar forgets at the next one.
    WriteDebugLog(line.toStdString());
}

void TViewRedraw::Paint()
{
    WriteDebugLog("<PaintBox1Paint>");
    TZhdData* document = host_.Document();
    if (!document) {
        WriteDebugLog("</PaintBox1Paint>");
        return;
    }
    TMainControls& c = host_.Controls();
    if (!initialised_) {
        Initialize();
    } else if (document->GetInfoRegPtr().OutputJob == 0) {
        if (host_.State().DragState != 0) {
            ShowStatusLine(document->GetInfoRegPtr().GetStatusText(), "PaintBox1Paint2()");
        } else if (c.tbtn97Test2->Down()) {
            QImage& front = c.PaintBox1->Front();
            if (back_buffer_.size() == front.size())
                front = back_buffer_.copy();
        } else {
            CanvasDraw(*document, "PaintBox1Paint()");
        }
    }
    WriteDebugLog("</PaintBox1Paint>");
}

void TViewRedraw::Resized()
{
    initialised_ = false;
    const QMainWindow& window = host_.Window();
    const TMainControls& c = host_.Controls();
    const int client_height = window.centralWidget() ? window.centralWidget()->height() : window.height();
    c.Panel1->setText(
        QStringLiteral("%1:%2:%3").arg(window.height()).arg(client_height).arg(c.PaintBox1->height()));
    const Qt::WindowStates state = window.windowState();
    const int window_state = (state & Qt::WindowMinimized) ? 1 : (state & Qt::WindowMaximized) ? 2 : 0;
    WriteDebugLog("<FormResize>");
    WriteDebugLog(StringPrintf("%d %d %d %d %d", window_state, window.x(), window.y(), window.width(), window.height()));
    WriteDebugLog("</FormResize>");
}

void TViewRedraw::Close()
{
    clock_->Cancel();
    closed_ = true;
}
