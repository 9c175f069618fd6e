// The print frame and the print toolbar's controls that edit it, and the
// frame mode's clicks.

#include "ui/PrintFrame.h"

#include "controls/HistoryComboBox.h"
#include "controls/FloatEdit.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "core/Angle.h"
#include "core/KDefine.h"
#include "document/ZhdData.h"
#include "platform/Errors.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "ui/InputBox.h"
#include "ui/MainControls.h"
#include "ui/MouseRelease.h"
#include "ui/PaintBox.h"
#include "ui/PointingServices.h"
#include "ui/PrintOrigin.h"
#include "ui/TipBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QToolButton>

#include <array>
#include <cmath>
#include <cstdio>

namespace {

struct TPresetScale {
    int percent;
    double scale;
};

constexpr std::array<TPresetScale, 7> preset_scales = { {
    { 200, 2.0 },
    { 141, 1.41 },
    { 100, 1.0 },
    { 71, 0.71 },
    { 50, 0.5 },
    { 35, 0.35 },
    { 25, 0.25 },
} };

constexpr int angle_history_length = 10;

// The reference point of a printer area: the tens digit of its code.
int ReferencePointOf(const TZhdZoomF& area)
{
    return area.GetCode() / 10;
}

TBPoint PixelPoint(QPoint pixel)
{
    return TBPoint(pixel.x(), pixel.y());
}

QPoint TruncatedPixel(const TBPoint& point)
{
    return QPoint(point.GetXInt(), point.GetYInt());
}

QRect ScreenRectOf(const QWidget& widget)
{
    const QScreen* screen = widget.screen();
    return screen ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
}

} // namespace

int PrintScaleItem(int percent)
{
    for (std::size_t item = 0; item < preset_scales.size(); ++item) {
        if (preset_scales[item].percent == percent)
            return static_cast<int>(item);
    }
    return FreeScaleItem;
}

double PresetPrintScale(int item)
{
    if (item < 0 || item >= static_cast<int>(preset_scales.size()))
        return 0;
    return preset_scales[static_cast<std::size_t>(item)].scale;
}

QString FreePrintScaleText(double scale)
{
    // The shortest text of the percentage, up to 15 significant digits.
    char percent[64];
    std::snprintf(percent, sizeof percent, "%.15g", scale * 100);
    return QtText(u8"任意倍率 (") + QString::fromLatin1(percent) + QStringLiteral(" %)");
}

bool IsUsablePrintScale(double scale)
{
    return std::isfinite(scale) && scale > 0;
}

QPoint PlaceUnderControl(const QRect& control, QSize dialog, const QRect& screen)
{
    QPoint place(control.left(), control.bottom() + 1);
    const int last_left = screen.left() + screen.width() - dialog.width();
    const int last_top = screen.top() + screen.height() - dialog.height();
    if (last_left < place.x())
        place.setX(last_left);
    if (last_top < place.y())
        place.setY(last_top);
    return place;
}

void PushAngleHistory(QComboBox& box, const QString& text)
{
    const int found = box.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found > 0)
        box.removeItem(found);
    if (found != 0)
        box.insertItem(0, text);
    if (box.count() > angle_history_length)
        box.removeItem(angle_history_length);
}

TPrintFrame::TPrintFrame(TMainWindowHost& host, TPointingServices& pointing, TTipBox& tip_box, TActions actions)
    : TMainFeature(host)
    , pointing_(pointing)
    , tip_box_(tip_box)
    , actions_(std::move(actions))
{
}

TPrintFrame::~TPrintFrame() = default;

void TPrintFrame::InstallAngleExit()
{
    THistoryComboBox& box = *host_.Controls().hcbPrintAngle;
    box.installEventFilter(this);
    if (QLineEdit* edit = box.lineEdit())
        edit->installEventFilter(this);
}

bool TPrintFrame::eventFilter(QObject* watched, QEvent* event)
{
    THistoryComboBox& box = *host_.Controls().hcbPrintAngle;
    // Leaving the box for its own list is not leaving it.
    if (event->type() == QEvent::FocusOut && (watched == &box || watched == box.lineEdit())
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && !box.hasFocus())
        AngleExit();
    return false;
}

