#include "ui/ViewOptions.h"

#include "controls/NumberEdit.h"
#include "controls/Toolbar97.h"
#include "document/ZhdData.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "ui/SettingKeys.h"
#include "ui/MainControls.h"
#include "ui/MojiView.h"
#include "ui/RasSolid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>

#include <algorithm>

namespace TRasSolidOrder {

namespace {

// Layer orders of TInfoREG: 1 layer order, 2 reverse; colour orders: 1
// line-colour order, 2 reverse; the view's own orders stand for both in the
// last row.
constexpr TOrderRow rows[] = {
    { 1, 0, { true, false, false, false, false } }, { 1, 1, { true, false, true, false, false } },
    { 1, 2, { true, false, false, true, false } },  { 2, 0, { false, true, false, false, false } },
    { 2, 1, { false, true, true, false, false } },  { 2, 2, { false, true, false, true, false } },
    { -1, -1, { false, false, false, false, true } },
};
constexpr int own_orders = 6;

} // namespace

const TOrderRow* RowOf(int tens)
{
    return tens >= 0 && tens < static_cast<int>(std::size(rows)) ? &rows[tens] : nullptr;
}

int AfterFirstClick(int code, bool solids_item, bool was_checked)
{
    int units = 0;
    if (!solids_item)
        units = was_checked ? 0 : 1;
    else
        units = was_checked ? 1 : 2;
    return code / 10 * 10 + units;
}

int AfterOrderClick(int code, TOrderItem item, bool was_checked)
{
    int tens = code / 10;
    const int units = code % 10;
    // A digit the table does not have is drawn as the first row; so it
    // changes from there.
    if (tens == own_orders || !RowOf(tens))
        tens = 0;
    switch (item) {
    case ByOutputSettings:
        tens = was_checked ? 0 : own_orders;
        break;
    case ByLayer:
        if (!was_checked)
            tens -= 3;
        break;
    case ByReverseLayer:
        if (!was_checked)
            tens += 3;
        break;
    case ByColour:
        if (was_checked)
            tens -= 1;
        else
            tens = tens == 2 ? 1 : tens == 5 ? 4 : tens + 1;
        break;
    case ByReverseColour:
        if (was_checked)
            tens -= 2;
        else
            tens = tens == 1 ? 2 : tens == 4 ? 5 : tens + 2;
        break;
    }
    return std::max(tens, 0) * 10 + units;
}

} // namespace TRasSolidOrder

std::string TextViewState(bool frames, bool embedded, bool outline, bool range_box, bool last)
{
    std::string state;
    const auto add = [&state](bool marked, const char8_t* text) {
        if (marked)
            state += reinterpret_cast<const char*>(text);
    };
    add(frames, u8"枠");
    add(true, u8"｜");
    add(embedded, u8"埋");
    add(true, u8"｜");
    add(outline, u8"縁");
    add(range_box, u8"範");
    add(true, u8"｜");
    add(last, u8"後");
    return state;
}

