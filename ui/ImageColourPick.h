#pragma once

// TImageColourPick: the clicks of the image command mode, where the user
// points at an image placed by a text and sets its colour in the colour box:
// the ink of a monochrome image, the transparent colour of a colour image.
//
// A left click while nothing is asked starts a pick. Then a left click
// points and offers the image's present colour, a right click the colour
// under the cursor, a right double click a colour the image does not
// contain. The image nearest the click (by its text's key points) among the
// image texts under it on editable layers is taken. OK with another colour
// changes the image object the text holds, and the view is drawn again; the
// drawing file is not written. Only "色の保存" in the box writes the colour,
// into the colour file beside the image.
//
// The double-click wait and the modal colour box run other events: when
// another drawing was opened meanwhile, the pick leaves it alone.

#include "ui/MainFeature.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class TBPoint;
class TfmColorBox;
class TMouseGestures;
class TTipBox;
class TZhdData;
struct TMouseRelease;

class TImageColourPick : public TMainFeature {
public:
    // `colour_box` gives the program's colour box, or nullptr when the form
    // has none (tests): a box of the pick's own is then made on first use.
    TImageColourPick(TMainWindowHost& host, TTipBox& tip_box, TMouseGestures& gestures,
                     std::function<TfmColorBox*()> colour_box);
    ~TImageColourPick() override;

    // The raster bar's colour button: an image is to be pointed at (sub-mode
    // 1), with the prompt in the status bar.
    void StartPick();
    // A click in the image command mode.
    void Click(TMouseRelease& release);

    // The colour box the pick shows.
    TfmColorBox& ColourBox();

private:
    // The status bar's text is kept to be put back, and `text` shown.
    void ShowStatusText(const char8_t* text);

    TTipBox& tip_box_;
    TMouseGestures& gestures_;
    std::function<TfmColorBox*()> colour_box_;
    std::unique_ptr<TfmColorBox> own_colour_box_;
};

// The image text a click at drawing point `at` points at: among the texts
// with an image reference on editable layers that reach into the view and
// whose extent holds the point, the one whose nearest key point lies
// nearest. A reference without a size is never taken, but as the nearest
// so far it keeps farther ones from being taken. The element's index and
// the image's file name as the text gives it (Shift-JIS).
struct TImageTextChoice {
    int index = -1;
    std::string file;
};
std::optional<TImageTextChoice> FindImageText(TZhdData& document, const TBPoint& at);
