#pragma once

// TStatusButtons: the row of status buttons at the bottom of the main
// window (display unit, paper, scale, group and layer, axis angle,
// magnification). It keeps the display unit with the factor and label that
// measured values are shown with, and its key "ViewUnit" of the settings
// file.

#include "ui/MainFeature.h"

#include <string>

class TStatusButtons : public TMainFeature {
public:
    explicit TStatusButtons(TMainWindowHost& host);

    // Kind 0 refreshes all six buttons, 1 the unit, 2 the paper, 3 the
    // scale, 4 the group and layer, 5 the axis angle, 6 the magnification;
    // then the row is laid out again.
    void UpdateStatusButtons(int kind);
    // The unit button: the next of the three display units.
    void NextDisplayUnit();
    // The buttons' panel spans its bar, less the bar's edges.
    void FitPanel();

    // 0 real millimetres, 1 real metres, 2 paper millimetres.
    int DisplayUnit() const { return display_unit_; }
    void SetDisplayUnit(int unit) { display_unit_ = unit; }
    // What measured lengths are multiplied by, and the unit word after them.
    double UnitFactor() const { return unit_factor_; }
    // A new write group brings its scale before the buttons are refreshed.
    void SetUnitFactor(double factor) { unit_factor_ = factor; }
    const std::string& UnitLabel() const { return unit_label_; }

    std::vector<TSettingsBlock> SettingsBlocks() override;

private:
    void LayOut();

    int display_unit_ = 0;
    double unit_factor_ = 1.0;
    // Shift-JIS.
    std::string unit_label_;
    // The magnification's right edge, where the row is laid out from.
    int right_edge_ = 0;
};
