#include "ui/PrintSetting.h"

#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "render/InfoReg.h"

#include "ui_PrintSetting.h"

#include <QShowEvent>

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr int rule_count = 5;

// A rule index for a list: one outside the items leaves it without a
// selection.
int RuleItem(int rule)
{
    return rule >= 0 && rule < rule_count ? rule : -1;
}

std::string SjisOf(const QString& text)
{
    return Utf8ToSjis(text.toStdString());
}

} // namespace

TfmPrintSetting::TfmPrintSetting(QWidget* parent)
    : QDialog(parent)
    , ui_(std::make_unique<Ui::TfmPrintSetting>())
{
    ui_->setupUi(this);
    // Names are typed as they are: no completion from the list behind the
    // user's back.
    ui_->cmbConfigName->setCompleter(nullptr);
    connect(ui_->cbGroupContinuation, &QCheckBox::toggled, this, [this] { cbGroupContinuationClick(); });
    connect(ui_->cbLayerContinuation, &QCheckBox::toggled, this, [this] { cbLayerContinuationClick(); });
    connect(ui_->cmbConfigName, &QComboBox::editTextChanged, this, [this] { cmbConfigNameChange(); });
    connect(ui_->cmbConfigName, &QComboBox::activated, this, [this] { cmbConfigNameClick(); });
    connect(ui_->btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(ui_->btnRemove, &QPushButton::clicked, this, [this] { btnRemoveClick(); });
    connect(ui_->btnUp, &QPushButton::clicked, this, [this] { btnUpClick(); });
    connect(ui_->btnDown, &QPushButton::clicked, this, [this] { btnDownClick(); });
    for (QComboBox* list : { ui_->cmbPrtWidth, ui_->cmbPrtPitch, ui_->cmbPrtHankei, ui_->cmbPrtEdge })
        connect(list, &QComboBox::activated, this, [this] { cmbPrtWidthClick(); });
    connect(ui_->btnContPrt, &QPushButton::clicked, this, [this] { btnContPrtClick(); });
    connect(ui_->btnExec, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Accepted); });
    connect(ui_->btnCancel, &QPushButton::clicked, this, [this] { SetModalResult(this, QDialog::Rejected); });
}

TfmPrintSetting::~TfmPrintSetting() = default;

void TfmPrintSetting::Prepare(bool print_mode)
{
    for (QWidget* control : std::initializer_list<QWidget*> { ui_->cbSpecialMemory, ui_->Label1,
                                                              ui_->cbGroupContinuation, ui_->cbLayerContinuation,
                                                              ui_->cbCommonContinuation })
        control->setEnabled(print_mode);
}

void TfmPrintSetting::Fill(const TInfoREG& info, std::vector<TMojiInt4>& presets, std::function<bool()> color_print)
{
    presets_ = &presets;
    color_print_ = std::move(color_print);
    // Each box's handler runs when its state changes, as a click's would.
    ui_->cbSpecialMemory->setChecked(info.SpecialMemory != 0);
    ui_->cbMonoThin->setChecked(info.MonoThin != 0);
    ui_->cbGroupContinuation->setChecked(info.GroupContinuation != 0);
    ui_->cbLayerContinuation->setChecked(info.LayerContinuation != 0);
    ui_->cbCommonContinuation->setChecked(info.GreyDisplayOnly != 0);

    // The form keeps the five items once; the other lists take a copy.
    QStringList items;
    for (int i = 0; i < ui_->cmbPrtWidth->count(); ++i)
        items.append(ui_->cmbPrtWidth->itemText(i));
    for (QComboBox* list : { ui_->cmbPrtPitch, ui_->cmbPrtHankei, ui_->cmbPrtEdge }) {
        list->clear();
        list->addItems(items);
    }
    ui_->cmbPrtWidth->setCurrentIndex(RuleItem(info.PenWidthFix));
    ui_->cmbPrtPitch->setCurrentIndex(RuleItem(info.PenPitchFix));
    ui_->cmbPrtHankei->setCurrentIndex(RuleItem(info.PenHankeiFix));
    ui_->cmbPrtEdge->setCurrentIndex(RuleItem(info.PenEdgeFix));
    ui_->cbPreviewFix->setChecked(info.PenPreviewFix != 0);

    // Every preset with the selected rules selects its name in turn, so the
    // last of them ends selected.
    ui_->cmbConfigName->clear();
    const std::string rules = MojiInt4DigitsText(SelectedRules());
    int selected = -1;
    for (std::size_t i = 0; i < presets.size(); ++i) {
        ui_->cmbConfigName->addItem(SjisText(presets[i].Name));
        if (MojiInt4DigitsText(presets[i]) == rules)
            selected = static_cast<int>(i);
    }
    SelectName(selected);
}

