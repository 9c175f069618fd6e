// The drawing view: setting the view up for the paint box's size, the
// redraw every command ends with, the debug status line and the row of
// status buttons.

#include "ui/MainForm.h"

#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "core/DebugLog.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "platform/Tick.h"
#include "platform/ui/QtText.h"
#include "ui/PaintBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <chrono>

namespace {

// Redraws closer together than this to the end of the last one are put off.
constexpr std::uint32_t redraw_gate_ms = 10;

} // namespace

void TForm1::Initialize()
{
    if (!document_)
        return;
    TInfoREG& info = document_->GetInfoRegPtr();
    if (info.OutputJob != 0)
        return;
    WriteDebugLog("<Initialize>");
    WriteDebugLog("Height:" + std::to_string(height()));
    WriteDebugLog("ClientHeight:" + std::to_string(centralWidget()->height()));
    TZhdZoom view = info.GetView();
    view.SetScale(0);
    info.SetView(view);
    info.SetPixelWidth(PaintBox1->width());
    info.SetPixelHeight(PaintBox1->height());
    info.SetBairitsu(0, 0, *document_);
    info.SetMouseScreen(TBPoint(CursorPoint.x(), CursorPoint.y()));
    CanvasDraw(*document_, "Initialize()");
    Panel1->setText(SjisText(info.GetStatusText()));
    ViewInitialised = true;
    BackBuffer = PaintBox1->Front().copy();
    BusyFlag = 0;
    UpdateStatusButtons(0);
    WriteDebugLog("</Initialize>");
}

void TForm1::CanvasDraw(TZhdData& document, const std::string& label)
{
    if (closed_)
        return;
    const std::uint32_t now = GetTickCount();
    const std::uint32_t since_last = now - LastRedrawTick;
    WriteDebugLog(StringPrintf("CanvasDrawTime= %u %u %u", now, LastRedrawTick, since_last));
    if (since_last < redraw_gate_ms) {
        WriteDebugLog("return");
        // The request is not lost: the newest one is drawn as soon as the
        // gate opens, so the final picture is always the current state.
        trailing_label_ = label;
        trailing_redraw_->start(static_cast<int>(redraw_gate_ms - since_last));
        return;
    }
    trailing_redraw_->stop();
    TInfoREG& info = document.GetInfoRegPtr();
    info.DrawingFlag = 1;
    info.ElementsDrawn = info.ElementTotal = info.PagesDone = info.PageTotal = 0;
    if (info.OutputJob != 0 || info.PrintPreview != 0)
        info.LineWidthDisplay = 1;
    document.RefreshLayerStates();
    {
        TImageCanvas canvas(PaintBox1->Front());
        document.GetElemListPtr().Draw(canvas, document);
        canvas.Finish();
    }
    info.DrawingFlag = 0;
    const auto copy_start = std::chrono::steady_clock::now();
    // The back buffer keeps the picture without the overlays: drawing them
    // again in not-XOR mode takes out the ones the list drew.
    BackBuffer = PaintBox1->Front().copy();
    {
        TImageCanvas back(BackBuffer);
        info.DrawViewOverlays(back, document);
        back.Finish();
    }
    info.LineWidthDisplay = cbWidthView->isChecked() ? 1 : 0;
    const std::string copy_text = SjPrintf(u8" #CopyRect ：%.8f秒", SecondsSince(copy_start));
    ShowStatusLine(info.GetStatusText() + copy_text, label);
    LastRedrawTick = GetTickCount();
    LastDrawnView = info.GetView();
    WriteDebugLog("CanvasDraw()");
    PaintBox1->ShowFront();
}

void TForm1::RedrawLater(const std::string& label)
{
    if (document_)
        CanvasDraw(*document_, label);
}

void TForm1::ShowStatusLine(const std::string& text, const std::string& label)
{
    QString line = label.empty() ? SjisText(text) : QString::fromStdString(label) + " | " + SjisText(text);
    line += " | ";
    if (const QWidget* focus = QApplication::focusWidget())
        line += focus->objectName();
    if (SearchFocusFlag)
        line += " *";
    line += QStringLiteral(" {%1-%2}").arg(CommandMode).arg(CommandSubMode);
    Panel2->setText(line);
}

