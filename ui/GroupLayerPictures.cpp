// The pictures of the group and layer bars: the bar bitmaps with a cell of
// 19 x 21 pixels for each group or layer, the glyphs of the "All" and
// special buttons, and the buttons laying their cells over themselves.
//
// Each cell holds, from the cell's left edge x0:
//   the hex digit in a 12 x 12 box at (x0 + 4, 6), white when hidden;
//   the frame of an editable item: a square (4..18 high, x0 + 2..16) for a
//     group, a circle in (x0 + 2, 4)-(x0 + 17, 19) for a layer; red for the
//     write target, else black;
//   two rows (2 and 3) over the left half when the item holds graphic
//     elements and over the right half when it holds texts: magenta, red
//     for the write target;
//   a red diagonal from top right to bottom left when protected, both
//     diagonals when fixed.

#include "ui/GroupLayerBars.h"

#include "document/ZhdData.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "ui/MainControls.h"

#include "core/DebugLog.h"

#include <QIcon>
#include <QMainWindow>
#include <QPainter>
#include <QPaintEvent>
#include <QPixmap>
#include <QToolButton>

#include <cstdlib>

namespace {

constexpr int CellWidth = 19;
constexpr int BarHeight = 21;
constexpr int GlyphWidth = 17;
constexpr int GlyphHeight = 15;
constexpr TColor Black = PackColor(0, 0, 0);
constexpr TColor White = PackColor(255, 255, 255);
constexpr TColor Red = PackColor(255, 0, 0);
constexpr TColor Magenta = PackColor(255, 0, 255);

TColor FaceColour(const QWidget& widget)
{
    const QColor colour = widget.palette().color(QPalette::Button);
    return PackColor(colour.red(), colour.green(), colour.blue());
}

// The window's font under another face.
TFont WindowFont(const QWidget& window, const char8_t* face)
{
    const QFont& source = window.font();
    TFont font;
    font.weight = source.bold() ? 700 : 400;
    font.italic = source.italic();
    font.underline = source.underline();
    font.strike_out = source.strikeOut();
    font.face = Utf8ToSjis(reinterpret_cast<const char*>(face));
    return font;
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// What one cell shows of a group or layer.
struct TCellItem {
    int state = 0;
    int protect = 0;
    bool graphics = false;
    bool texts = false;
    bool write_target = false;
};

void DrawCell(TCanvas& canvas, TFont font, int index, const TCellItem& item, bool circle)
{
    const int x0 = CellWidth * index;
    font.color = item.state == 0 ? White : Black;
    DrawFittedText(canvas, font, std::string(1, HexDigit(index)), 12, 12, x0 + 4, 6);
    canvas.SetPenColor(item.write_target ? Red : Black);
    if (item.state > 1) {
        if (circle) {
            canvas.Ellipse(x0 + 2, 4, x0 + 17, 19);
        } else {
            canvas.MoveTo(x0 + 2, 4);
            canvas.LineTo(x0 + 16, 4);
            canvas.LineTo(x0 + 16, 18);
            canvas.LineTo(x0 + 2, 18);
            canvas.LineTo(x0 + 2, 4);
        }
    }
    canvas.SetPenColor(item.write_target ? Red : Magenta);
    if (item.graphics) {
        Line(canvas, x0 + 2, 2, x0 + 9, 2);
        Line(canvas, x0 + 2, 3, x0 + 9, 3);
    }
    if (item.texts) {
        Line(canvas, x0 + 9, 2, x0 + 17, 2);
        Line(canvas, x0 + 9, 3, x0 + 17, 3);
    }
    canvas.SetPenColor(Red);
    if (item.protect != 0)
        Line(canvas, x0 + 16, 4, x0 + 2, 18);
    if (item.protect > 1)
        Line(canvas, x0 + 2, 4, x0 + 16, 18);
}

// Lays the cell of its bar's bitmap over its button, after the button
// painted itself: a child paints after its parent.
class TButtonPicture final : public QWidget {
public:
    TButtonPicture(QToolButton* button, std::function<QImage()> picture)
        : QWidget(button)
        , picture_(std::move(picture))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(1, 1, CellWidth - 2, BarHeight - 2);
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QImage picture = picture_();
        if (picture.isNull())
            return;
        QPainter painter(this);
        painter.drawImage(0, 0, picture);
    }

private:
    std::function<QImage()> picture_;
};

} // namespace

