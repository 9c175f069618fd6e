// Bytes in, loaded as a drawing twice: into a new document and into one that
// held a drawing before. Both must save to the same bytes (what the earlier
// drawing leaves in header entries the file does not hold is never written
// at the file's version), and a drawing that loads completely must save,
// load again and save to the same bytes: the header's horizontal angles are
// kept in hundredths of a degree truncated toward zero, so one of them may
// come back a hundredth closer to zero once, and the bytes must then settle.
// Whatever loads is then drawn:
// fitted to the paper and in the view the file stores, onto a recording and
// onto a small image. Its elements are then searched for their
// intersections and for the nearest point to the middle of the view: every
// point filed must name an element of the drawing.
#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/KLine.h"
#include "fuzz/FuzzSupport.h"
#include "platform/ImageCanvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/Stream.h"
#include "render/InfoReg.h"

#include <boost/make_shared.hpp>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const TZhdData& EarlierDrawing()
{
    static const TZhdData drawing = [] {
        TZhdData document;
        document.GetElemListPtr().Append(boost::make_shared<TKLine>());
        auto block = boost::make_shared<TKBlock>();
        block->SetPenStyle(2);
        document.GetElemListPtr().Append(block);
        TKBlockDefine define;
        define.SetName("earlier");
        document.AppendBlockDefine(define);
        return document;
    }();
    return drawing;
}

std::vector<std::uint8_t> Saved(TZhdData& document)
{
    TMemoryStream stream;
    document.SaveToStream(stream);
    return stream.Bytes();
}

TLoadStatus Load(TZhdData& document, std::vector<std::uint8_t> bytes)
{
    TMemoryStream stream(std::move(bytes));
    return document.LoadFromStream(stream).status;
}

// Draws the document in its current view and in the file's stored view.
void DrawBothViews(TZhdData& document)
{
    constexpr int width = 64, height = 48;
    TInfoREG& info = document.GetInfoRegPtr();
    document.RefreshLayerStates();
    for (const TZhdZoom& view : { TZhdZoom(0.0), document.GetHeadPtr().GetSavedView() }) {
        info.SetPixelWidth(width);
        info.SetPixelHeight(height);
        info.SetView(view);
        TRecordingCanvas recording(width, height);
        document.GetElemListPtr().Draw(recording, document);
        TImageCanvas image(width, height);
        document.GetElemListPtr().Draw(image, document);
    }
}

void SearchPoints(TZhdData& document)
{
    // Searches compare pairs; a large hostile list would only slow the run.
    constexpr int searched_list_size = 2000;
    TZhdElemList& list = document.GetElemListPtr();
    if (list.Size() > searched_list_size)
        return;
    TZhdElemList::IntersectionTable table;
    std::string text;
    document.FindIntersections(table, text);
    Require(table.size() == static_cast<std::size_t>(list.Size()));
    for (const std::vector<TBPoint>& points : table) {
        for (const TBPoint& point : points)
            Require(point.GetTag() >= 0 && point.GetTag() < list.Size());
    }
    const TBPoint low = document.GetInfoRegPtr().GetViewCorner(0);
    const TBPoint high = document.GetInfoRegPtr().GetViewCorner(2);
    const TBPoint middle((low.GetX() + high.GetX()) / 2, (low.GetY() + high.GetY()) / 2);
    TBPoint point;
    double distance = 0;
    for (const int radius : { 0, 5 }) {
        const int found = document.FindNearestElementPoint(middle, point, distance, radius);
        Require(found >= -1 && found < list.Size());
        if (found >= 0) {
            std::vector<TBPoint> points;
            Require(document.FindNearestIntersection(middle, list.GetAt(found), points, radius) < list.Size());
            Require(points.size() == 1);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    UseFuzzScreen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    TZhdData fresh;
    const TLoadStatus status = Load(fresh, bytes);
    TZhdData reused(EarlierDrawing());
    Require(Load(reused, bytes) == status);
    const std::vector<std::uint8_t> saved = Saved(fresh);
    Require(Saved(reused) == saved);
    if (status == TLoadStatus::Loaded) {
        std::vector<std::uint8_t> previous = saved;
        for (int pass = 0;; ++pass) {
            TZhdData reloaded;
            Require(Load(reloaded, previous) == TLoadStatus::Loaded);
            std::vector<std::uint8_t> again = Saved(reloaded);
            if (again == previous)
                break;
            Require(pass < 2 && again.size() == previous.size());
            previous = std::move(again);
        }
    }
    DrawBothViews(fresh);
    SearchPoints(fresh);
    return 0;
}
