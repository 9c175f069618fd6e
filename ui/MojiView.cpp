#include "ui/MojiView.h"

#include "core/TextUtil.h"
#include "platform/Numbers.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "render/InfoReg.h"

#include "ui_MojiView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShowEvent>

#include <algorithm>
#include <cmath>

namespace {

enum TUnit { Millimetres = 0, Percent = 1 };
enum { ColourOfBackground = 0 };
constexpr int chosen_outline_colour = 2;
constexpr int chosen_box_colour = 1;

// An edit's number: what does not read as a finite number is 0, so that a
// clamp after it always gives a value in range ("nan" compares with
// nothing).
double NumberOf(const QString& text)
{
    const double value = TextToFloat(text.toStdString());
    return std::isfinite(value) ? value : 0.0;
}

QString NumberText(double value)
{
    return QString::fromStdString(FloatToStrGeneral(value));
}

QColor ColourOf(int packed)
{
    return QColor(packed & 0xff, (packed >> 8) & 0xff, (packed >> 16) & 0xff);
}

int PackedOf(const QColor& colour)
{
    return colour.red() + colour.green() * 256 + colour.blue() * 65536;
}

struct TUnitTexts {
    const char8_t* title;
    const char8_t* hint;
};

TUnitTexts UnitTexts(int unit)
{
    if (unit == Millimetres)
        return { u8"輪郭の寸法( 0mm以上)", u8"図寸mm(0.1mm位が丁度良いと思う．)" };
    return { u8"輪郭の寸法( 0～100％)", u8"文字高の割合(3％位が丁度良いと思う．)" };
}

} // namespace

TfmMojiView::TfmMojiView(QWidget* parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::fmMojiView>())
{
    ui_->setupUi(this);
    // A hidden swatch keeps its place: the dialog does not change size as
    // the colour choice changes.
    for (QWidget* widget : { static_cast<QWidget*>(ui_->stColor), static_cast<QWidget*>(ui_->Label5),
                             static_cast<QWidget*>(ui_->stColor2), static_cast<QWidget*>(ui_->Label6) }) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    for (QLabel* swatch : { ui_->stColor, ui_->stColor2 }) {
        ApplyHint(swatch, QtText(u8"色を指定します．"));
        swatch->installEventFilter(this);
    }
    for (QWidget* edit : { ui_->edEdgeMojiRange, ui_->edEdgeMojiRange2 })
        edit->installEventFilter(this);
    connect(ui_->cbEdgeMoji, &QCheckBox::toggled, this, [this] { cbEdgeMojiClick(1); });
    connect(ui_->cbEdgeMoji2, &QCheckBox::toggled, this, [this] { cbEdgeMojiClick(2); });
    connect(ui_->cmbColor, &QComboBox::activated, this, [this] { cmbColorClick(); });
    connect(ui_->cmbColor2, &QComboBox::activated, this, [this] { cmbColor2Click(); });
    connect(ui_->cmbTani, &QComboBox::activated, this, [this] { cmbTaniClick(); });
    connect(ui_->btnExec, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Accepted); });
    connect(ui_->btmCancel, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Rejected); });
    InstallKeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
}

TfmMojiView::~TfmMojiView() = default;

void TfmMojiView::Fill(const TInfoREG& info, const TTextDisplayMarks& marks)
{
    ui_->cbMojiWaku->setChecked(marks.frames);
    ui_->cbEmbedMoji->setChecked(marks.embedded);
    ui_->cbEdgeMoji->setChecked(marks.outline);
    ui_->cbEdgeMoji2->setChecked(marks.range_box);
    ui_->cbFinalMoji->setChecked(marks.last);
    ui_->edEdgeMojiRange2->setText(NumberText(info.EdgeMojiRange));
    // An index outside a list leaves it without a selection.
    ui_->cmbTani->setCurrentIndex(info.EdgeMojiFixRate < ui_->cmbTani->count() ? info.EdgeMojiFixRate : -1);
    FixSize = info.EdgeMojiFixSize;
    RateSize = info.EdgeMojiRateSize;
    ui_->edEdgeMojiRange->setText(NumberText(info.EdgeMojiFixRate != 0 ? RateSize : FixSize));
    ui_->cmbColor->setCurrentIndex(info.EdgeMojiColorKind < ui_->cmbColor->count() ? info.EdgeMojiColorKind : -1);
    ui_->cmbColor2->setCurrentIndex(info.EdgeMojiColorKind2 < ui_->cmbColor2->count() ? info.EdgeMojiColorKind2
                                                                                      : -1);
    SetSwatch(1, info.EdgeMojiColor);
    SetSwatch(2, info.EdgeMojiColor2);
    ui_->cbMojiNonView->setChecked(info.EdgeMojiNonView != 0);
    ui_->cbEdgeMojiMode->setChecked(info.EdgeMojiEasy != 0);
}