void TfmPrintSetting::Read(TInfoREG& info) const
{
    info.SpecialMemory = ui_->cbSpecialMemory->isChecked() ? 1 : 0;
    info.MonoThin = ui_->cbMonoThin->isChecked() ? 1 : 0;
    info.GroupContinuation = ui_->cbGroupContinuation->isChecked() ? 1 : 0;
    info.LayerContinuation = ui_->cbLayerContinuation->isChecked() ? 1 : 0;
    info.GreyDisplayOnly = ui_->cbCommonContinuation->isChecked() ? 1 : 0;
    info.PenPreviewFix = ui_->cbPreviewFix->isChecked() ? 1 : 0;
    // A list without a selection has no rule to give: the old one stays,
    // rather than -1, which no drawing code knows.
    const std::array<std::pair<const QComboBox*, int*>, 4> rules { {
        { ui_->cmbPrtWidth, &info.PenWidthFix },
        { ui_->cmbPrtPitch, &info.PenPitchFix },
        { ui_->cmbPrtHankei, &info.PenHankeiFix },
        { ui_->cmbPrtEdge, &info.PenEdgeFix },
    } };
    for (const auto& [list, member] : rules) {
        if (list->currentIndex() >= 0)
            *member = list->currentIndex();
    }
}

int TfmPrintSetting::Run(TInfoREG& info, std::vector<TMojiInt4>& presets, std::function<bool()> color_print,
                         const QWidget* button)
{
    Fill(info, presets, std::move(color_print));
    if (button)
        PlaceUnderButton(this, button);
    const int result = exec();
    if (result == QDialog::Accepted)
        Read(info);
    return result;
}

void TfmPrintSetting::FormShow()
{
    UpdatePresetButtons();
    UpdateCommonContinuation();
    ui_->btnExec->setFocus();
}

void TfmPrintSetting::cbGroupContinuationClick()
{
    // One page per group and one page per layer exclude each other.
    if (ui_->cbGroupContinuation->isChecked())
        ui_->cbLayerContinuation->setChecked(false);
    UpdateCommonContinuation();
}

void TfmPrintSetting::cbLayerContinuationClick()
{
    if (ui_->cbLayerContinuation->isChecked())
        ui_->cbGroupContinuation->setChecked(false);
    UpdateCommonContinuation();
}

void TfmPrintSetting::cmbConfigNameChange()
{
    UpdatePresetButtons();
}

void TfmPrintSetting::cmbConfigNameClick()
{
    if (ui_->cmbConfigName->currentIndex() >= 0)
        SelectPreset(ui_->cmbConfigName->currentIndex());
    UpdatePresetButtons();
}

void TfmPrintSetting::btnAddClick()
{
    CurrentConfig = SelectedRules();
    CurrentConfig.Name = SjisOf(ui_->cmbConfigName->currentText());
    if (!CanAddPreset())
        return;
    // A name that is taken cannot be added, so the preset is new.
    presets_->push_back(CurrentConfig);
    ui_->cmbConfigName->addItem(SjisText(CurrentConfig.Name));
    SelectName(ui_->cmbConfigName->count() - 1);
    UpdatePresetButtons();
}

void TfmPrintSetting::btnRemoveClick()
{
    const int i = ui_->cmbConfigName->currentIndex();
    if (i < 0)
        return;
    presets_->erase(presets_->begin() + i);
    ui_->cmbConfigName->removeItem(i);
    SelectName(i - 1);
    SelectPreset(i - 1);
    UpdatePresetButtons();
}

void TfmPrintSetting::btnUpClick()
{
    const int i = ui_->cmbConfigName->currentIndex();
    if (i <= 0)
        return;
    SwapPresets(i - 1);
    SelectName(i - 1);
    SelectPreset(i - 1);
    UpdatePresetButtons();
}

void TfmPrintSetting::btnDownClick()
{
    const int i = ui_->cmbConfigName->currentIndex();
    if (i < 0 || i + 1 >= ui_->cmbConfigName->count())
        return;
    SwapPresets(i);
    SelectName(i + 1);
    SelectPreset(i + 1);
    UpdatePresetButtons();
}

