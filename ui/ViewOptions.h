#pragma once

// TViewOptions: how the view toolbar shows the displayed drawing. Its check
// boxes, number edits, order buttons and the drop-down menus of its two tool
// buttons are copied into the displayed document's TInfoREG, which the
// element list draws by, and each change that shows redraws the view once.
//
// The options live in the controls; TInfoREG gets them by groups (see
// ApplyViewOptions), so every path that makes them (a click, the settings at
// start-up, a drawing opened, the text display dialog) ends in the same
// copy. The image and solid order code keeps two digits: the units say
// whether images and solids are drawn before the rest (0 no, 1 yes, 2 solids
// before images), the tens the order they are drawn in (TRasSolidOrder).
//
// The text display dialog and the image loading dialog are filled from
// TInfoREG and the menu marks and read back only after "決定".

#include "render/Forward.h"
#include "ui/MainFeature.h"

#include <QString>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class TfmMojiView;
struct TDrawSettings;
class TfmRasSolid;

// The image and solid order code of TInfoREG::DrawOrder and the menu items
// that change it.
namespace TRasSolidOrder {

// The items of the order submenu, in menu order.
enum TOrderItem { ByLayer, ByReverseLayer, ByColour, ByReverseColour, ByOutputSettings };

// The tens digit's layer and colour orders, a row per digit; the marks the
// submenu shows for it. A digit outside the table marks nothing.
struct TOrderRow {
    int layer_order;
    int colour_order;
    std::array<bool, 5> marks;
};
// The row of the tens digit, nullptr outside 0 to 6.
const TOrderRow* RowOf(int tens);

// After "images and solids first" (`solids_item` false) or "solids first"
// (true) was clicked with the mark it had before the click.
int AfterFirstClick(int code, bool solids_item, bool was_checked);
// After an item of the order submenu was clicked with the mark it had.
int AfterOrderClick(int code, TOrderItem item, bool was_checked);

} // namespace TRasSolidOrder

// The state part of the text display button's hint: "枠｜埋｜縁範｜後" with
// what is marked, the separators always.
std::string TextViewState(bool frames, bool embedded, bool outline, bool range_box, bool last);

class TViewOptions : public TMainFeature {
public:
    explicit TViewOptions(TMainWindowHost& host);
    ~TViewOptions() override;

    // The part "ViewCheck" of the settings file.
    std::vector<TSettingsBlock> SettingsBlocks() override;

    // The dialogs the program made; without them (tests) the feature makes
    // its own on first use.
    void UseDialogs(TfmRasSolid* ras_solid, TfmMojiView* moji_view);

    // Copies the controls of `group` into TInfoREG, 0 for groups 1 to 7:
    // 1 line widths, 2 transparency with the background and the units digit,
    // 3 the trace width, 4 text frames, 5 embedded text, 6 outline or range
    // box, 7 texts last. Does not redraw.
    void ApplyViewOptions(int group);
    // The marks and enabling of the image and solid menu for `code`.
    void UpdateMenuStates(int code);
    void UpdateLayerOrderButton(int order);
    void UpdateColorOrderButton(int order);
    void UpdateTextViewHint();
    void UpdateRasterHint();

    // At start-up, after the settings: the edit's pitch is the drawing's,
    // and the hints show the restored state.
    void SettingsLoaded();
    // The order buttons and the image and solid menu from TInfoREG.
    void ShowOrders();
    // A drawing was loaded, before it is drawn: its text marks, all groups,
    // the hint and the orders.
    void DrawingLoaded();

    // Handlers.
    void WidthViewClick();
    void TransparentClick();
    void TraceClick();
    void TextFrameBoxClick();
    void EmbeddedTextBoxClick();
    void TraceExit();
    void PrtPitchExit();
    void LayerOrderClick();
    void ColorOrderClick();
    // `item` is N2 or N4, N11 to N15; its mark before the click.
    void RasSolidFirstClick(const QAction* item, bool was_checked);
    void RasSolidOrderClick(const QAction* item, bool was_checked);
    // An item of the text display menu; its mark is already toggled.
    void TextItemClick(const QAction* item);
    void RasLoadConfigClick();
    void TextDetailClick();

private:
    TSettingKeys ViewCheckKeys();
    // The next of `count` draw orders, shown on its button, and a redraw.
    void StepOrder(int TDrawSettings::*order, int count, void (TViewOptions::*show)(int), const char* label);
    TInfoREG& Info();
    void FocusSubCommandBar();
    TfmRasSolid& RasSolidDialog();
    TfmMojiView& MojiViewDialog();

    TfmRasSolid* ras_solid_ = nullptr;
    TfmMojiView* moji_view_ = nullptr;
    std::unique_ptr<TfmRasSolid> own_ras_solid_;
    std::unique_ptr<TfmMojiView> own_moji_view_;
};