namespace {

// The hint of a tool button whose state the hint shows.
void ApplyStateHint(QWidget* button, const char8_t* purpose, const std::string& state)
{
    ApplyHint(button, QtText(purpose) + QtText(u8"\n現在の状態［ ") + QString::fromStdString(state)
                          + QtText(u8" ］|"));
}

constexpr double huge = 1e9;

std::string Utf8(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

} // namespace

TViewOptions::TViewOptions(TMainWindowHost& host)
    : TMainFeature(host)
{
}

TViewOptions::~TViewOptions() = default;

std::vector<TSettingsBlock> TViewOptions::SettingsBlocks()
{
    return { ViewCheckKeys().Block(TSettingsPart::ViewCheck) };
}

// The options as the controls and the menu marks hold them; a check box set
// from the file runs its handler, so TInfoREG follows. The search bar's
// check sits among them in the file.
TSettingKeys TViewOptions::ViewCheckKeys()
{
    TMainControls& c = host_.Controls();
    TInfoREG& info = host_.Document()->GetInfoRegPtr();
    using V = TSettingKeys::TKind;
    TSettingKeys keys;
    keys.Flag("ViewCheck", "Width", BindChecked(c.cbWidthView));
    keys.Flag("ViewCheck", "Transparent", BindChecked(c.cbTransparent));
    keys.Flag("ViewCheck", "ColorTransparent", BindChecked(c.cbColorTransparent));
    keys.Flag("ViewCheck", "Trace", BindChecked(c.cbTrace));
    keys.Choice("ViewCheck", "TraceWidth", 50, 100000, BindValue(c.neTrace));
    keys.Flag("ViewCheck", "Search", BindChecked(c.cbSearch), 1);
    keys.Flag("ViewCheck", "MojiWaku", BindChecked(c.miMojiWaku));
    keys.Flag("ViewCheck", "EmbedMoji", BindChecked(c.miEmbedMoji));
    keys.Flag("ViewCheck", "EdgeMoji", BindChecked(c.miEdgeMoji));
    keys.Flag("ViewCheck", "EdgeMoji2", BindChecked(c.miEdgeMoji2));
    keys.Flag("ViewCheck", "FinalMoji", BindChecked(c.miFinalMoji));
    // The range box may shrink by up to 1 mm, as the text dialog lets it.
    keys.Add("ViewCheck", "EdgeMojiRange", V::Real, 0.0, -1, huge, BindNumber(info.EdgeMojiRange));
    keys.Add("ViewCheck", "EdgeMojiFixSize", V::Real, 0.1, 0, huge, BindNumber(info.EdgeMojiFixSize));
    keys.Add("ViewCheck", "EdgeMojiRateSize", V::Real, 3.0, 0, huge, BindNumber(info.EdgeMojiRateSize));
    keys.Choice("ViewCheck", "EdgeMojiFixRate", 0, 1, BindNumber(info.EdgeMojiFixRate));
    keys.Choice("ViewCheck", "EdgeMojiColorKind", 0, 2, BindNumber(info.EdgeMojiColorKind));
    keys.Choice("ViewCheck", "EdgeMojiColorKind2", 0, 1, BindNumber(info.EdgeMojiColorKind2));
    keys.Choice("ViewCheck", "EdgeMojiColor", 0, 0xFFFFFF, BindNumber(info.EdgeMojiColor));
    keys.Choice("ViewCheck", "EdgeMojiColor2", 0, 0xFFFFFF, BindNumber(info.EdgeMojiColor2));
    keys.Choice("ViewCheck", "EdgeMojiNonView", 0, 1, BindNumber(info.EdgeMojiNonView));
    keys.Choice("ViewCheck", "EdgeMojiEasy", 0, 1, BindNumber(info.EdgeMojiEasy));
    // A divisor: never 0 (0 or less reads as the default).
    keys.Add("ViewCheck", "PrtPitch", V::Int, 20, 1, 100000, BindValue(c.nePrtPitch));
    return keys;
}

void TViewOptions::UseDialogs(TfmRasSolid* ras_solid, TfmMojiView* moji_view)
{
    ras_solid_ = ras_solid;
    moji_view_ = moji_view;
}

TInfoREG& TViewOptions::Info()
{
    return host_.Document()->GetInfoRegPtr();
}

void TViewOptions::FocusSubCommandBar()
{
    // The main window's keys work again.
    host_.Controls().ToolbarSubCommand->setFocus();
}

void TViewOptions::ApplyViewOptions(int group)
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TMainControls& c = host_.Controls();
    TInfoREG& info = document->GetInfoRegPtr();
    const auto runs = [group](int number) { return group == 0 || group == number; };
    if (runs(1))
        info.LineWidthDisplay = c.cbWidthView->isChecked() ? 1 : 0;
    if (runs(2)) {
        info.Transparent = c.cbTransparent->isChecked() ? 1 : 0;
        info.ColorTransparent = c.cbColorTransparent->isChecked() ? 1 : 0;
        const bool transparent = info.Transparent != 0 || info.ColorTransparent != 0;
        // Transparency shows images on a white background; solids go first
        // then, so that the images lie over them.
        document->GetPenMapPtr()["B"] = TZhdPen(transparent ? 0xFFFFFF : 0x000000, 1);
        for (QWidget* control : std::initializer_list<QWidget*> { c.cbTrace, c.neTrace, c.Label1 })
            control->setEnabled(transparent);
        info.TraceWidth = transparent && c.cbTrace->isChecked() ? c.neTrace->Value() : 0;
        info.DrawOrder = info.DrawOrder / 10 * 10 + (transparent ? 2 : 1);
        UpdateMenuStates(info.DrawOrder);
    }
    if (runs(3)) {
        const bool trace = c.cbTrace->isChecked();
        info.TraceWidth = trace ? c.neTrace->Value() : 0;
        c.neTrace->setEnabled(trace);
    }
    if (runs(4))
        info.MojiWaku = c.miMojiWaku->isChecked() ? 1 : 0;
    if (runs(5))
        info.EmbedMoji = c.miEmbedMoji->isChecked() ? 1 : 0;
    if (runs(6))
        info.EdgeMoji = c.miEdgeMoji->isChecked() ? 1 : c.miEdgeMoji2->isChecked() ? 2 : 0;
    if (runs(7))
        info.FinalMoji = c.miFinalMoji->isChecked() ? 1 : 0;
    FocusSubCommandBar();
}