// --- The print toolbar ---

void TPrintFrame::RangeClick()
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TMainControls& c = host_.Controls();
    TInfoREG& info = document->GetInfoRegPtr();
    const unsigned reference = static_cast<unsigned>(document->GetHeadPtr().GetPrinterArea().GetCode()) / 10;
    const TBPoint pixel = info.WorldToScreen(info.GetPrintFramePoint(reference, *document));
    pointing_.DrawMarker(0, 0, false, true);
    c.PaintBox1->MoveCursorTo(TruncatedPixel(pixel));
    host_.State().CommandSubMode = FrameAboutToMove;
    info.FrameFollow = 1;
    c.ToolbarSubCommand->setFocus();
    c.tbMPbtnPrint->setEnabled(false);
    c.tbMPbtnRange->setEnabled(false);
}

void TPrintFrame::OriginClick()
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TMainControls& c = host_.Controls();
    TZhdHead& head = document->GetHeadPtr();
    const int old_reference = ReferencePointOf(head.GetPrinterArea());
    TfmPrintOrigin& dialog = OriginDialog();
    dialog.SetReferencePoint(old_reference);
    const QRect button(c.tbMPbtnOrigin->mapToGlobal(QPoint(0, 0)), c.tbMPbtnOrigin->size());
    dialog.move(PlaceUnderControl(button, dialog.size(), ScreenRectOf(*c.tbMPbtnOrigin)));
    if (dialog.exec() == QDialog::Accepted && host_.Document() == document) {
        TInfoREG& info = document->GetInfoRegPtr();
        TZhdZoomF area = head.GetPrinterArea();
        const bool following = host_.State().CommandSubMode == FrameFollowsMouse;
        const TBPoint cursor = info.ScreenToWorld(PixelPoint(host_.State().CursorPoint));
        if (following)
            DrawFrameAt(*document, info.GetPrintFrameCentre(old_reference, cursor, *document));
        const int new_reference = dialog.ReferencePoint();
        area.SetCode(area.GetCode() % 10 + 10 * new_reference);
        head.SetPrinterArea(area);
        ShowPrintZoom(head.GetPrinterArea(), *document);
        if (following)
            DrawFrameAt(*document, info.GetPrintFrameCentre(new_reference, cursor, *document));
    }
    c.ToolbarSubCommand->setFocus();
}

void TPrintFrame::ScaleChange()
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TMainControls& c = host_.Controls();
    DrawFrameAt(*document, ShownFrameCentre(*document));
    TZhdZoomF area = document->GetHeadPtr().GetPrinterArea();
    const int item = c.cbPrintBai->currentIndex();
    if (item >= 0 && item < FreeScaleItem) {
        area.SetScale(PresetPrintScale(item));
    } else if (item == FreeScaleItem) {
        double scale = area.GetScale();
        if (AskFreeScale(scale))
            area.SetScale(scale);
    }
    ShowPrintZoom(area, *document);
    DrawFrameAt(*document, ShownFrameCentre(*document));
    c.ToolbarSubCommand->setFocus();
}

// A percentage that makes no frame (0, below 0, not a number) is refused:
// the frame keeps its scale, and so does the free scale.
bool TPrintFrame::AskFreeScale(double& scale)
{
    TMainControls& c = host_.Controls();
    TfmInputBox& box = InputBox();
    box.setWindowTitle(QtText(u8"印刷倍率設定"));
    box.Label1()->setText(QtText(u8"印刷倍率（％）を入力して下さい．"));
    box.Label2()->setText(QtText(u8"％"));
    box.ShowEditor(box.feBox());
    box.feBox()->SetPlace(3);
    if (!(free_print_scale_ > 0))
        free_print_scale_ = scale;
    box.feBox()->SetValue(free_print_scale_ * 100);
    box.move(c.cbPrintBai->mapToGlobal(QPoint(0, c.cbPrintBai->height())));
    if (box.exec() != QDialog::Accepted)
        return false;
    const double entered = box.feBox()->Value() * 0.01;
    if (!IsUsablePrintScale(entered)) {
        DialogService().Beep();
        return false;
    }
    scale = entered;
    free_print_scale_ = entered;
    return true;
}