void TfmPrintSetting::cmbPrtWidthClick()
{
    CurrentConfig = SelectedRules();
    const int found = FindPresetWithRules(CurrentConfig);
    if (found >= 0)
        SelectPreset(found);
    else
        SelectName(-1);
    // The buttons follow at once: an emptied name box must not leave
    // "設定に追加" on for a preset without a name.
    UpdatePresetButtons();
}

void TfmPrintSetting::btnContPrtClick()
{
    ui_->btnExec->setFocus();
}

void TfmPrintSetting::SelectPreset(int i)
{
    if (i < 0 || i >= static_cast<int>(presets_->size()))
        return;
    const TMojiInt4& preset = (*presets_)[static_cast<std::size_t>(i)];
    ui_->cmbPrtWidth->setCurrentIndex(RuleItem(preset.Int1));
    ui_->cmbPrtPitch->setCurrentIndex(RuleItem(preset.Int2));
    ui_->cmbPrtHankei->setCurrentIndex(RuleItem(preset.Int3));
    ui_->cmbPrtEdge->setCurrentIndex(RuleItem(preset.Int4));
    SelectName(i);
    CurrentConfig = SelectedRules();
    CurrentConfig.Name = SjisOf(ui_->cmbConfigName->currentText());
}

void TfmPrintSetting::UpdatePresetButtons()
{
    ui_->btnAdd->setEnabled(CanAddPreset());
    const int selected = ui_->cmbConfigName->currentIndex();
    ui_->btnRemove->setEnabled(selected >= 0);
    ui_->btnUp->setEnabled(selected > 0);
    ui_->btnDown->setEnabled(selected >= 0 && selected < ui_->cmbConfigName->count() - 1);
}

void TfmPrintSetting::UpdateCommonContinuation()
{
    // Image output has no pages per group or layer: the box stays as the
    // mode left it.
    if (!ui_->cbGroupContinuation->isEnabled())
        return;
    const bool continuation = ui_->cbGroupContinuation->isChecked() || ui_->cbLayerContinuation->isChecked();
    ui_->cbCommonContinuation->setEnabled(color_print_() && continuation);
}

void TfmPrintSetting::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

TMojiInt4 TfmPrintSetting::SelectedRules() const
{
    TMojiInt4 rules;
    SetMojiInt4(rules, ui_->cmbPrtWidth->currentIndex(), ui_->cmbPrtPitch->currentIndex(),
                ui_->cmbPrtHankei->currentIndex(), ui_->cmbPrtEdge->currentIndex(), "");
    return rules;
}

bool TfmPrintSetting::CanAddPreset() const
{
    const QString name = ui_->cmbConfigName->currentText();
    const std::string sjis_name = SjisOf(name);
    const bool name_taken = std::any_of(presets_->begin(), presets_->end(),
                                        [&](const TMojiInt4& preset) { return preset.Name == sjis_name; });
    // A preset keeps four rules: with a list left without one there is
    // nothing to add.
    const TMojiInt4 rules = SelectedRules();
    const bool all_rules = std::min({ rules.Int1, rules.Int2, rules.Int3, rules.Int4 }) >= 0;
    return !name.isEmpty() && !name_taken && all_rules;
}

int TfmPrintSetting::FindPresetWithRules(const TMojiInt4& rules) const
{
    const std::string digits = MojiInt4DigitsText(rules);
    for (std::size_t i = 0; i < presets_->size(); ++i) {
        if (MojiInt4DigitsText((*presets_)[i]) == digits)
            return static_cast<int>(i);
    }
    return -1;
}

void TfmPrintSetting::SelectName(int i)
{
    ui_->cmbConfigName->setCurrentIndex(i);
    // An editable box keeps its text without a selection; none means empty.
    if (i < 0)
        ui_->cmbConfigName->setEditText(QString());
}

void TfmPrintSetting::SwapPresets(int i)
{
    std::swap((*presets_)[static_cast<std::size_t>(i)], (*presets_)[static_cast<std::size_t>(i + 1)]);
    const QString upper = ui_->cmbConfigName->itemText(i);
    ui_->cmbConfigName->setItemText(i, ui_->cmbConfigName->itemText(i + 1));
    ui_->cmbConfigName->setItemText(i + 1, upper);
}
