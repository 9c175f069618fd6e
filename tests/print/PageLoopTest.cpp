// The print job's page loop on a printer that records its pages: which
// pages a job makes, what each shows, the screen during per-group pages, a
// turned frame coming out upright, abort, colour transparency and a printer
// that refuses a page.

#include "tests/print/RecordingPrinter.h"
#include "tests/render/CommandSupport.h"
#include "tests/support/StandInElem.h"
#include "tests/support/TempDir.h"

#include "core/DebugLog.h"
#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "platform/BmpFile.h"
#include "platform/ShiftJis.h"
#include "print/PrintJob.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What a stand-in saw when it was drawn.
struct Drawn {
    int page;
    std::string name;
    int colour_transparent;
    bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& drawn)
{
    return out << "{" << drawn.page << " " << drawn.name << " " << drawn.colour_transparent << "}";
}

// An element of a group at the origin that notes on which page it was drawn;
// it may press the abort button while it draws.
class SpyElem final : public StandInElem {
public:
    SpyElem(std::string name, const TRecordingPrinter& printer, std::vector<Drawn>& drawn)
        : StandInElem(TZhdElem::LineCode), name_(std::move(name)), printer_(printer), drawn_(drawn)
    {
    }

    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData&, int) const override
    {
        min = TBPoint();
        max = TBPoint();
    }
    int Draw(TCanvas&, TZhdData& document) override
    {
        drawn_.push_back({ printer_.StartedPages(), name_, document.GetInfoRegPtr().ColorTransparent });
        if (aborts)
            document.GetInfoRegPtr().AbortFlag = 1;
        return 1;
    }

    bool aborts = false;

private:
    std::string name_;
    const TRecordingPrinter& printer_;
    std::vector<Drawn>& drawn_;
};

void SetGroupState(TZhdHead& head, int g, int state)
{
    TZhdGrp group = head.GetGroup(g);
    group.SetState(state);
    head.SetGroup(g, group);
}

class PageLoop : public ::testing::Test {
protected:
    PageLoop()
    {
        UseTestScreen();
        host.displayed = &displayed;
        host.redraw = [this] {
            std::string states;
            for (int g = 0; g < 16; ++g)
                states += std::to_string(displayed.GetHeadPtr().GetGroupState(g));
            screens.push_back(states);
        };
        host.caption = [this] { return caption; };
        host.set_caption = [this](const std::string& text) {
            caption = text;
            captions.push_back(text);
        };
        host.window_title = "Zuview";
        host.drawing_path = "/plans/a.zhd";
        host.process_messages = [this] { ++pumps; };
    }

    TInfoREG& Info() { return document.GetInfoRegPtr(); }

    // The list counts its elements by group and layer as they come.
    boost::shared_ptr<SpyElem> Add(const std::string& name, int group, int layer = 0)
    {
        auto elem = boost::make_shared<SpyElem>(name, printer, drawn);
        elem->SetGLayer(static_cast<std::uint16_t>(group));
        elem->SetLayer(static_cast<std::uint16_t>(layer));
        document.GetElemListPtr().Append(elem);
        return elem;
    }

    // The dialog's part: the displayed document's header on the working
    // copy, the document begun, the job, the document ended.
    TPrintJobResult Print()
    {
        displayed.SetHead(document.GetHeadPtr());
        printer.BeginDoc("a.zhd");
        const TPrintJobResult result = Continuation(document, printer, host);
        printer.EndDoc();
        return result;
    }

    TZhdData document;
    TZhdData displayed;
    TRecordingPrinter printer;
    TPrintJobHost host;
    std::vector<Drawn> drawn;
    std::vector<std::string> screens;
    std::string caption = "Zuview - a.zhd";
    std::vector<std::string> captions;
    int pumps = 0;
};

} // namespace

