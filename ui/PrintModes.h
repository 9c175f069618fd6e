#pragma once

// TPrintModes: the two frame modes of the main window, print mode and
// image-output mode. Both are command mode 1 with the print toolbar and the
// print frame on the drawing; they differ in where the frame's paper comes
// from (the printer's page, or the output size in millimetres), in the
// toolbar's labels and in what the job button does (print through the
// progress dialog, or write an image file).
//
// The mode buttons' radio behaviour is TCommandModes'; it calls PrintPush
// and OutputPush after it set the buttons, and each reads the down states
// to decide whether its mode is on or off.
//
//   state              print preview  command mode  print toolbar   file output
//   no frame mode      0              as set        hidden          as set
//   print mode         1              1             print labels    0
//   image-output mode  1              1             output labels   1
//
// Entering print mode always clears the file output: the menu's "印刷(&P)"
// does not pass through the mode buttons, and after image-output mode the
// job button would otherwise still write an image.

#include "ui/MainFeature.h"

#include <functional>
#include <optional>
#include <string>

class QPrinter;
class TfmPrintAbort;
class TInfoREG;
class TToolbarButton97;
class TZhdZoomF;

// The image output's settings, as the output settings dialog edits them.
struct TOutputChoice {
    // Width and height of the drawing's paper in millimetres, "w , h", or
    // one number for a square.
    std::string SizeText;
    int Dpi = 0;
    int Ext = 0;
    int Comp = 0;
    int PixelFormat = 0;
};

// The paper of the output size text: the first field gives the width and
// the height, a second field the height; nothing for an empty text.
std::optional<std::pair<double, double>> OutputPaperSize(const std::string& size_text);

class TPrintModes : public TMainFeature {
public:
    // What the modes use of the window's other parts.
    struct TLinks {
        // Shows the printer area in the print toolbar and makes it the
        // document's (the print frame's feature).
        std::function<void(const TZhdZoomF& area)> ShowPrintZoom;
        // The output settings dialog, shown with the current settings: the
        // chosen ones, or nothing when cancelled. Without it the settings
        // are taken as they stand.
        std::function<std::optional<TOutputChoice>(const TOutputChoice& current)> OutputSettings;
        // The print settings dialog, and its options labelled for print mode
        // (true) or image-output mode.
        std::function<void()> PrintSettings;
        std::function<void(bool print_mode)> LabelPrintSettings;
        // Writes the frame to an image file (image-output mode's job).
        std::function<void()> OutputImage;
        // The progress dialog a print job runs in.
        std::function<TfmPrintAbort&()> ProgressDialog;
    };

    TPrintModes(TMainWindowHost& host, QPrinter& printer, TLinks links);

    // The links, for the parts that come later to fill in.
    TLinks& Links() { return links_; }

    // Print mode on or off by the print and continuous-print buttons.
    void PrintPush();
    // Image-output mode on or off by the output button.
    void OutputPush();
    // The menu's "印刷(&P)": flips the print button, then PrintPush.
    void PrintMenuClick();
    // "プリンタ設定" / "ファイル設定" and the menu's "印刷設定".
    void PrintSetClick();
    // "出力設定": the print settings dialog.
    void PrintSettingsClick();
    // The job button: prints through the progress dialog, or writes the
    // image in image-output mode.
    void JobClick();

private:
    bool ChooseOutputSettings(TInfoREG& info);
    void EnterPrintMode();
    void EnterOutputMode();
    // Leaves either frame mode: the line widths shown as the view's check
    // box says.
    void LeaveFrameMode();
    void ShowPrintToolbar(bool print_mode);
    void TakePaperFromPrinter();
    void ShowPrinterArea();
    void FinishModeChange(const std::string& label);
    void RunPrintJob();

    QPrinter& printer_;
    TLinks links_;
};
