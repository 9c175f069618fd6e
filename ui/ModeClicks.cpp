#include "ui/ModeClicks.h"

#include "ui/MouseRelease.h"

TModeClicks::TModeClicks(TMainWindowHost& host, TPointingServices& pointing, TTipBox& tip_box)
    : TMainFeature(host)
    , pointing_(pointing)
    , tip_box_(tip_box)
{
}

void TModeClicks::Click(TMouseRelease& release)
{
    switch (host_.State().CommandMode) {
    case 1:
        if (FrameClick)
            FrameClick(release);
        break;
    case 4:
        if (ImageColourClick)
            ImageColourClick(release);
        break;
    case 5:
        EndPointClick(release);
        break;
    default:
        break;
    }
}

void TModeClicks::EndPointClick(TMouseRelease&)
{
    (void)pointing_;
    (void)tip_box_;
}