void TForm1::UpdateStatusButtons(int kind)
{
    if (!document_)
        return;
    const QFontMetrics metrics(sbtnUnit->font());
    constexpr int minimum_width = 40;
    constexpr int margin = 8;
    const TZhdHead head = document_->GetHead();
    const int group = std::clamp(head.GetWriteGroup(), 0, 15);
    const auto set_caption = [&](QToolButton* button, const QString& caption) {
        button->setText(caption);
        button->resize(std::max(metrics.horizontalAdvance(caption), minimum_width) + margin, button->height());
    };
    if (kind == 0 || kind == 1) {
        static const char8_t* const captions[] = { u8"実寸mm", u8"実寸ｍ", u8"図寸mm" };
        static const char8_t* const labels[] = { u8" mm ", u8" ｍ ", u8" mm [図寸] " };
        const int unit = std::clamp(DisplayUnit, 0, 2);
        const double scale = head.GetGroupScale(group);
        UnitFactor = unit == 0 ? scale : unit == 1 ? scale * 0.001 : 1.0;
        UnitLabel = Utf8ToSjis(reinterpret_cast<const char*>(labels[unit]));
        set_caption(sbtnUnit, QtText(captions[unit]));
    }
    if (kind == 0 || kind == 2)
        set_caption(sbtnPaper, SjisText(LookUp(Vocabulary.PaperNames, head.GetPaperSize())));
    if (kind == 0 || kind == 3)
        set_caption(sbtnScale, QString::fromStdString("S=1/" + FloatToStrGeneral(head.GetGroupScale(group))));
    if (kind == 0 || kind == 4) {
        static const char hex[] = "0123456789ABCDEF";
        const TZhdGrp group_record = head.GetGroup(group);
        const int layer = std::clamp(group_record.GetWriteLayer(), 0, 15);
        const std::string group_name = group_record.GetName();
        const std::string layer_name = head.GetLayer(group, layer).GetName();
        std::string caption = std::string("[") + hex[group] + "-" + hex[layer] + "]" + group_name;
        if (!group_name.empty() && !layer_name.empty())
            caption += " - ";
        caption += layer_name;
        set_caption(sbtnGroupLayer, SjisText(caption));
    }
    if (kind == 0 || kind == 5) {
        const double packed = document_->GetInfoAngle().GetPackedDMS();
        set_caption(sbtnAxis, QtText(u8"∠") + QString::fromStdString(FloatToStrGeneral(packed, 5, 2)));
    }
    if (kind == 0 || kind == 6) {
        const TInfoREG& info = document_->GetInfoRegPtr();
        set_caption(sbtnBairitsu, QtText(u8"×") + QString::fromStdString(FloatToStrGeneral(info.GetView().GetScale(), 5, 2)));
        sbtnBairitsu->setToolTip(SjisText(info.GetStatusText()));
    }
    // Right to left from the magnification's right edge, each touching the
    // next.
    int right = status_buttons_right_;
    for (QToolButton* button : { sbtnBairitsu, sbtnAxis, sbtnGroupLayer, sbtnScale, sbtnPaper, sbtnUnit }) {
        button->move(right - button->width(), button->y());
        right -= button->width();
    }
}

void TForm1::PaintBox1Paint()
{
    WriteDebugLog("<PaintBox1Paint>");
    if (!document_) {
        WriteDebugLog("</PaintBox1Paint>");
        return;
    }
    if (!ViewInitialised) {
        Initialize();
    } else if (document_->GetInfoRegPtr().OutputJob == 0) {
        if (DragState != 0) {
            ShowStatusLine(document_->GetInfoRegPtr().GetStatusText(), "PaintBox1Paint2()");
        } else if (tbtn97Test2->Down()) {
            QImage& front = PaintBox1->Front();
            if (BackBuffer.size() == front.size())
                front = BackBuffer.copy();
        } else {
            CanvasDraw(*document_, "PaintBox1Paint()");
        }
    }
    WriteDebugLog("</PaintBox1Paint>");
}

void TForm1::FormResize()
{
    ViewInitialised = false;
    if (!PaintBox1)
        return;
    const int client_height = centralWidget() ? centralWidget()->height() : height();
    Panel1->setText(QStringLiteral("%1:%2:%3").arg(height()).arg(client_height).arg(PaintBox1->height()));
    const Qt::WindowStates state = windowState();
    const int window_state = (state & Qt::WindowMinimized) ? 1 : (state & Qt::WindowMaximized) ? 2 : 0;
    WriteDebugLog("<FormResize>");
    WriteDebugLog(StringPrintf("%d %d %d %d %d", window_state, x(), y(), width(), height()));
    WriteDebugLog("</FormResize>");
}

void TForm1::DockBottomMouseMove()
{
    MouseOverDrawing = false;
}

void TForm1::ToolbarPanel3Resize()
{
    Panel3->resize(std::max(0, ToolbarPanel3->width() - 12), Panel3->height());
}

void TForm1::sbtnUnitClick()
{
    DisplayUnit = (DisplayUnit + 1) % 3;
    UpdateStatusButtons(1);
}
