// The tip box: saved pixels under a tip that comes and goes at one point,
// the back buffer for a pinned one.

#include "ui/TipBox.h"

#include "core/TextUtil.h"
#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "platform/ui/QtText.h"
#include "ui/MainControls.h"
#include "ui/PaintBox.h"
#include "ui/ViewRedraw.h"

#include <QFontInfo>
#include <QLabel>

namespace {

// The box's lower left corner lies this far right of and above its point.
constexpr int tip_offset = 5;

TColor CanvasColor(const QColor& color)
{
    return PackColor(color.red(), color.green(), color.blue());
}

} // namespace

TTipBox::TTipBox(TMainWindowHost& host, TViewRedraw& view)
    : TMainFeature(host)
    , view_(view)
    , tips_(*host.Controls().Tips)
{
}

void TTipBox::ShowTip(const std::string& text, int x, int y, bool keep)
{
    RemovePinned();
    tip_rect_ = { -1, -1, -1, -1 };
    if (text.empty()) {
        RemoveTip();
        return;
    }
    DrawTip(text, x, y, keep);
}

void TTipBox::RemovePinned()
{
    if (!pinned_)
        return;
    pinned_ = false;
    ShowTip(std::string(), -1, -1, false);
    if (redraw_cross_hair_)
        redraw_cross_hair_();
}

bool TTipBox::RemoveIfEntered(int x, int y)
{
    // Without a pinned tip the rectangle is all -1s, which no move enters.
    if (!pinned_ || x < tip_rect_.left || x > tip_rect_.right || y < tip_rect_.top || y > tip_rect_.bottom)
        return false;
    pinned_ = false;
    ShowTip(std::string(), -1, -1, false);
    return true;
}

void TTipBox::RemoveTip()
{
    tips_.setText(QString());
    host_.Controls().PaintBox1->ShowPicture(view_.BackBuffer());
    DrawPrintFrameAgain();
}

// The back buffer holds the view without its overlays; of those, the print
// frame belongs to the picture as long as a frame mode is on.
void TTipBox::DrawPrintFrameAgain()
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    const TInfoREG& info = document->GetInfoRegPtr();
    if (info.OutputJob != 0 || info.PrintPreview == 0 || info.NestedDraw != 0)
        return;
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    TImageCanvas canvas(paint_box.Front());
    DrawPaperFrame(canvas);
    canvas.Finish();
    paint_box.ShowFront();
}

void TTipBox::DrawPaperFrame(TCanvas& canvas)
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TInfoREG& info = document->GetInfoRegPtr();
    const TZhdZoomF area = document->GetHeadPtr().GetPrinterArea();
    TBPoint centre(area.GetX(), area.GetY());
    if (info.FrameFollow != 0) {
        // The frame being moved hangs by its reference point at the press.
        const QPoint press = host_.State().PressPoint;
        const TBPoint anchor = info.ScreenToWorld(TBPoint(press.x(), press.y()));
        centre = info.GetPrintFrameCentre(area.GetCode() / 10, anchor, *document);
    }
    info.DrawPrintFrame(canvas, centre, *document);
}

void TTipBox::DrawTip(const std::string& text, int x, int y, bool keep)
{
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    // The tip before, when it stood at the same point, disappears.
    if (!tips_.text().isEmpty())
        paint_box.PutFront(overlay_, QPoint(x + tip_offset, y - tip_offset - overlay_.height()));
    tips_.setText(SjisText(text));
    tips_.adjustSize();
    const QSize size = tips_.size();
    const QRect tip(QPoint(x + tip_offset, y - tip_offset - size.height()), size);
    overlay_ = paint_box.CopyFront(tip);
    if (keep) {
        pinned_ = true;
        tip_rect_ = { tip.left(), tip.top(), tip.left() + size.width(), tip.top() + size.height() };
    }
    paint_box.PutFront(TipPicture(text, size), tip.topLeft());
}

QImage TTipBox::TipPicture(const std::string& text, QSize size) const
{
    const TColor face = CanvasColor(tips_.palette().color(QPalette::Button));
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(tips_.palette().color(QPalette::Button));
    // A text that is not empty has at least one line.
    StringList lines;
    SplitText(text, lines, "\n");
    const int line_height = size.height() / static_cast<int>(lines.size());
    // The label's face at the label's size: an em of the IPA faces is their
    // cell.
    TFont font;
    font.height = QFontInfo(tips_.font()).pixelSize();
    font.face = Utf8ToSjis(tips_.font().family().toStdString());
    font.color = CanvasColor(tips_.palette().color(QPalette::WindowText));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        TImageCanvas line(size.width(), line_height, face);
        line.SetFont(font);
        line.TextOut(0, 0, lines[i]);
        PasteImage(picture, line.Image(), QPoint(0, static_cast<int>(i) * line_height));
    }
    return picture;
}
