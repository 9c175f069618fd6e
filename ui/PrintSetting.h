#pragma once

// TfmPrintSetting: the options of a print or image-output job that are not
// on the print toolbar (memory for transparent colour images, thinned
// monochrome images, one page per group or per layer with grey common
// layers) and the four pen-scaling rules, with the named presets of the
// main window that set the four rules at once.
//
// The rules are indexes 0..4 of the same five items in each list, the power
// of the print scale a size follows on paper (TInfoREG::GetScalePower). A
// preset (TMojiInt4) keeps them in the order line width, line-type pitch,
// point radius, text outline; two presets have the same rules when their
// digits (MojiInt4DigitsText) are equal.
//
// The caller fills the dialog (Fill), shows it and reads it back on "決定"
// (Read); Run does the three, placed under the toolbar button. The preset
// list is the caller's: the four list buttons edit it in place at once, so
// their changes stay when the dialog is cancelled.
//
// The print and output modes label the dialog with Prepare: the memory and
// continuation controls are for printing only and are disabled for image
// output, though their states are copied back all the same.
//
// Beyond the plain rules: "設定から削除" and "下へ" are disabled and do
// nothing while no preset is selected; a rule change updates the preset
// buttons at once, so a name box emptied by it never adds a nameless
// preset; a rule list left without a selection (a value out of range) keeps
// its member's value on "決定".

#include "core/MojiInt4.h"
#include "render/Forward.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QShowEvent;
namespace Ui {
class TfmPrintSetting;
}

class TfmPrintSetting : public QDialog {
    Q_OBJECT
public:
    explicit TfmPrintSetting(QWidget* parent = nullptr);
    ~TfmPrintSetting() override;

    // Labels the dialog for print mode (true) or image-output mode (false);
    // the print and output modes call it when they switch.
    void Prepare(bool print_mode);

    // The controls from the job options; `presets` is edited in place and
    // must outlive the showing; `color_print` tells whether the print
    // toolbar's colour print box is checked.
    void Fill(const TInfoREG& info, std::vector<TMojiInt4>& presets, std::function<bool()> color_print);
    // The job options from the controls, after "決定".
    void Read(TInfoREG& info) const;
    // Fill, placed under `button` (null: where it was), shown modally, Read
    // on "決定". Returns the modal result.
    int Run(TInfoREG& info, std::vector<TMojiInt4>& presets, std::function<bool()> color_print,
            const QWidget* button);

    // Handlers and the operations they share.
    void FormShow();
    void cbGroupContinuationClick();
    void cbLayerContinuationClick();
    void cmbConfigNameChange();
    void cmbConfigNameClick();
    void btnAddClick();
    void btnRemoveClick();
    void btnUpClick();
    void btnDownClick();
    // Shared by the four rule lists.
    void cmbPrtWidthClick();
    void btnContPrtClick();
    // Preset i into the rule lists and the name box; nothing for an i that
    // names no preset.
    void SelectPreset(int i);
    void UpdatePresetButtons();
    void UpdateCommonContinuation();

    // The four rules and the name as last taken from the controls.
    TMojiInt4 CurrentConfig;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The four selected rule indexes, -1 for a list without a selection.
    TMojiInt4 SelectedRules() const;
    // A name not taken yet and a rule in each list.
    bool CanAddPreset() const;
    // The first preset with the same rules, -1 when none has them.
    int FindPresetWithRules(const TMojiInt4& rules) const;
    // Name box item i, -1 for none (an empty name box).
    void SelectName(int i);
    // Presets i and i + 1 change places, in the list and the name box.
    void SwapPresets(int i);

    std::unique_ptr<Ui::TfmPrintSetting> ui_;
    std::vector<TMojiInt4> no_presets_;
    std::vector<TMojiInt4>* presets_ = &no_presets_;
    std::function<bool()> color_print_ = [] { return false; };
};
