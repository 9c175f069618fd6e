// The attribute display: one search of the visible elements per tick in
// the rest window, the element's frame, its record in the tip box and the
// status label.

#include "ui/AttributeDisplay.h"

#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "elements/KCircle.h"
#include "elements/KSolid.h"
#include "platform/ImageCanvas.h"
#include "platform/Numbers.h"
#include "platform/ui/QtText.h"
#include "ui/MainControls.h"
#include "ui/PaintBox.h"
#include "ui/StatusButtons.h"
#include "ui/TipBox.h"

#include <QLabel>
#include <QRect>

namespace {

// A tick acts only while the mouse has rested longer than the first and
// less than the second (seconds).
constexpr double rest_from = 0.9;
constexpr double rest_until = 2.0;
// An element is shown only when its outline passes this close to the mouse
// (pixels), unless the mouse is inside its circle or solid.
constexpr double near_enough = 20.0;
// A tolerance of 0 makes the search look at every visible element.
constexpr int whole_view = 0;
// The tip's point lies this far right of and below the mouse, which puts
// the box's left edge 10 pixels right of the mouse and its bottom level
// with it.
constexpr int tip_shift = 5;

struct TTag {
    // "| 内", "| 外" or "|" (Shift-JIS).
    std::string text;
    // Inside (or on) a circle or a solid: shown however far the outline is.
    bool inside = false;
};

TTag InsideTag(const TZhdElem& elem, const TBPoint& point)
{
    int inside = -1;
    // The type code names the exact class (ZhdElem.h).
    if (elem.GetTypeCode() == TKCircle::TypeCode)
        inside = static_cast<const TKCircle&>(elem).ClassifyPoint(point);
    else if (elem.GetTypeCode() == TKSolid::TypeCode)
        inside = static_cast<const TKSolid&>(elem).ContainsPoint(point);
    if (inside < 0)
        return { "|", false };
    if (inside != 0)
        return { sj(u8"| 内"), true };
    return { sj(u8"| 外"), false };
}

// A one-pixel outline just inside [left, right) x [top, bottom) with the
// brush; an empty rectangle draws nothing, as the platform's FrameRect.
void FrameRect(TCanvas& canvas, const TRectI& box)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    canvas.FillRect({ box.left, box.top, box.left + 1, box.bottom });
    canvas.FillRect({ box.right - 1, box.top, box.right, box.bottom });
    canvas.FillRect({ box.left, box.top, box.right, box.top + 1 });
    canvas.FillRect({ box.left, box.bottom - 1, box.right, box.bottom });
}

} // namespace

TAttributeDisplay::TAttributeDisplay(TMainWindowHost& host, TStatusButtons& status_buttons, TTipBox& tip_box)
    : TMainFeature(host)
    , status_buttons_(status_buttons)
    , tip_box_(tip_box)
{
}

void TAttributeDisplay::Timer1Timer()
{
    const TMainState& state = host_.State();
    if (state.CommandMode != AttributeMode)
        return;
    const double rested = state.RestStopwatch.Elapsed();
    if (!(rested > rest_from && rested < rest_until))
        return;
    TZhdData* document = host_.Document();
    if (!document || document->GetElemListPtr().Size() == 0)
        return;
    const TInfoREG& info = document->GetInfoRegPtr();
    const QPoint mouse = state.CursorPoint;
    const TBPoint mouse_pixel(mouse.x(), mouse.y());
    const TBPoint mouse_world = info.ScreenToWorld(mouse_pixel);

    document->RefreshLayerStates();
    TBPoint nearest;
    double distance = 0;
    const int index = document->FindNearestElementPoint(mouse_world, nearest, distance, whole_view);
    if (index == -1)
        return;
    const TZhdElemPtr elem = document->GetElemListPtr().GetAt(index);
    const double pixels = mouse_pixel.DistanceTo(info.WorldToScreen(nearest));
    const TTag tag = InsideTag(*elem, mouse_world);
    if (!tag.inside && pixels > near_enough)
        return;

    DrawFrame(*document, *elem);
    const std::string group_layer = StringPrintf("%x-%x", static_cast<unsigned>(elem->GetGLayer()),
                                                   static_cast<unsigned>(elem->GetLayer()));
    const std::string found = StringPrintf("%s n=%d w=%f d=%.f", tag.text.c_str(), index, distance, pixels);
    // An empty text would take a tip away instead of showing one.
    const std::string record = RecordText(*document, *elem);
    if (!record.empty())
        tip_box_.ShowTip(record, mouse.x() + tip_shift, mouse.y() + tip_shift, true);
    const double factor = status_buttons_.UnitFactor();
    host_.Controls().Label4->setText(SjisText(StringPrintf(
        "X: %.6f , Y: %.6f [Pixel X: %d , Y: %d] %s %s %s", mouse_world.GetX() * factor,
        mouse_world.GetY() * factor, mouse.x(), mouse.y(), group_layer.c_str(), elem->GetTypeName().c_str(),
        found.c_str())));
}

void TAttributeDisplay::DrawFrame(TZhdData& document, const TZhdElem& elem)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    TBPoint min;
    TBPoint max;
    elem.GetExtent(min, max, document, 1);
    const TBPoint lower_left = info.WorldToScreen(min);
    const TBPoint upper_right = info.WorldToScreen(max);
    const TRectI box { lower_left.GetXInt(), upper_right.GetYInt(), upper_right.GetXInt(), lower_left.GetYInt() };
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    {
        TImageCanvas canvas(paint_box.Front());
        canvas.SetBrush(TBrush { document.GetPenMapPtr()["S"].GetColorValue(), TBrushStyle::Solid });
        FrameRect(canvas, box);
        canvas.Finish();
    }
    paint_box.ShowFrontRect(QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)));
}

std::string TAttributeDisplay::RecordText(TZhdData& document, const TZhdElem& elem)
{
    StringList lines;
    document.WriteFreshTextRecord(elem, lines);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}