void TViewOptions::UpdateMenuStates(int code)
{
    TMainControls& c = host_.Controls();
    const int units = code % 10;
    c.N2->setChecked(units == 1 || units == 2);
    c.N4->setChecked(units == 2);
    const bool first = units == 1 || units == 2;
    c.N4->setEnabled(first);
    c.N6->setEnabled(first);
    const TRasSolidOrder::TOrderRow* row = TRasSolidOrder::RowOf(code / 10);
    QAction* const items[] = { c.N11, c.N12, c.N13, c.N14, c.N15 };
    for (std::size_t i = 0; i < std::size(items); ++i)
        items[i]->setChecked(row && row->marks[i]);
}

void TViewOptions::UpdateLayerOrderButton(int order)
{
    const char8_t* caption = order == 1 ? u8"レイヤ順" : order == 2 ? u8"レイヤ逆順" : u8"レイヤ順無";
    host_.Controls().btnLay->setText(QtText(caption));
}

void TViewOptions::UpdateColorOrderButton(int order)
{
    const char8_t* caption = order == 1   ? u8"線色順"
                             : order == 2 ? u8"線色逆順"
                             : order == 3 ? u8"データ逆順"
                                          : u8"データ順";
    host_.Controls().btnCol->setText(QtText(caption));
}

void TViewOptions::UpdateTextViewHint()
{
    const TMainControls& c = host_.Controls();
    ApplyStateHint(c.tbtnMojiView, u8"文字表示に関する指定をします．\nクリックすると詳細設定が開きます．",
                   TextViewState(c.miMojiWaku->isChecked(), c.miEmbedMoji->isChecked(), c.miEdgeMoji->isChecked(),
                                 c.miEdgeMoji2->isChecked(), c.miFinalMoji->isChecked()));
}

void TViewOptions::UpdateRasterHint()
{
    if (!host_.Document())
        return;
    const TInfoREG& info = Info();
    const TfmRasSolid& dialog = RasSolidDialog();
    std::string state;
    if (info.Release != 0)
        state += Utf8(u8"解");
    state += Utf8(u8"｜");
    if (info.UseCache != 0) {
        state += Utf8(u8"キャッシュ");
        // The joins as the dialog was last left: a join it disabled joins
        // nothing.
        const auto join = [&state](const QComboBox* list) {
            if (list->isEnabled()) {
                // Piece by piece: GCC 12 warns falsely about " " + a string.
                state += ' ';
                state += list->currentText().toStdString();
                state += ' ';
            }
        };
        if (info.LoadTime != 0)
            state += Utf8(u8"｜") + std::to_string(info.LoadTimeNum) + Utf8(u8"ミリ秒以上");
        join(dialog.Combine(1));
        if (info.SaveSize != 0) {
            static const char* const units[] = { "Byte", "KB", "MB", "GB", "TB" };
            const bool known = info.SaveSizeUnit >= 0 && info.SaveSizeUnit < static_cast<int>(std::size(units));
            state += std::to_string(info.SaveSizeNum) + (known ? units[info.SaveSizeUnit] : "?B") + Utf8(u8"以下");
        }
        join(dialog.Combine(2));
        if (info.Rate != 0)
            state += std::to_string(info.RateNum) + Utf8(u8"％以下");
    }
    ApplyStateHint(host_.Controls().tbtnRasSolid,
                   u8"画像データの表示順と読込に関する設定をします．\n▼をクリックすると表示順が\nボタンをクリック"
                   u8"すると読込設定が開きます．",
                   state);
}

