#include "ui/MeasuringCommands.h"

TMeasuringCommands::TMeasuringCommands(TMainWindowHost& host, TClockMenu& clock_menu, TPointingServices& pointing,
                                       TTipBox& tip_box, TStatusButtons& status_buttons,
                                       std::function<void()> print_angle_exit)
    : TMainFeature(host)
    , clock_menu_(clock_menu)
    , pointing_(pointing)
    , tip_box_(tip_box)
    , status_buttons_(status_buttons)
    , print_angle_exit_(std::move(print_angle_exit))
{
}

void TMeasuringCommands::RunClockCommand(int, TMouseRelease&)
{
    (void)clock_menu_;
    (void)pointing_;
    (void)tip_box_;
    (void)status_buttons_;
}

void TMeasuringCommands::CompleteTwoClick(TMouseRelease&) {}
