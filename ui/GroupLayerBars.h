#pragma once

// TGroupLayerBars: the group and layer tool windows of the main window.
//
// The window "グループ" has a button for each of the drawing's 16 groups,
// "レイヤー" one for each of the 16 layers of the current group (the write
// group); each adds an "All" button and a special button. A button shows a
// picture: the hex digit (white when hidden), a frame when editable (red
// for the write target), bars for graphic and text contents and red
// diagonals for protection. The pictures of a bar are drawn once into the
// bar's bitmap (16 cells of 19 pixels) and every button lays its cell over
// itself after it painted, so the buttons' own look (down, raised) stays
// beneath.
//
// A release on a button changes a copy of the displayed document's header:
// the write target (right button), the display state or, with Ctrl, the
// protection (left button), or selects the write target's contents (left
// button on the write target). The copy is assigned back and the buttons
// repainted; the drawing itself is redrawn at the next mouse move over it
// (TMouseGestures), so several changes in a row cost one redraw.
//
// The tool windows snap to five shapes (one to sixteen columns); in the
// two-column shape the buttons show the groups column by column (0-7 left,
// 8-F right), which ButtonOrder maps.

#include "ui/MainFeature.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>

#include <array>
#include <functional>
#include <string>

class QToolButton;
class QWidget;
class TCanvas;
struct TFont;
class TStatusButtons;
class TToolWindow97;
class TZhdData;
class TZhdHead;

// Which bar: the groups or the layers of the write group. Any other value
// means the layers, as the callers have always had it.
enum TGroupLayerKind : int { GroupKind = 1, LayerKind = 2 };

// The order of the buttons on the two-column bars: button ButtonOrder[i]
// shows group (layer) i.
inline constexpr std::array<int, 16> ButtonOrder = { 0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15 };

// The upper-case hex digit of |n| mod 16.
char HexDigit(int n);
// One line of text (Shift-JIS) in the font's face and colour, squeezed into
// a box: each character half as wide as the box is high, or narrower when
// the line would not fit, and centred when it fits.
void DrawFittedText(TCanvas& canvas, const TFont& font, const std::string& text, int box_width, int box_height, int x,
                    int y);

// What a click does to a group (kind 1) or a layer of the write group (any
// other kind) that is not the write target, on the bars and in the
// overview alike.
// The right button: it becomes the write target, the old one editable,
// unless it is protected; true when it did.
bool MoveWriteTarget(TZhdHead& head, int kind, int slot);
// The left button: with Ctrl the protection toggles (fixed with Shift),
// without it the display state cycles unless the item is fixed.
void ClickGroupLayer(TZhdHead& head, int kind, int slot, Qt::KeyboardModifiers shift);

class TGroupLayerBars : public QObject, public TMainFeature {
public:
    struct TActions {
        // 1 when a double click arrives within the factor times the
        // system's double-click interval.
        std::function<int(double factor)> wait_double_click;
        // The search candidates narrowed again after a change.
        std::function<void()> narrow_candidates;
        // The overview of the groups (group -1) or of the layers of a group,
        // shown modally for the header; answers the header it hands back.
        // Empty: a right click on the write target does nothing.
        std::function<TZhdHead(int group, const TZhdHead& header)> show_overview;
    };

    TGroupLayerBars(TMainWindowHost& host, TStatusButtons& status_buttons, TActions actions);
    ~TGroupLayerBars() override;

    // The write group of the header last painted.
    int CurrentGroup() const { return current_group_; }
    int AllState(int kind) const { return all_state_[Bar(kind)]; }

    // The pictures of the bar `kind` from the document: index -1 redraws
    // the bar's bitmap (so does any index while it is still empty) and
    // repaints all its buttons, 0..15 the button of that group or layer.
    // The write target's button is pressed, the glyphs follow the write
    // group.
    void PaintGroupLayerButtons(TZhdData& document, int kind, int index);
    // The glyphs of the "All" and special buttons; the layer bar's special
    // button shows the digit of group g.
    void BuildGroupLayerGlyphs(int g);
    // Presses button `index` of the bar; an index outside 0..15 does
    // nothing.
    void SetGroupLayerButtonDown(int kind, int index);
    // The group or layer that the button with the tag shows.
    int GetButtonSlot(int kind, int tag) const;

    // The tool window's client area changed: snap it to a shape.
    void ToolWindowResize(int kind);

    // The mouse on a button of the bars (the digits, "All", special).
    void ButtonMouseDown(QToolButton* sender, int x, int y);
    void ButtonMouseMove(QToolButton* sender, int x, int y);
    void ButtonMouseUp(QToolButton* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ButtonClick();
    // "All": the next all-state for every group (layer of the write group)
    // that is neither fixed nor the write target.
    void AllClick(int kind);
    // The special button of the group bar: the other groups and layers for
    // a moment, until the next mouse move over the drawing.
    void FlipClick();
    // The special button of the layer bar: shows or hides the group window.
    void GroupWindowClick();

    // The bar bitmaps (304 x 21) and the glyph strip (68 x 15).
    const QImage& BarBitmap(int kind) const { return bar_bitmaps_[Bar(kind)]; }
    const QImage& GlyphStrip() const { return glyph_strip_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static int Bar(int kind) { return kind == GroupKind ? 0 : 1; }
    TToolWindow97* ToolWindow(int kind) const;
    QToolButton* Button(int kind, int index) const;
    bool TwoColumns(int kind) const;
    void DrawBarBitmap(const TZhdData& document, int kind);
    // The cell of the bar's bitmap that the button shows.
    QImage ButtonPicture(int kind, int tag) const;
    void AttachButtonPictures();
    void PlaceButtons(int kind, const QRect& digits, const QRect& extra);
    // The release on a group or layer button.
    void ChangeGroupOrLayer(int kind, int slot, Qt::MouseButton button, Qt::KeyboardModifiers shift);
    void SelectWriteTarget(int kind, int slot);
    void RenarrowCandidates();

    TStatusButtons& status_buttons_;
    TActions actions_;
    int current_group_ = 0;
    std::array<int, 2> all_state_ = { 2, 2 };
    std::array<QImage, 2> bar_bitmaps_;
    QImage glyph_strip_;
    int glyph_group_ = -1;
    int glyph_face_ = -1;
    QPoint press_position_;
    std::array<bool, 2> resize_queued_ = { false, false };
    std::array<std::array<QWidget*, 16>, 2> pictures_ {};
};