void TfmMojiView::Read(TInfoREG& info, TTextDisplayMarks& marks) const
{
    marks = { ui_->cbMojiWaku->isChecked(), ui_->cbEmbedMoji->isChecked(), ui_->cbEdgeMoji->isChecked(),
              ui_->cbEdgeMoji2->isChecked(), ui_->cbFinalMoji->isChecked() };
    info.EdgeMojiRange = NumberOf(ui_->edEdgeMojiRange2->text());
    info.EdgeMojiFixRate = ui_->cmbTani->currentIndex();
    info.EdgeMojiFixSize = FixSize;
    info.EdgeMojiRateSize = RateSize;
    info.EdgeMojiColorKind = ui_->cmbColor->currentIndex();
    info.EdgeMojiColorKind2 = ui_->cmbColor2->currentIndex();
    info.EdgeMojiColor = colours_[0];
    info.EdgeMojiColor2 = colours_[1];
    info.EdgeMojiNonView = ui_->cbMojiNonView->isChecked() ? 1 : 0;
    info.EdgeMojiEasy = ui_->cbEdgeMojiMode->isChecked() ? 1 : 0;
}

void TfmMojiView::FormShow()
{
    UpdateControls();
}

void TfmMojiView::UpdateControls()
{
    const bool outline = ui_->cbEdgeMoji->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { ui_->Label2, ui_->Label3, ui_->edEdgeMojiRange,
                                                              ui_->cmbTani, ui_->cmbColor, ui_->cbEdgeMojiMode })
        control->setEnabled(outline);
    // A text can be hidden only behind an outline that is not the
    // background colour.
    const int colour_kind = ui_->cmbColor->currentIndex();
    const bool chosen_outline = outline && colour_kind == chosen_outline_colour;
    ui_->stColor->setVisible(chosen_outline);
    ui_->Label5->setVisible(chosen_outline);
    ui_->cbMojiNonView->setEnabled(outline && colour_kind != ColourOfBackground);

    const TUnitTexts unit = UnitTexts(ui_->cmbTani->currentIndex());
    ui_->Label2->setText(QtText(unit.title));
    const QString hint = QtText(unit.hint);
    ApplyHint(ui_->edEdgeMojiRange, hint);
    ApplyHint(ui_->cmbTani, hint);

    const bool range_box = ui_->cbEdgeMoji2->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*> { ui_->Label1, ui_->Label4, ui_->edEdgeMojiRange2,
                                                              ui_->cmbColor2 })
        control->setEnabled(range_box);
    const bool chosen_box = range_box && ui_->cmbColor2->currentIndex() == chosen_box_colour;
    ui_->stColor2->setVisible(chosen_box);
    ui_->Label6->setVisible(chosen_box);
}

void TfmMojiView::cbEdgeMojiClick(int tag)
{
    // The outline and the range box exclude each other.
    QCheckBox* clicked = tag == 1 ? ui_->cbEdgeMoji : ui_->cbEdgeMoji2;
    QCheckBox* other = tag == 1 ? ui_->cbEdgeMoji2 : ui_->cbEdgeMoji;
    if (clicked->isChecked())
        other->setChecked(false);
    UpdateControls();
}

void TfmMojiView::cmbColorClick()
{
    UpdateControls();
}

void TfmMojiView::cmbColor2Click()
{
    UpdateControls();
}

void TfmMojiView::cmbTaniClick()
{
    // Each unit shows its own value; nothing is converted.
    ui_->edEdgeMojiRange->setText(NumberText(ui_->cmbTani->currentIndex() == Millimetres ? FixSize : RateSize));
    UpdateControls();
}

void TfmMojiView::edEdgeMojiRangeExit()
{
    double value = std::max(NumberOf(ui_->edEdgeMojiRange->text()), 0.0);
    const int unit = ui_->cmbTani->currentIndex();
    if (unit == Millimetres) {
        FixSize = value;
    } else if (unit == Percent) {
        value = std::min(value, 100.0);
        RateSize = value;
    }
    ui_->edEdgeMojiRange->setText(NumberText(value));
}

void TfmMojiView::edEdgeMojiRange2Exit()
{
    const double value = std::clamp(NumberOf(ui_->edEdgeMojiRange2->text()), -1.0, 10.0);
    ui_->edEdgeMojiRange2->setText(NumberText(value));
}

void TfmMojiView::stColorClick(int tag)
{
    QColor colour = ColourOf(colours_[static_cast<std::size_t>(tag - 1)]);
    if (DialogService().ChooseColor(this, colour))
        SetSwatch(tag, PackedOf(colour));
}

bool TfmMojiView::FormKeyDown(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (focus == ui_->edEdgeMojiRange || focus == ui_->edEdgeMojiRange2) {
        // Leaving the edit checks it, as a click elsewhere would.
        focusNextChild();
        if (QApplication::focusWidget() == focus) {
            if (focus == ui_->edEdgeMojiRange)
                edEdgeMojiRangeExit();
            else
                edEdgeMojiRange2Exit();
        }
    }
    ui_->btnExec->click();
    return true;
}

void TfmMojiView::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool TfmMojiView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == ui_->edEdgeMojiRange)
            edEdgeMojiRangeExit();
        else if (watched == ui_->edEdgeMojiRange2)
            edEdgeMojiRange2Exit();
    }
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == ui_->stColor)
            stColorClick(1);
        else if (watched == ui_->stColor2)
            stColorClick(2);
    }
    return QDialog::eventFilter(watched, event);
}

void TfmMojiView::SetSwatch(int tag, int colour)
{
    colours_[static_cast<std::size_t>(tag - 1)] = colour;
    QLabel* swatch = Swatch(tag);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, ColourOf(colour));
    swatch->setPalette(palette);
}

QLabel* TfmMojiView::Swatch(int tag) const
{
    return tag == 1 ? ui_->stColor : ui_->stColor2;
}