void TPrintFrame::AngleExit()
{
    if (leaving_angle_box_ || !host_.Document())
        return;
    leaving_angle_box_ = true;
    TMainControls& c = host_.Controls();
    TAngle angle;
    try {
        angle.SetFromText(Utf8ToSjis(c.hcbPrintAngle->currentText().toStdString()));
        PushAngleHistory(*c.hcbPrintAngle, SjisText(angle.Format(2, 10)));
    } catch (const ConvertError&) {
        // No angle: the box shows the angle in force again.
        DialogService().Beep();
    }
    c.hcbPrintAngle->setCurrentIndex(0);
    c.hcbPrintAngle->setEditText(c.hcbPrintAngle->itemText(0));
    ApplyAngleText();
    c.ToolbarSubCommand->setFocus();
    leaving_angle_box_ = false;
    host_.Redraw("hcbPrintAngleExit()");
}

void TPrintFrame::AngleClick(int index)
{
    TMainControls& c = host_.Controls();
    if (!host_.Document() || index < 0 || index >= c.hcbPrintAngle->count())
        return;
    const QString chosen = c.hcbPrintAngle->itemText(index);
    c.hcbPrintAngle->removeItem(index);
    c.hcbPrintAngle->insertItem(0, chosen);
    c.hcbPrintAngle->setCurrentIndex(0);
    ApplyAngleText();
    c.ToolbarSubCommand->setFocus();
    host_.Redraw("hcbPrintAngleClick()");
}

// The box's text, one of its own items, becomes the print angle.
void TPrintFrame::ApplyAngleText()
{
    TAngle angle;
    try {
        angle.SetFromText(Utf8ToSjis(host_.Controls().hcbPrintAngle->currentText().toStdString()));
    } catch (const ConvertError&) {
        // A history file may hold anything; such an entry turns nothing.
        return;
    }
    host_.Document()->GetInfoRegPtr().PrintAngle = angle.GetRadians();
}

void TPrintFrame::ColorPrintClick()
{
    TZhdData* document = host_.Document();
    if (!document)
        return;
    TMainControls& c = host_.Controls();
    TZhdHead& head = document->GetHeadPtr();
    head.SetColorPrint(c.cbColorPrint->isChecked() ? 1 : 0);
    document->GetInfoRegPtr().ColorPrint = head.GetColorPrint();
    c.ToolbarSubCommand->setFocus();
    host_.Redraw("ColorPrintClick()");
}

void TPrintFrame::ShowPrintZoom(const TZhdZoomF& area, TZhdData& document)
{
    TMainControls& c = host_.Controls();
    c.tbMPbtnOrigin->setText(SjisText(LookUp(SharedDefine().BasePointNames, ReferencePointOf(area))));
    const int percent = static_cast<int>(std::trunc(area.GetScale() * 100 + 0.5));
    const int item = PrintScaleItem(percent);
    if (item == FreeScaleItem) {
        while (c.cbPrintBai->count() > FreeScaleItem)
            c.cbPrintBai->removeItem(FreeScaleItem);
        c.cbPrintBai->addItem(FreePrintScaleText(area.GetScale()));
        free_print_scale_ = area.GetScale();
    }
    c.cbPrintBai->setCurrentIndex(item);
    document.GetHeadPtr().SetPrinterArea(area);
}

// --- The frame mode's click ---

void TPrintFrame::Click(TMouseRelease& release)
{
    if (!host_.Document())
        return;
    switch (host_.State().CommandSubMode) {
    case FrameStandsStill:
        ClickStandingStill(release);
        break;
    case FrameFollowsMouse:
        ClickFollowing(release);
        break;
    default:
        break;
    }
}

