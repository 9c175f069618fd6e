#include "ui/RasSolid.h"

#include "controls/NumberEdit.h"
#include "platform/ui/FormSupport.h"
#include "render/InfoReg.h"

#include "ui_RasSolid.h"

#include <QKeyEvent>
#include <QShowEvent>

#include <algorithm>

namespace {

int Flag(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

// An index the list has: below the first item the first, past the last the
// last.
void SelectIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(std::clamp(index, 0, list->count() - 1));
}

} // namespace

TfmRasSolid::TfmRasSolid(QWidget* parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::fmRasSolid>())
{
    ui_->setupUi(this);
    rows_ = { {
        { ui_->cbRasLoadTime, { ui_->neRasLoadTime, ui_->Label1 } },
        { ui_->cbRasSaveSize, { ui_->neRasSaveSize, ui_->cmbRasSaveSize, ui_->Label2 } },
        { ui_->cbRasRate, { ui_->neRasRate, ui_->Label3 } },
    } };
    connect(ui_->cbRasMonoCache, &QCheckBox::toggled, this, &TfmRasSolid::cbRasMonoCacheClick);
    connect(ui_->cbRasLoadTime, &QCheckBox::toggled, this, &TfmRasSolid::cbRasLoadTimeClick);
    connect(ui_->cbRasSaveSize, &QCheckBox::toggled, this, &TfmRasSolid::cbRasSaveSizeClick);
    connect(ui_->cbRasRate, &QCheckBox::toggled, this, &TfmRasSolid::cbRasRateClick);
    connect(ui_->btnExec, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Accepted); });
    connect(ui_->btmCancel, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Rejected); });
    InstallKeyPreview(this, [this](QKeyEvent* event) { return FormKeyDown(event); });
    EnableAll();
}

TfmRasSolid::~TfmRasSolid() = default;

void TfmRasSolid::Fill(const TInfoREG& info)
{
    ui_->cbRasRelease->setChecked(info.Release != 0);
    ui_->cbRasMonoCache->setChecked(info.UseCache != 0);
    ui_->cbRasLoadTime->setChecked(info.LoadTime != 0);
    ui_->neRasLoadTime->SetValue(std::max(info.LoadTimeNum, 0));
    ui_->cbRasSaveSize->setChecked(info.SaveSize != 0);
    ui_->neRasSaveSize->SetValue(std::max(info.SaveSizeNum, 0));
    SelectIndex(ui_->cmbRasSaveSize, info.SaveSizeUnit);
    ui_->cbRasRate->setChecked(info.Rate != 0);
    ui_->neRasRate->SetValue(std::max(info.RateNum, 0));
    SelectIndex(ui_->cmbCombine1, info.Combine1);
    SelectIndex(ui_->cmbCombine2, info.Combine2);
}

void TfmRasSolid::Read(TInfoREG& info) const
{
    info.Release = Flag(ui_->cbRasRelease);
    info.UseCache = Flag(ui_->cbRasMonoCache);
    info.LoadTime = Flag(ui_->cbRasLoadTime);
    info.LoadTimeNum = ui_->neRasLoadTime->Value();
    info.SaveSize = Flag(ui_->cbRasSaveSize);
    info.SaveSizeNum = ui_->neRasSaveSize->Value();
    info.SaveSizeUnit = ui_->cmbRasSaveSize->currentIndex();
    info.Rate = Flag(ui_->cbRasRate);
    info.RateNum = ui_->neRasRate->Value();
    info.Combine1 = ui_->cmbCombine1->currentIndex();
    info.Combine2 = ui_->cmbCombine2->currentIndex();
}

const QComboBox* TfmRasSolid::Combine(int join) const
{
    return join == 1 ? ui_->cmbCombine1 : ui_->cmbCombine2;
}

void TfmRasSolid::FormShow()
{
    EnableAll();
}

void TfmRasSolid::cbRasMonoCacheClick()
{
    EnableAll();
}

void TfmRasSolid::cbRasLoadTimeClick()
{
    EnableRow(rows_[LoadTimeRow]);
    EnableJoins();
}

void TfmRasSolid::cbRasSaveSizeClick()
{
    EnableRow(rows_[SaveSizeRow]);
    EnableJoins();
}

void TfmRasSolid::cbRasRateClick()
{
    EnableRow(rows_[RateRow]);
    EnableJoins();
}

bool TfmRasSolid::FormKeyDown(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    focusNextChild();
    return true;
}

void TfmRasSolid::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool TfmRasSolid::CacheOn() const
{
    return ui_->cbRasMonoCache->isChecked();
}

void TfmRasSolid::EnableAll()
{
    for (const TConditionRow& row : rows_) {
        row.box->setEnabled(CacheOn());
        EnableRow(row);
    }
    EnableJoins();
}

void TfmRasSolid::EnableRow(const TConditionRow& row)
{
    const bool on = CacheOn() && row.box->isChecked();
    for (QWidget* control : row.controls)
        control->setEnabled(on);
}

void TfmRasSolid::EnableJoins()
{
    const bool load_time = ui_->cbRasLoadTime->isChecked();
    const bool save_size = ui_->cbRasSaveSize->isChecked();
    const bool rate = ui_->cbRasRate->isChecked();
    ui_->cmbCombine1->setEnabled(CacheOn() && load_time && (save_size || rate));
    ui_->cmbCombine2->setEnabled(CacheOn() && save_size && rate);
}