char HexDigit(int n)
{
    return "0123456789ABCDEF"[std::abs(n % 16)];
}

void DrawFittedText(TCanvas& canvas, const TFont& font, const std::string& text, int box_width, int box_height, int x,
                    int y)
{
    TFont fitted = font;
    fitted.height = box_height;
    fitted.escapement = 0;
    const int n = static_cast<int>(text.size());
    int start = x;
    if (n > 0 && (n * box_height) / 2 > box_width) {
        fitted.width = box_width / n;
    } else {
        fitted.width = box_height / 2;
        start = x + (box_width - n * fitted.width) / 2;
    }
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.SetFont(fitted);
    canvas.TextOut(start, y, text);
}

void TGroupLayerBars::DrawBarBitmap(const TZhdData& document, int kind)
{
    WriteDebugLog(kind == GroupKind ? "<Gbitmap->Draw>" : "<Lbitmap->Draw>");
    const TZhdHead& head = document.GetHeadPtr();
    const int g = current_group_;
    const int write_layer = head.GetGroup(g).GetWriteLayer();
    TImageCanvas canvas(CellWidth * 16, BarHeight, FaceColour(host_.Window()));
    const TFont font = WindowFont(host_.Window(), u8"ＭＳ 明朝");
    for (int i = 0; i < 16; ++i) {
        TCellItem item;
        if (kind == GroupKind) {
            item = { head.GetGroupState(i), head.GetGroupProtect(i), document.GetGroupElemCount(i) > 0,
                     document.GetGroupTextCount(i) > 0, i == g };
        } else {
            item = { head.GetLayerState(g, i), head.GetLayerProtect(g, i), document.GetLayerElemCount(g, i) > 0,
                     document.GetLayerTextCount(g, i) > 0, i == write_layer };
        }
        DrawCell(canvas, font, i, item, kind != GroupKind);
    }
    bar_bitmaps_[Bar(kind)] = canvas.Image().copy();
}

QImage TGroupLayerBars::ButtonPicture(int kind, int tag) const
{
    const QImage& bitmap = bar_bitmaps_[Bar(kind)];
    if (bitmap.isNull())
        return {};
    return bitmap.copy(CellWidth * GetButtonSlot(kind, tag) + 1, 1, CellWidth - 2, BarHeight - 2);
}

void TGroupLayerBars::AttachButtonPictures()
{
    for (const int kind : { GroupKind, LayerKind }) {
        for (int i = 0; i < 16; ++i) {
            QToolButton* button = Button(kind, i);
            pictures_[Bar(kind)][i] = new TButtonPicture(button, [this, kind, i] { return ButtonPicture(kind, i); });
        }
    }
}

void TGroupLayerBars::BuildGroupLayerGlyphs(int g)
{
    const TColor face = FaceColour(host_.Window());
    if (g == glyph_group_ && face == glyph_face_)
        return;
    glyph_group_ = g;
    glyph_face_ = face;
    TImageCanvas canvas(GlyphWidth * 4, GlyphHeight, face);
    TFont font = WindowFont(host_.Window(), u8"System");
    font.color = Black;
    DrawFittedText(canvas, font, "All", 19, 17, 0, -1);
    DrawFittedText(canvas, font, "><", 19, 17, GlyphWidth, -1);
    DrawFittedText(canvas, font, std::string(1, HexDigit(g)), 19, 17, GlyphWidth * 2, -1);
    glyph_strip_ = canvas.Image().copy();
    const auto glyph = [this](int image) {
        return QIcon(QPixmap::fromImage(glyph_strip_.copy(GlyphWidth * image, 0, GlyphWidth, GlyphHeight)));
    };
    TMainControls& c = host_.Controls();
    const QSize size(GlyphWidth, GlyphHeight);
    for (const auto& [button, image] : { std::pair { c.tbGAll, 0 }, std::pair { c.tbLAll, 0 },
                                         std::pair { c.tbGSp, 1 }, std::pair { c.tbLSp, 2 } }) {
        button->setIconSize(size);
        button->setIcon(glyph(image));
    }
}