// Left: the job, unless the click only took the focus from the search word;
// right: the frame starts to follow.
void TPrintFrame::ClickStandingStill(const TMouseRelease& release)
{
    TMainControls& c = host_.Controls();
    if (release.button == TReleasedButton::Left) {
        if (!c.ebSearchWord->hasFocus() && !c.cbSearchWord->hasFocus() && actions_.print_click)
            actions_.print_click();
        c.ToolbarSubCommand->setFocus();
    } else if (release.button == TReleasedButton::Right) {
        RangeClick();
    }
}

// Left or middle: down where it hangs. Right: down on the nearest point of
// the drawing (or the one a clock command found), with a marker there and
// the mouse moved onto it; no point near, no setting down.
void TPrintFrame::ClickFollowing(TMouseRelease& release)
{
    TZhdData& document = *host_.Document();
    TInfoREG& info = document.GetInfoRegPtr();
    const QPoint at = release.action;
    TBPoint reference = info.ScreenToWorld(PixelPoint(at));
    if (release.button == TReleasedButton::Right) {
        if (release.pick_result == -1)
            release.pick_result = pointing_.SnapToFramePoint(at.x(), at.y(), release.picked_point, PointingTolerance);
        if (release.pick_result == -1) {
            tip_box_.ShowTip(sj(u8"　点がありません！　"), at.x(), at.y(), true);
            return;
        }
        const int d = ReferencePointOf(document.GetHeadPtr().GetPrinterArea());
        DrawFrameAt(document, info.GetPrintFrameCentre(d, reference, document));
        DrawFrameAt(document, info.GetPrintFrameCentre(d, release.picked_point, document));
        const TBPoint pixel = info.WorldToScreen(release.picked_point);
        pointing_.DrawMarker(pixel.GetXInt(), pixel.GetYInt(), true, true);
        info.SetMouseScreen(pixel);
        host_.Controls().PaintBox1->MoveCursorTo(TruncatedPixel(pixel));
        reference = release.picked_point;
    }
    SetDown(reference);
}

// No redraw: the frame stands drawn where it now is.
void TPrintFrame::SetDown(const TBPoint& reference)
{
    TZhdData& document = *host_.Document();
    TMainControls& c = host_.Controls();
    host_.State().CommandSubMode = FrameStandsStill;
    document.GetInfoRegPtr().FrameFollow = 0;
    if (!c.tbtn97ContPrint->Down())
        c.tbMPbtnPrint->setEnabled(true);
    c.tbMPbtnRange->setEnabled(true);
    TZhdHead& head = document.GetHeadPtr();
    TZhdZoomF area = head.GetPrinterArea();
    const TBPoint centre = document.GetInfoRegPtr().GetPrintFrameCentre(ReferencePointOf(area), reference, document);
    area.SetXY(centre.GetX(), centre.GetY());
    head.SetPrinterArea(area);
}

TBPoint TPrintFrame::ShownFrameCentre(TZhdData& document) const
{
    const TMainState& state = host_.State();
    const TZhdZoomF area = document.GetHeadPtr().GetPrinterArea();
    if (state.CommandMode == FrameMode && state.CommandSubMode == FrameFollowsMouse) {
        const TInfoREG& info = document.GetInfoRegPtr();
        return info.GetPrintFrameCentre(ReferencePointOf(area), info.ScreenToWorld(PixelPoint(state.CursorPoint)),
                                        document);
    }
    return TBPoint(area.GetX(), area.GetY());
}

void TPrintFrame::DrawFrameAt(TZhdData& document, const TBPoint& centre)
{
    TInfoREG& info = document.GetInfoRegPtr();
    if (info.PrintPreview == 0)
        return;
    TPaintBox& paint_box = *host_.Controls().PaintBox1;
    TImageCanvas canvas(paint_box.Front());
    info.DrawPrintFrame(canvas, centre, document);
    canvas.Finish();
    paint_box.ShowFront();
}

TfmPrintOrigin& TPrintFrame::OriginDialog()
{
    return GivenOrOwnForm(actions_.origin_dialog ? actions_.origin_dialog() : nullptr, own_origin_dialog_, &host_.Window());
}

TfmInputBox& TPrintFrame::InputBox()
{
    return GivenOrOwnForm(actions_.input_box ? actions_.input_box() : nullptr, own_input_box_, &host_.Window());
}