void TViewOptions::SettingsLoaded()
{
    // The drawing uses the pitch and the trace width the toolbar shows; the
    // file sets the edits after the check boxes that copied them.
    PrtPitchExit();
    TraceExit();
    UpdateTextViewHint();
    UpdateRasterHint();
}

void TViewOptions::ShowOrders()
{
    if (!host_.Document())
        return;
    const TInfoREG& info = Info();
    UpdateLayerOrderButton(info.LayerOrder);
    UpdateColorOrderButton(info.ColorOrder);
    UpdateMenuStates(info.DrawOrder);
}

void TViewOptions::DrawingLoaded()
{
    if (!host_.Document())
        return;
    TMainControls& c = host_.Controls();
    const TInfoREG& info = Info();
    c.miFinalMoji->setChecked(info.FinalMoji != 0);
    if (info.EdgeMoji >= 0 && info.EdgeMoji <= 2) {
        c.miEdgeMoji->setChecked(info.EdgeMoji == 1);
        c.miEdgeMoji2->setChecked(info.EdgeMoji == 2);
    }
    ApplyViewOptions(0);
    UpdateTextViewHint();
    ShowOrders();
}

void TViewOptions::WidthViewClick()
{
    ApplyViewOptions(1);
    host_.Redraw("WidthViewClick()");
}

void TViewOptions::TransparentClick()
{
    const TMainControls& c = host_.Controls();
    ApplyViewOptions(2);
    std::string label;
    if (c.cbTransparent->isChecked())
        label += "Mono";
    if (c.cbColorTransparent->isChecked())
        label += "Color";
    host_.Redraw(label + "TranparentClick()");
}

void TViewOptions::TraceClick()
{
    ApplyViewOptions(3);
    host_.Redraw("TraceClick()");
}

void TViewOptions::TextFrameBoxClick()
{
    ApplyViewOptions(4);
    host_.Redraw("TextFrameClick()");
}

void TViewOptions::EmbeddedTextBoxClick()
{
    ApplyViewOptions(5);
    host_.Redraw("EmembedTextClick()");
}

void TViewOptions::TraceExit()
{
    const TMainControls& c = host_.Controls();
    // Transparency enables the edit with the trace rule off; the rule stays
    // off until it is checked.
    if (host_.Document() && c.cbTrace->isChecked())
        Info().TraceWidth = c.neTrace->Value();
}

void TViewOptions::PrtPitchExit()
{
    TNumberEdit* edit = host_.Controls().nePrtPitch;
    // The line types' pitch is divided by it.
    if (edit->Value() < 1)
        edit->SetValue(1);
    if (host_.Document())
        Info().PrtPitch = edit->Value();
}

void TViewOptions::LayerOrderClick()
{
    StepOrder(&TInfoREG::LayerOrder, 3, &TViewOptions::UpdateLayerOrderButton, "LayerOrderClick()");
}

void TViewOptions::ColorOrderClick()
{
    StepOrder(&TInfoREG::ColorOrder, 4, &TViewOptions::UpdateColorOrderButton, "ColorOrderClick()");
}

void TViewOptions::StepOrder(int TDrawSettings::*order, int count, void (TViewOptions::*show)(int),
                             const char* label)
{
    if (!host_.Document())
        return;
    int& value = Info().*order;
    // An order read from a drawing may be anything; the step never
    // overflows.
    value = static_cast<int>((static_cast<long long>(value) + 1) % count);
    (this->*show)(value);
    FocusSubCommandBar();
    host_.Redraw(label);
}

