// The clock menu: its table, the command-mode rules that decide which
// menus offer their entries, and the dial drawn over the view.

#include "ui/ClockMenu.h"

#include "document/ZhdData.h"
#include "platform/BmpFile.h"
#include "platform/Canvas.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "ui/MainControls.h"
#include "ui/PaintBox.h"
#include "ui/ViewRedraw.h"

#include <QPalette>

namespace {

constexpr int left_button = 0;
constexpr int right_button = 1;
constexpr int am_face = 0;
constexpr int pm_face = 1;

struct TClockMenuDefault {
    int button;
    int face;
    int position;
    int id;
};

// 33 range select, 234 add range, 235 remove range, 290 angle sign flip;
// 63 centre point, 88 plumb angle, 87 line angle, 92 line length.
constexpr TClockMenuDefault clock_menu_defaults[] = {
    { left_button, am_face, 4, 33 },   { left_button, am_face, 5, 234 },  { left_button, am_face, 6, 235 },
    { left_button, pm_face, 0, 290 },  { right_button, am_face, 3, 63 },  { right_button, pm_face, 1, 88 },
    { right_button, pm_face, 4, 87 },  { right_button, pm_face, 11, 92 },
};

// Whether the command mode lets the menu of this button and face offer its
// entry at the position.
bool ModeOffers(int mode, int sub_mode, int button, int face, int position, bool has_selection)
{
    switch (mode) {
    case 0: return button == right_button && face == pm_face;
    case 1:
        if (sub_mode == 0)
            return face == pm_face;
        return sub_mode == 1 && button == right_button;
    case 4:
        // The range commands: the first always, the others only with a
        // selection to add to or remove from.
        return sub_mode == 1 && button == left_button && face == am_face && (position == 4 || has_selection);
    case 5: return button == right_button && face == am_face;
    default: return false;
    }
}

// The dial and the name take the colours of the window's buttons: the face
// of a button (Light for the PM face) and its text.
TColor PaletteColour(const QWidget& widget, QPalette::ColorRole role)
{
    const QColor colour = widget.palette().color(role);
    return PackColor(colour.red(), colour.green(), colour.blue());
}

// The tip box's font, which the name is written in.
TFont NameFont(TColor colour)
{
    TFont font;
    font.height = 12;
    font.face = sj(u8"ＭＳ Ｐゴシック");
    font.color = colour;
    return font;
}

QRect ToQRect(const TRectI& rect)
{
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

// Pixels as they are onto the picture, whatever lies off it left out.
void PutPixels(TCanvas& canvas, QPoint at, const QImage& pixels)
{
    canvas.StretchDraw({ at.x(), at.y(), at.x() + pixels.width(), at.y() + pixels.height() },
                       TBitmap::FromImage(pixels));
}

} // namespace

TClockMenuTable BuildClockMenu()
{
    TClockMenuTable table {};
    for (const TClockMenuDefault& entry : clock_menu_defaults)
        table[0][entry.button][entry.face][entry.position] = entry.id;
    return table;
}

int LookUpClockCommand(const TClockMenuTable& table, int mode, int sub_mode, int button, int face, int position,
                       bool has_selection)
{
    if (position < 0 || position > 11 || button < 0 || button > 1 || face < 0 || face > 1)
        return 0;
    if (!ModeOffers(mode, sub_mode, button, face, position, has_selection))
        return 0;
    return table[0][button][face][position];
}

TClockMenu::TClockMenu(TMainWindowHost& host, const TViewRedraw& view)
    : TMainFeature(host)
    , view_(view)
    , table_(BuildClockMenu())
{
}

void TClockMenu::LoadClockFaces(const std::filesystem::path& folder)
{
    const char* const files[] = { "am.bmp", "pm.bmp" };
    for (int face = am_face; face <= pm_face; ++face)
        faces_[face] = BuildClockFace(ReadBmpFile(folder / files[face]).bitmap, ClockRadius);
}

int TClockMenu::GetClockCommand(int mode, int sub_mode, int button, int face, int position) const
{
    const TZhdData* document = host_.Document();
    const bool has_selection = document && document->GetElemListPtr().GetSelectedCount() != 0;
    return LookUpClockCommand(table_, mode, sub_mode, button, face, position, has_selection);
}

void TClockMenu::DrawClockMenu(int show, int position, int button, int face, int cx, int cy)
{
    const TMainState& state = host_.State();
    current_clock_command_ = GetClockCommand(state.CommandMode, state.CommandSubMode, button, face, position);
    std::string name = ClockCommandName(current_clock_command_);
    if (name.empty()) {
        current_clock_command_ = 0;
        name = ClockCommandName(0);
    }
    if (show == 0) {
        RemoveMenu();
        return;
    }
    if (!host_.Document())
        return;
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    QImage& picture = paint_box.Front();
    QRect dirty = ToQRect(ClockDialBounds(cx, cy, ClockRadius));
    {
        TImageCanvas canvas(picture);
        DrawClockDial(canvas, Dial(position, button, face, cx, cy));
    }
    ShowName(picture, name, cx + 5, cy + ClockRadius + 5, dirty);
    paint_box.ShowFrontRect(dirty);
}

TClockDial TClockMenu::Dial(int position, int button, int face, int cx, int cy) const
{
    const QWidget& paint_box = *host_.Controls().PaintBox1;
    TClockDial dial;
    dial.cx = cx;
    dial.cy = cy;
    dial.radius = ClockRadius;
    dial.position = position;
    dial.pen = host_.Document()->GetPenColour(button == right_button ? 2 : 0);
    dial.fill = PaletteColour(paint_box, face == pm_face ? QPalette::Light : QPalette::Button);
    dial.face = faces_[face == pm_face ? pm_face : am_face];
    return dial;
}

void TClockMenu::ShowName(QImage& picture, const std::string& name, int x, int y, QRect& dirty)
{
    const QWidget& paint_box = *host_.Controls().PaintBox1;
    TImageCanvas canvas(picture);
    if (!under_name_.isNull()) {
        PutPixels(canvas, name_at_, under_name_);
        dirty |= QRect(name_at_, under_name_.size());
    }
    const TBitmap label = TextLabel(name, NameFont(PaletteColour(paint_box, QPalette::WindowText)),
                                    PaletteColour(paint_box, QPalette::Button));
    canvas.Finish();
    name_at_ = QPoint(x, y);
    under_name_ = picture.copy(QRect(name_at_, QSize(label.Width(), label.Height())));
    canvas.StretchDraw({ x, y, x + label.Width(), y + label.Height() }, label);
    canvas.Finish();
    dirty |= QRect(name_at_, under_name_.size());
}

void TClockMenu::RemoveMenu()
{
    under_name_ = QImage();
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    const QImage& back_buffer = view_.BackBuffer();
    if (back_buffer.size() != paint_box.Front().size())
        return;
    paint_box.Front() = back_buffer.copy();
    if (const TZhdData* document = host_.Document()) {
        const TInfoREG& info = document->GetInfoRegPtr();
        TImageCanvas canvas(paint_box.Front());
        if (info.OutputJob == 0 && info.NestedDraw == 0) {
            if (info.PrintPreview != 0 && overlays_.paper_frame)
                overlays_.paper_frame(canvas);
            if (overlays_.cross_hair)
                overlays_.cross_hair(canvas);
        }
    }
    paint_box.ShowFront();
}