TEST_F(PageLoop, OnePageDrawsEveryGroupAndPutsTheCaptionBack)
{
    Add("a", 0);
    Add("b", 3);
    Info().LineWidthDisplay = 0;
    EXPECT_EQ(Print(), TPrintJobResult::Finished);
    EXPECT_EQ(drawn, (std::vector<Drawn> { { 1, "a", 0 }, { 1, "b", 0 } }));
    EXPECT_EQ(printer.Pages().size(), 1u);
    EXPECT_EQ(Info().PageTotal, 1);
    EXPECT_EQ(Info().PagesDone, 1);
    EXPECT_TRUE(screens.empty()) << "one page leaves the screen alone";
    EXPECT_EQ(captions, (std::vector<std::string> { "Zuview" + sj(u8" - 印刷中... - ") + "/plans/a.zhd",
                            "Zuview - a.zhd" }));
    EXPECT_EQ(Info().OutputJob, 0);
    EXPECT_EQ(Info().LineWidthDisplay, 0);
    // The page is the printable area: 200 x 100 mm at ten pixels a
    // millimetre.
    EXPECT_DOUBLE_EQ(Info().GetScreenWidthMM(), 200.0);
    EXPECT_DOUBLE_EQ(Info().GetScreenHeightMM(), 100.0);
    EXPECT_EQ(Info().GetPixelWidth(), TRecordingPrinter::Width);
}