void TViewOptions::RasSolidFirstClick(const QAction* item, bool was_checked)
{
    if (!host_.Document())
        return;
    TInfoREG& info = Info();
    info.DrawOrder = TRasSolidOrder::AfterFirstClick(info.DrawOrder, item == host_.Controls().N4, was_checked);
    UpdateMenuStates(info.DrawOrder);
    FocusSubCommandBar();
    host_.Redraw("RasSolidOrderClick()");
}

void TViewOptions::RasSolidOrderClick(const QAction* item, bool was_checked)
{
    if (!host_.Document())
        return;
    const TMainControls& c = host_.Controls();
    const QAction* const items[] = { c.N11, c.N12, c.N13, c.N14, c.N15 };
    const auto found = std::find(std::begin(items), std::end(items), item);
    if (found == std::end(items))
        return;
    TInfoREG& info = Info();
    info.DrawOrder = TRasSolidOrder::AfterOrderClick(
        info.DrawOrder, static_cast<TRasSolidOrder::TOrderItem>(found - std::begin(items)), was_checked);
    UpdateMenuStates(info.DrawOrder);
    FocusSubCommandBar();
    host_.Redraw("RasSolidOrder2Click()");
}

void TViewOptions::TextItemClick(const QAction* item)
{
    TMainControls& c = host_.Controls();
    std::string label;
    switch (item->data().toInt()) {
    case 1:
        ApplyViewOptions(4);
        label = "TextFrameClick()";
        break;
    case 2:
        ApplyViewOptions(5);
        label = "EmembedTextClick()";
        break;
    case 3:
        // The outline and the range box exclude each other.
        c.miEdgeMoji2->setChecked(false);
        ApplyViewOptions(6);
        label = "EdgeTextClick()";
        break;
    case 4:
        c.miEdgeMoji->setChecked(false);
        ApplyViewOptions(6);
        label = "EdgeText2Click()";
        break;
    case 5:
        ApplyViewOptions(7);
        label = "FinalTextClick()";
        break;
    default:
        break;
    }
    UpdateTextViewHint();
    FocusSubCommandBar();
    host_.Redraw(label);
}

void TViewOptions::RasLoadConfigClick()
{
    if (!host_.Document())
        return;
    TMainControls& c = host_.Controls();
    TfmRasSolid& dialog = RasSolidDialog();
    dialog.Fill(Info());
    PlaceUnderButton(&dialog, c.tbtnRasSolid);
    const int result = dialog.exec();
    // The window may have closed meanwhile.
    if (result == QDialog::Accepted && host_.Document()) {
        dialog.Read(Info());
        UpdateRasterHint();
        FocusSubCommandBar();
        host_.Redraw("RasSolidConfig()");
    }
    FocusSubCommandBar();
}

void TViewOptions::TextDetailClick()
{
    if (!host_.Document())
        return;
    TMainControls& c = host_.Controls();
    TfmMojiView& dialog = MojiViewDialog();
    QAction* const items[] = { c.miMojiWaku, c.miEmbedMoji, c.miEdgeMoji, c.miEdgeMoji2, c.miFinalMoji };
    dialog.Fill(Info(), { items[0]->isChecked(), items[1]->isChecked(), items[2]->isChecked(),
                          items[3]->isChecked(), items[4]->isChecked() });
    PlaceUnderButton(&dialog, c.tbtnMojiView);
    const int result = dialog.exec();
    if (result == QDialog::Accepted && host_.Document()) {
        TTextDisplayMarks marks;
        dialog.Read(Info(), marks);
        const bool checked[] = { marks.frames, marks.embedded, marks.outline, marks.range_box, marks.last };
        for (std::size_t i = 0; i < std::size(items); ++i)
            items[i]->setChecked(checked[i]);
        ApplyViewOptions(0);
        UpdateTextViewHint();
        FocusSubCommandBar();
        host_.Redraw("MojiVIewDetail()");
    }
    FocusSubCommandBar();
}

TfmRasSolid& TViewOptions::RasSolidDialog()
{
    return GivenOrOwnForm(ras_solid_, own_ras_solid_, &host_.Window());
}

TfmMojiView& TViewOptions::MojiViewDialog()
{
    return GivenOrOwnForm(moji_view_, own_moji_view_, &host_.Window());
}
