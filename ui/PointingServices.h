#pragma once

// TPointingServices: what the mouse commands on the drawing share: the
// element under a pixel, a pixel snapped to a point of the drawing, and the
// small circle markers that show picked points.
//
// Pick and snap measure in drawing millimetres and accept their answer only
// when it lies less than `tolerance` pixels from the pixel asked about; the
// searches behind them look only at the square of `tolerance` pixels around
// it (TZhdData::FindNearest...). The mouse commands use PointingTolerance.
//
// A marker is a circle of 4 pixels across in the colour of the screen pen
// "S". Only the last marker drawn can be taken away again (with not-XOR
// drawing, by drawing it once more); the earlier ones stay until the view
// is drawn again. Whether it is on the screen is kept with the displayed
// document's element list.

#include "ui/MainFeature.h"

#include <QPoint>

class TBPoint;
class TCanvas;
class TZhdData;

// How near, in pixels, the mouse commands look for a point or an element.
inline constexpr int PointingTolerance = 10;

class TPointingServices : public TMainFeature {
public:
    explicit TPointingServices(TMainWindowHost& host);

    // The list index of the displayed element whose outline passes nearest
    // to paint-box pixel (x, y), with that outline point; -1 when none
    // passes within `tolerance` pixels. `point` is (0, 0) when nothing was
    // found.
    int PickNearestElement(int x, int y, TBPoint& point, int tolerance);
    // The point pixel (x, y) snaps to: the nearest of the paper's corners,
    // the elements' end points and the intersections of the nearest
    // element; -1 when it lies `tolerance` pixels away or more.
    int SnapToFramePoint(int x, int y, TBPoint& point, int tolerance);
    // show: draws the marker at pixel (x, y), in not-XOR mode or in copy
    // mode. show false: takes the last marker away (by drawing it once more,
    // which needs not_xor), when one is on the screen.
    void DrawMarker(int x, int y, bool show, bool not_xor);
    // A marker in copy mode at every picked point; the number of points.
    int DrawPickedPoints();

    // The pixel of the last marker drawn.
    QPoint MarkerPoint() const { return marker_point_; }

private:
    using TSearch = int (*)(TZhdData& document, int x, int y, TBPoint& point, int tolerance);
    int AskDisplayed(TSearch search, int x, int y, TBPoint& point, int tolerance);
    // The marker at the marker point.
    void PaintMarker(TCanvas& canvas, TZhdData& document, bool not_xor);

    QPoint marker_point_;
};

// The searches themselves, on any document with a view (the benchmarks ask
// them without a window).
int PickNearestElement(TZhdData& document, int x, int y, TBPoint& point, int tolerance);
int SnapToFramePoint(TZhdData& document, int x, int y, TBPoint& point, int tolerance);
