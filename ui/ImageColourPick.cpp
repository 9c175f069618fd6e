// The image colour pick: which image a click points at, the colour the
// colour box starts with, and what OK changes.

#include "ui/ImageColourPick.h"

#include "controls/Toolbar97.h"
#include "core/LayerState.h"
#include "core/TextUtil.h"
#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "platform/ShiftJis.h"
#include "platform/ui/FormSupport.h"
#include "platform/ui/QtText.h"
#include "render/InfoReg.h"
#include "render/RasterBase.h"
#include "ui/ColorBox.h"
#include "ui/MainControls.h"
#include "ui/MouseGestures.h"
#include "ui/MouseRelease.h"
#include "ui/PaintBox.h"
#include "ui/PathShortening.h"
#include "ui/TipBox.h"

#include <QMainWindow>
#include <QStatusBar>

#include <limits>
#include <system_error>

namespace {

constexpr char8_t NoImageTip[] = u8"　画像がありません！　";
constexpr char8_t PointingPrompt[]
    = u8"画像を指示して下さい．マウス(L)　　　指示＆色取得．マウス(R)　　　指示＆未使用色取得．マウス(RR)";
// A second right click within this share of the double-click interval asks
// for an unused colour.
constexpr double RightDoubleClickShare = 0.5;

// The colour of a pixel of the shown picture, packed as TRGB packs it; black
// off the picture.
int PixelColour(const QImage& picture, int x, int y)
{
    if (!picture.valid(x, y))
        return 0;
    const QRgb pixel = picture.pixel(x, y);
    return TRGB().PackRGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

} // namespace

std::optional<TImageTextChoice> FindImageText(TZhdData& document, const TBPoint& at)
{
    std::optional<TImageTextChoice> choice;
    TZhdElemList& list = document.GetElemListPtr();
    if (list.Size() == 0)
        return choice;
    document.RefreshLayerStates();
    const TInfoREG& info = document.GetInfoRegPtr();
    const TBPoint lower_left = info.GetViewCorner(0);
    const TBPoint upper_right = info.GetViewCorner(2);
    double best = std::numeric_limits<double>::max();
    int index = -1;
    for (auto item = list.Begin(); item != list.End(); ++item) {
        ++index;
        const TZhdElem& elem = **item;
        // Only texts that place an image; the cheap tests first, the
        // extent (which measures the text) last. Hidden and display-only
        // layers are never picked.
        if (elem.GetTypeCode() != TKMoji::TypeCode)
            continue;
        const std::string reference = elem.GetText(TKMoji::ImageSpecText);
        if (reference.empty())
            continue;
        if (document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()) <= LayerMaskDisplayOnly)
            continue;
        if (elem.ExtentOverlapsRect(lower_left, upper_right, document, 0) == 0)
            continue;
        TBPoint min, max;
        elem.GetExtent(min, max, document, 0);
        if (at.IsInBox(min, max) == 0)
            continue;
        TBPoint key;
        double offset = 0;
        elem.NearestEndPoint(at, document, key, offset);
        const double distance = at.DistanceTo(key);
        if (!(distance < best))
            continue;
        best = distance;
        StringList fields;
        SplitText(reference, fields, ",");
        if (fields.size() >= 2)
            choice = TImageTextChoice { index, fields[0] };
    }
    return choice;
}

TImageColourPick::TImageColourPick(TMainWindowHost& host, TTipBox& tip_box, TMouseGestures& gestures,
                                   std::function<TfmColorBox*()> colour_box)
    : TMainFeature(host)
    , tip_box_(tip_box)
    , gestures_(gestures)
    , colour_box_(std::move(colour_box))
{
}

TImageColourPick::~TImageColourPick() = default;

TfmColorBox& TImageColourPick::ColourBox()
{
    return GivenOrOwnForm(colour_box_ ? colour_box_() : nullptr, own_colour_box_, &host_.Window());
}

void TImageColourPick::ShowStatusText(const char8_t* text)
{
    QStatusBar* status_bar = host_.Controls().StatusBar1;
    host_.State().SavedStatusText = status_bar->currentMessage();
    status_bar->showMessage(QtText(text));
}

void TImageColourPick::StartPick()
{
    host_.State().CommandSubMode = 1;
    ShowStatusText(PointingPrompt);
    host_.Controls().ToolbarSubCommand->setFocus();
}

void TImageColourPick::Click(TMouseRelease& release)
{
    TMainState& state = host_.State();
    if (release.button == TReleasedButton::Middle)
        return;
    if (state.CommandSubMode == 0) {
        if (release.button == TReleasedButton::Left)
            StartPick();
        return;
    }
    TZhdData* const document = host_.Document();
    if (!document)
        return;
    const int x = release.action.x();
    const int y = release.action.y();
    const std::optional<TImageTextChoice> choice
        = FindImageText(*document, document->GetInfoRegPtr().ScreenToWorld(TBPoint(x, y)));
    // The text keeps its element and its image alive through the events
    // the wait and the box let run.
    const TZhdElemPtr elem = choice ? document->GetElemListPtr().GetAt(choice->index) : TZhdElemPtr();
    const auto* text = dynamic_cast<const TKMoji*>(elem.get());
    // A text whose image could not be loaded has no colour to set.
    const TKMoji::RasterPtr raster = text ? text->GetRaster() : TKMoji::RasterPtr();
    if (!raster) {
        tip_box_.ShowTip(sj(NoImageTip), x, y, true);
        return;
    }
    const std::filesystem::path file = TKMoji::ResolveImageFile(choice->file, *document);
    const bool monochrome = TRasterInfo().ReadImageInfo(file) == 1;

    int colour = raster->GetInfoRef().GetColor().GetColor();
    if (release.button == TReleasedButton::Right) {
        const int double_click = gestures_.WaitDoubleClick(RightDoubleClickShare);
        gestures_.SetRightDoubleClick(double_click);
        if (state.DrawingSerial != release.drawing_serial)
            return;
        colour = double_click == 1 ? raster->GetUnusedColor().GetColor()
                                   : PixelColour(host_.Controls().PaintBox1->Front(), x, y);
    }

    TfmColorBox& box = ColourBox();
    // A click during the wait above may have opened the box already.
    if (box.isVisible())
        return;
    std::error_code error;
    std::filesystem::path full_path = std::filesystem::absolute(file, error);
    if (error)
        full_path = file;
    box.Fill(ShortenPathToWidth(PathText(file), box.NameMetrics(), box.NameWidth()), PathText(full_path), colour);
    box.setWindowTitle(QtText(monochrome ? u8"モノクロ画像の表示色" : u8"カラー画像の透過色"));
    const int result = box.exec();
    if (state.DrawingSerial != release.drawing_serial || host_.Document() != document)
        return;
    if (result != QDialog::Accepted) {
        ShowStatusText(PointingPrompt);
        return;
    }
    const TRGB chosen(box.SwatchColor());
    // The image object is the text's own: changing it changes the drawing
    // shown, never the file.
    if (chosen.GetColor() != raster->GetInfoRef().GetColor().GetColor()) {
        raster->GetInfoPtr()->SetColor(chosen);
        host_.Redraw(monochrome ? "MouseUpRasMono()" : "MouseUpRasColor()");
    }
    state.CommandSubMode = 0;
    ShowStatusText(u8"画像編集？");
}