TEST_F(PageLoop, PerGroupPagesAreThePrintableGroupsThatHoldElements)
{
    struct Case {
        const char* name;
        std::vector<int> hidden;
        std::vector<std::string> expected_screens;
        std::vector<Drawn> expected;
    };
    // Group states on the screen, groups 0 to 15: 3 the page's group, 0
    // hidden, 2 editable.
    const std::string original = "2202222222222222";
    const Case cases[] = {
        { "groups 0 and 3", { 2 },
            { "3000000000000000", "0003000000000000", original },
            { { 1, "a", 0 }, { 2, "b", 0 } } },
        { "nothing printable", { 0, 2, 3 }, {}, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document = TZhdData();
        drawn.clear();
        screens.clear();
        pumps = 0;
        Add("a", 0);
        Add("hidden", 2);
        Add("b", 3);
        for (int g : c.hidden)
            SetGroupState(document.GetHeadPtr(), g, 0);
        SetGroupState(document.GetHeadPtr(), 2, 0);
        Info().GroupContinuation = 1;
        const std::string before = [&] {
            std::string states;
            for (int g = 0; g < 16; ++g)
                states += std::to_string(document.GetHeadPtr().GetGroupState(g));
            return states;
        }();
        EXPECT_EQ(Print(), TPrintJobResult::Finished);
        EXPECT_EQ(drawn, c.expected);
        const int pages = static_cast<int>(c.expected.size());
        EXPECT_EQ(Info().PageTotal, pages);
        EXPECT_EQ(Info().PagesDone, pages);
        EXPECT_EQ(pumps, pages);
        // One printer page however few pages: the dialog began it.
        EXPECT_EQ(printer.Pages().size(), static_cast<std::size_t>(std::max(pages, 1)));
        if (pages == 0) {
            EXPECT_TRUE(printer.Pages()[0].empty()) << "nothing drawn on the begun page";
            EXPECT_EQ(screens, std::vector<std::string> { before });
        } else {
            EXPECT_EQ(screens, c.expected_screens);
        }
    }
}

TEST_F(PageLoop, PerLayerPagesGoGroupByGroupThenLayerByLayer)
{
    Add("g1l4", 1, 4);
    Add("g0l7", 0, 7);
    Add("g1l2", 1, 2);
    Info().LayerContinuation = 1;
    EXPECT_EQ(Print(), TPrintJobResult::Finished);
    EXPECT_EQ(drawn, (std::vector<Drawn> { { 1, "g0l7", 0 }, { 2, "g1l2", 0 }, { 3, "g1l4", 0 } }));
    EXPECT_EQ(printer.Pages().size(), 3u);
}

TEST_F(PageLoop, AbortDuringPageTwoOfFiveEndsThatPageAndStartsNoOther)
{
    for (int g = 0; g < 5; ++g) {
        auto first = Add("g" + std::to_string(g) + "a", g);
        first->aborts = g == 1;
        Add("g" + std::to_string(g) + "b", g);
    }
    Info().GroupContinuation = 1;
    std::ostringstream log;
    RedirectDebugLog(&log);
    EXPECT_EQ(Print(), TPrintJobResult::Aborted);
    RedirectDebugLog(nullptr);
    // The job's own lines, the timings without their figures.
    std::vector<std::string> job_lines;
    std::istringstream lines(log.str());
    for (std::string line; std::getline(lines, line);) {
        const std::string utf8 = SjisToUtf8(line);
        if (utf8.starts_with("#prt"))
            job_lines.push_back(utf8.substr(0, utf8.find("：")));
        else if (utf8.find("PRINTER!") != std::string::npos || utf8.starts_with("PWidth")
            || utf8.find("Abort") != std::string::npos)
            job_lines.push_back(utf8);
    }
    EXPECT_EQ(job_lines,
        (std::vector<std::string> { "<==== PRINTER! ====>",
            "PWidth=200.000 PHeight=100.000 Width=2000 Height=1000 Size=5.72", "#prt0", "Printing Abort!", "#prt1",
            "#prt2", "</==== PRINTER! ====>" }));
    // The page ends where the abort was seen: the element after it is not
    // drawn, and page 2 is still output.
    EXPECT_EQ(drawn, (std::vector<Drawn> { { 1, "g0a", 0 }, { 1, "g0b", 0 }, { 2, "g1a", 0 } }));
    EXPECT_EQ(printer.Pages().size(), 2u);
    EXPECT_EQ(Info().PagesDone, 2);
    EXPECT_EQ(Info().PageTotal, 5);
    EXPECT_EQ(Info().AbortFlag, 0);
    EXPECT_EQ(screens.back(), "2222222222222222") << "the screen is put back after an abort too";
}

TEST_F(PageLoop, AnAbortLeftFromBeforeTheJobIsForgotten)
{
    Add("a", 0);
    Info().AbortFlag = 1;
    Info().PagesDone = 7;
    EXPECT_EQ(Print(), TPrintJobResult::Finished);
    EXPECT_EQ(drawn.size(), 1u);
    EXPECT_EQ(Info().PagesDone, 1);
}

TEST_F(PageLoop, APrinterThatRefusesANewPageStopsTheJobAsAFailure)
{
    Add("a", 0);
    Add("b", 3);
    Info().GroupContinuation = 1;
    Info().LineWidthDisplay = 0;
    printer.refuse_new_page = true;
    EXPECT_EQ(Print(), TPrintJobResult::PrinterFailed);
    EXPECT_EQ(drawn, (std::vector<Drawn> { { 1, "a", 0 } }));
    EXPECT_EQ(Info().PagesDone, 1);
    // Everything is put back as after any job.
    EXPECT_EQ(screens.back(), "2222222222222222");
    EXPECT_EQ(caption, "Zuview - a.zhd");
    EXPECT_EQ(Info().OutputJob, 0);
    EXPECT_EQ(Info().LineWidthDisplay, 0);
    EXPECT_EQ(CannotPrintMessage("lp0"), sj(u8"lp0 に印刷できません．"));
}

// The frame at (100, 50), turned by 90 degrees: on the screen its lower edge
// runs up the drawing. Its content comes out upright: what lies 20 mm along
// the frame's upward side lands 200 pixels above the page's centre, what
// lies 30 mm along its lower edge 300 pixels right of it.
TEST_F(PageLoop, AFrameTurnedBy90DegreesComesOutUpright)
{
    TZhdZoomF area;
    area.SetXY(100, 50);
    area.SetScale(1.0);
    document.GetHeadPtr().SetPrinterArea(area);
    Info().PrintAngle = std::numbers::pi / 2;
    const auto line = [&](double x1, double y1, double x2, double y2) {
        auto made = boost::make_shared<TKLine>();
        made->SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
        made->SetPenColor(1);
        document.GetElemListPtr().Append(made);
        return made;
    };
    auto up = line(100, 50, 80, 50);
    line(100, 50, 100, 80);
    EXPECT_EQ(Print(), TPrintJobResult::Finished);
    ASSERT_EQ(printer.Pages().size(), 1u);
    const std::vector<Segment> segments = SegmentsOf(printer.Pages()[0]);
    ASSERT_EQ(segments.size(), 2u);
    const auto near = [](TPointI a, TPointI b) { return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1; };
    EXPECT_TRUE(near(segments[0].from, { 1000, 500 })) << segments[0];
    EXPECT_TRUE(near(segments[0].to, { 1000, 300 })) << segments[0];
    EXPECT_TRUE(near(segments[1].from, { 1000, 500 })) << segments[1];
    EXPECT_TRUE(near(segments[1].to, { 1300, 500 })) << segments[1];
    // The working copy's elements were turned by -90 degrees about the
    // origin.
    EXPECT_NEAR(up->GetStart().GetX(), 50, 1e-9);
    EXPECT_NEAR(up->GetStart().GetY(), -100, 1e-9);
}

// Two colour images, on the pages of groups 0 and 3, with colour
// transparency: the first page composites its image (drawing what lies
// under it, the stand-in too, with transparency on), the second is drawn
// with transparency off. With much memory allowed nothing is composited and
// transparency stays on for every page. The log tells the drawings ("P",
// the composite's own too) and the composites ("C") apart.
TEST_F(PageLoop, ColourTransparencyHoldsForTheFirstPageOnly)
{
    TempDir temp;
    TBitmap colour(8, 4, TPixelFormat::Rgb24);
    colour.Fill(PackColor(255, 0, 0));
    ASSERT_EQ(WriteBmpFile(temp.File("photo.bmp"), colour), TSaveStatus::Saved);
    for (int special_memory : { 0, 1 }) {
        SCOPED_TRACE(special_memory);
        document = TZhdData();
        drawn.clear();
        document.GetHeadPtr().SetFileName(temp.File("plan.zhd").string());
        for (int g : { 0, 3 }) {
            auto text = boost::make_shared<TKMoji>(TBPoint(-20.0, -10.0), TBPoint(20.0, -10.0),
                TZhdaMoji(5, 5, 0, 1), 1, TAngle(), "", "^@BMphoto.bmp,40,20");
            text->SetGLayer(static_cast<std::uint16_t>(g));
            document.GetElemListPtr().Append(text);
            Add("g" + std::to_string(g), g);
        }
        Info().GroupContinuation = 1;
        Info().ColorTransparent = 1;
        Info().SpecialMemory = special_memory;
        std::ostringstream log;
        RedirectDebugLog(&log);
        EXPECT_EQ(Print(), TPrintJobResult::Finished);
        RedirectDebugLog(nullptr);
        // The composites and the pages in the order the log has them.
        std::string order;
        std::istringstream lines(log.str());
        for (std::string line; std::getline(lines, line);) {
            if (line == "<FakeRaster>")
                order += "C";
            else if (line == "printer!")
                order += "P";
        }
        if (special_memory == 0) {
            EXPECT_EQ(order, "PCPP");
            EXPECT_EQ(drawn, (std::vector<Drawn> { { 1, "g0", 1 }, { 1, "g0", 0 }, { 2, "g3", 0 } }));
        } else {
            EXPECT_EQ(order, "PP");
            EXPECT_EQ(drawn, (std::vector<Drawn> { { 1, "g0", 1 }, { 2, "g3", 1 } }));
        }
    }
}
