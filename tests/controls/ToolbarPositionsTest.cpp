// Saving and restoring where a form's toolbars are: the records written,
// what loading does with them, and records that are stale, hand-edited or
// hostile.

#include "controls/ToolbarPositions.h"

#include "controls/Dock97.h"
#include "controls/Ri97cnst.h"
#include "controls/Toolbar97.h"
#include "controls/ToolbarButton97.h"
#include "controls/ToolbarScreens.h"
#include "platform/ui/IniFile.h"
#include "tests/support/ScopedConfigFolder.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// A form with a top and a left dock, and toolbars placed on them as the
// program places them at creation.
class Form {
public:
    Form()
    {
        widget.resize(500, 400);
        top = new TDock97(dpTop, &widget);
        top->setObjectName("DockTop");
        top->resize(500, 0);
        left = new TDock97(dpLeft, &widget);
        left->setObjectName("DockLeft");
        left->setGeometry(0, 100, 0, 300);
        widget.show();
        QApplication::processEvents();
    }

    // A toolbar of `buttons` buttons 23 x 22 at the row and position.
    TToolbar97* Add(const QString& name, TDock97* dock, int row, int pos, int buttons = 2)
    {
        auto* toolbar = new TToolbar97;
        toolbar->setObjectName(name);
        toolbar->SetCaption(name);
        // Shown whether or not the test run's application is active.
        toolbar->SetHideWhenInactive(false);
        for (int i = 0; i < buttons; ++i) {
            auto* button = new TToolbarButton97(toolbar->Client());
            button->SetCaption(QString::number(i + 1));
            button->resize(23, 22);
        }
        toolbar->SetDockRow(row);
        toolbar->SetDockPos(pos);
        toolbar->SetDockedTo(dock);
        QApplication::processEvents(); // the queued layouts of the new controls
        return toolbar;
    }

    TToolbar97* Bar(const QString& name) const { return widget.findChild<TToolbar97*>(name); }

    QWidget widget;
    TDock97* top = nullptr;
    TDock97* left = nullptr;
};

// Where a toolbar is, as far as its record can tell.
struct Place {
    QString dock; // the dock's name, "+" floating
    int row = 0;
    int pos = 0;
    QPoint floating;
    bool visible = true;
    int floating_width = 0;
    QString last_dock;
    QRect geometry; // only of a window on the screen

    bool operator==(const Place&) const = default;
};

void PrintTo(const Place& place, std::ostream* out)
{
    *out << place.dock.toStdString() << " row " << place.row << " pos " << place.pos << " floating ("
         << place.floating.x() << "," << place.floating.y() << ") visible " << place.visible << " width "
         << place.floating_width << " last " << place.last_dock.toStdString() << " at (" << place.geometry.x() << ","
         << place.geometry.y() << " " << place.geometry.width() << "x" << place.geometry.height() << ")";
}

Place PlaceOf(const TToolbar97* toolbar)
{
    Place place;
    place.dock = toolbar->Floating() ? QString("+") : toolbar->DockedTo()->objectName();
    place.row = toolbar->DockRow();
    place.pos = toolbar->DockPos();
    place.floating = toolbar->FloatingPosition();
    place.visible = toolbar->Visible();
    place.floating_width = toolbar->FloatingWidth();
    place.last_dock = toolbar->LastDock() != nullptr ? toolbar->LastDock()->objectName() : QString();
    if (toolbar->isVisible())
        place.geometry = toolbar->geometry();
    return place;
}

// Records kept in memory, with the order in which keys were written.
struct Records {
    std::map<std::pair<QString, QString>, QString> values;
    std::vector<std::pair<QString, QString>> written;

    TPositionWriteIntProc WriteInt()
    {
        return [this](const QString& window, const QString& key, int value) {
            values[{ window, key }] = QString::number(value);
            written.emplace_back(window, key);
        };
    }
    TPositionWriteStringProc WriteString()
    {
        return [this](const QString& window, const QString& key, const QString& value) {
            values[{ window, key }] = value;
            written.emplace_back(window, key);
        };
    }
    TPositionReadIntProc ReadInt() const
    {
        return [this](const QString& window, const QString& key, int fallback) {
            const auto found = values.find({ window, key });
            return found != values.end() ? found->second.toInt() : fallback;
        };
    }
    TPositionReadStringProc ReadString() const
    {
        return [this](const QString& window, const QString& key, const QString& fallback) {
            const auto found = values.find({ window, key });
            return found != values.end() ? found->second : fallback;
        };
    }
    QString Value(const QString& window, const QString& key) const
    {
        const auto found = values.find({ window, key });
        return found != values.end() ? found->second : QString("(none)");
    }
    std::vector<QString> KeysOf(const QString& window) const
    {
        std::vector<QString> keys;
        for (const auto& [name, key] : written) {
            if (name == window)
                keys.push_back(key);
        }
        return keys;
    }
};

void Save(Form& form, Records& records)
{
    CustomSaveToolbarPositions(&form.widget, records.WriteInt(), records.WriteString());
}

void Load(Form& form, const Records& records)
{
    CustomLoadToolbarPositions(&form.widget, records.ReadInt(), records.ReadString());
}

QRect WorkArea()
{
    return GetWorkAreaOfRect(QRect(0, 0, 1, 1));
}

} // namespace

TEST(ToolbarPositions, FloatingToolbarIsWrittenWithItsLastDock)
{
    Form form;
    TToolbar97* bar = form.Add("ToolbarFile", form.top, 0, 10);
    bar->SetFloatingPosition(QPoint(130, 90));
    bar->Float();
    bar->SetFloatingWidth(30);
    ASSERT_EQ(bar->LastDock(), form.top);

    Records records;
    Save(form, records);
    const std::vector<QString> keys { "Rev",      "Visible",  "DockedTo",  "LastDock",   "DockRow",
                                      "DockPos",  "FloatLeft", "FloatTop", "FloatRightX" };
    EXPECT_EQ(records.KeysOf("ToolbarFile"), keys);
    const std::map<QString, QString> expected { { "Rev", "3" },       { "Visible", "1" },      { "DockedTo", "+" },
                                                { "LastDock", "DockTop" }, { "DockRow", "0" }, { "DockPos", "10" },
                                                { "FloatLeft", "130" }, { "FloatTop", "90" }, { "FloatRightX", "30" } };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(records.Value("ToolbarFile", key), value) << key.toStdString();
}

TEST(ToolbarPositions, AWindowThatNeverFloatedHasNoFloatingPosition)
{
    Records records;
    {
        Form form;
        form.Add("ToolbarFile", form.top, 0, 10);
        TToolbar97* floated = form.Add("ToolbarView", form.top, 0, 100);
        floated->SetFloatingPosition(QPoint(130, 90));
        floated->Float();
        floated->SetDockedTo(form.top);
        Save(form, records);
    }
    // Its keys are written, empty.
    EXPECT_EQ(records.KeysOf("ToolbarFile"), records.KeysOf("ToolbarView"));
    EXPECT_EQ(records.Value("ToolbarFile", "FloatLeft"), "");
    EXPECT_EQ(records.Value("ToolbarFile", "FloatTop"), "");
    EXPECT_EQ(records.Value("ToolbarView", "FloatLeft"), "130");

    Form form;
    TToolbar97* never = form.Add("ToolbarFile", form.top, 1, 0);
    TToolbar97* floated = form.Add("ToolbarView", form.top, 1, 0);
    Load(form, records);
    EXPECT_FALSE(never->HasFloatingPosition());
    ASSERT_TRUE(floated->HasFloatingPosition());
    EXPECT_EQ(floated->FloatingPosition(), QPoint(130, 90));
    // So, floated, it goes beside its dock and not to the screen's corner.
    const int below_dock = form.top->mapToGlobal(QPoint(0, form.top->height())).y();
    never->Float();
    EXPECT_EQ(never->pos().y(), below_dock);
}

TEST(ToolbarPositions, LastDockIsReadFromRevisionThreeOnly)
{
    struct Case {
        int revision;
        const char* last_dock;
    };
    for (const Case& c : { Case { 3, "DockTop" }, Case { 2, "DockLeft" } }) {
        SCOPED_TRACE(c.revision);
        Form form;
        TToolbar97* bar = form.Add("ToolbarFile", form.left, 0, 0);
        Records records;
        records.values = { { { "ToolbarFile", "Rev" }, QString::number(c.revision) },
                           { { "ToolbarFile", "Visible" }, "1" },
                           { { "ToolbarFile", "DockedTo" }, "+" },
                           { { "ToolbarFile", "LastDock" }, "DockTop" },
                           { { "ToolbarFile", "FloatLeft" }, "130" },
                           { { "ToolbarFile", "FloatTop" }, "90" } };
        Load(form, records);
        ASSERT_TRUE(bar->Floating());
        EXPECT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->pos(), QPoint(130, 90));
        EXPECT_EQ(bar->FloatingPosition(), QPoint(130, 90));
        ASSERT_NE(bar->LastDock(), nullptr);
        EXPECT_EQ(bar->LastDock()->objectName(), c.last_dock);
        // Its place stays reserved in that dock's list only.
        const std::size_t on_top = c.revision == 3 ? 1 : 0;
        EXPECT_EQ(form.top->DockList().size(), on_top);
        EXPECT_EQ(form.left->DockList().size(), 1 - on_top);
    }
}

TEST(ToolbarPositions, WindowOnAFixedDockIsNotMoved)
{
    Records records;
    {
        Form form;
        auto* fixed = new TDock97(dpBottom, &form.widget);
        fixed->setObjectName("DockBottom");
        fixed->SetAllowDrag(false);
        form.Add("ToolbarFile", fixed, 0, 20);
        Save(form, records);
    }
    EXPECT_EQ(records.Value("ToolbarFile", "DockedTo"), "");
    EXPECT_EQ(records.Value("ToolbarFile", "Rev"), "3");

    Form form;
    auto* fixed = new TDock97(dpBottom, &form.widget);
    fixed->setObjectName("DockBottom");
    fixed->SetAllowDrag(false);
    TToolbar97* bar = form.Add("ToolbarFile", form.top, 1, 50);
    const Place before = PlaceOf(bar);
    Load(form, records);
    EXPECT_EQ(PlaceOf(bar), before);
}

// Records that leave the window on its dock at its place; only its
// visibility may change.
TEST(ToolbarPositions, RecordsThatLeaveTheWindowWhereItIs)
{
    struct Case {
        const char* name;
        const char* section; // the INI text of the window's section, null: none
        bool visible;
    };
    const Case cases[] = {
        { "no section", nullptr, true },
        { "revision 0", "Rev=0\nVisible=0\nDockedTo=DockTop\n", true },
        { "revision 1", "Rev=1\nVisible=0\nDockedTo=DockTop\n", true },
        { "revision 4", "Rev=4\nVisible=0\nDockedTo=DockTop\n", true },
        { "revision unreadable", "Rev=three\nVisible=0\nDockedTo=DockTop\n", true },
        { "no dock", "Rev=3\nVisible=0\nDockedTo=\n", false },
        { "unknown dock", "Rev=3\nVisible=0\nDockedTo=DockNowhere\n", false },
        { "name in another case", "Rev=3\nVisible=1\nDockedTo=docktop\n", true },
        { "dock without dragging", "Rev=3\nVisible=0\nDockedTo=DockBottom\n", false },
        { "a tool window is no dock", "Rev=3\nVisible=1\nDockedTo=ToolbarView\n", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir temp;
        std::string text = "[Other]\nRev=3\n";
        if (c.section != nullptr)
            text += std::string("[ToolbarFile]\n") + c.section + "DockRow=3\nDockPos=77\nFloatLeft=5\nFloatTop=5\n";
        const auto file = temp.Write("Zuview.ini", text);
        Form form;
        auto* fixed = new TDock97(dpBottom, &form.widget);
        fixed->setObjectName("DockBottom");
        fixed->SetAllowDrag(false);
        TToolbar97* bar = form.Add("ToolbarFile", form.left, 0, 30);
        form.Add("ToolbarView", form.top, 0, 0);
        Place expected = PlaceOf(bar);
        IniLoadToolbarPositions(&form.widget, file, "");
        expected.visible = c.visible;
        if (!c.visible)
            expected.geometry = QRect();
        EXPECT_EQ(PlaceOf(bar), expected);
    }
}

TEST(ToolbarPositions, WindowsOfOneRowComeBackInOrder)
{
    Records records;
    {
        Form form;
        form.Add("ToolbarFile", form.top, 0, 0, 1);
        form.Add("ToolbarView", form.top, 0, 40, 1);
        Save(form, records);
    }
    Form form;
    // The other way round, on two rows.
    TToolbar97* view = form.Add("ToolbarView", form.top, 0, 0, 1);
    TToolbar97* file = form.Add("ToolbarFile", form.top, 1, 0, 1);
    Load(form, records);
    EXPECT_EQ(file->DockRow(), 0);
    EXPECT_EQ(view->DockRow(), 0);
    EXPECT_EQ(file->DockPos(), 0);
    EXPECT_EQ(view->DockPos(), 40);
    EXPECT_EQ(file->geometry().x(), 0);
    EXPECT_EQ(view->geometry().x(), 40);
    EXPECT_EQ(file->geometry().y(), view->geometry().y());
    ASSERT_EQ(form.top->GetToolbarCount(), 2);
    EXPECT_EQ(form.top->GetToolbars(0), file);
    EXPECT_EQ(form.top->GetToolbars(1), view);
}

TEST(ToolbarPositions, DocksArrangeOnceAtTheEnd)
{
    Form form;
    TToolbar97* file = form.Add("ToolbarFile", form.top, 0, 0);
    TToolbar97* view = form.Add("ToolbarView", form.top, 0, 100);
    // Both move to a row of their own, which the dock closes up to row 0:
    // window by window the dock would grow to two rows and shrink back.
    Records records;
    for (const char* name : { "ToolbarFile", "ToolbarView" }) {
        records.values[{ name, "Rev" }] = "3";
        records.values[{ name, "DockedTo" }] = "DockTop";
        records.values[{ name, "DockRow" }] = "1";
    }
    int resized = 0;
    QObject::connect(form.top, &TDock97::DockResized, [&resized] { ++resized; });
    const int height = form.top->height();
    Load(form, records);
    EXPECT_EQ(resized, 0);
    EXPECT_EQ(form.top->height(), height);
    EXPECT_EQ(file->DockRow(), 0);
    EXPECT_EQ(view->DockRow(), 0);
}

namespace {

// The main window's toolbars at their places at creation.
std::unique_ptr<Form> BuildForm()
{
    auto form = std::make_unique<Form>();
    form->Add("ToolbarFile", form->top, 0, 0);
    form->Add("ToolbarView", form->top, 0, 100, 3);
    form->Add("ToolbarSearch", form->top, 1, 0, 4);
    form->Add("ToolbarPanel2", form->top, 1, 120);
    form->Add("ToolbarCommand1", form->left, 0, 0, 3);
    form->Add("ToolbarPanel1", form->left, 0, 90);
    return form;
}

const QString toolbar_names[] = { "ToolbarFile",   "ToolbarView",     "ToolbarSearch",
                                  "ToolbarPanel2", "ToolbarCommand1", "ToolbarPanel1" };

std::vector<Place> PlacesOf(const Form& form)
{
    std::vector<Place> places;
    for (const QString& name : toolbar_names)
        places.push_back(PlaceOf(form.Bar(name)));
    return places;
}

class ToolbarPositionsRoundTrip : public ::testing::TestWithParam<bool> {
protected:
    bool Registry() const { return GetParam(); }
    void SaveForm(Form& form) const
    {
        if (Registry())
            RegSaveToolbarPositions(&form.widget, R"(Software\Zuview\Toolbars)");
        else
            IniSaveToolbarPositions(&form.widget, temp_.File("Zuview.ini"), "Main.");
    }
    void LoadForm(Form& form) const
    {
        if (Registry())
            RegLoadToolbarPositions(&form.widget, R"(Software\Zuview\Toolbars)");
        else
            IniLoadToolbarPositions(&form.widget, temp_.File("Zuview.ini"), "Main.");
    }

    // The settings folder of the test, and its files.
    ScopedConfigFolder config_;
    const TempDir& temp_ = config_.Folder();
};

} // namespace

TEST_P(ToolbarPositionsRoundTrip, EveryToolbarComesBackWhereItWas)
{
    const std::vector<Place> design = PlacesOf(*BuildForm());
    std::vector<Place> saved;
    {
        std::unique_ptr<Form> form = BuildForm();
        // The user's changes.
        TToolbar97* view = form->Bar("ToolbarView");
        view->SetDockRow(1);
        view->SetDockPos(10);
        view->SetDockedTo(form->left);
        TToolbar97* search = form->Bar("ToolbarSearch");
        search->SetFloatingPosition(QPoint(150, 120));
        search->Float();
        search->SetFloatingWidth(50);
        form->Bar("ToolbarPanel1")->hide();
        form->Bar("ToolbarFile")->SetDockPos(40);
        form->Bar("ToolbarPanel2")->SetDockRow(0);
        form->Bar("ToolbarPanel2")->SetDockPos(200);
        QApplication::processEvents();
        saved = PlacesOf(*form);
        SaveForm(*form);
    }
    ASSERT_NE(saved, design);
    EXPECT_EQ(saved[2].dock, "+");
    EXPECT_EQ(saved[2].last_dock, "DockTop");
    EXPECT_FALSE(saved[5].visible);

    std::unique_ptr<Form> form = BuildForm();
    LoadForm(*form);
    QApplication::processEvents();
    EXPECT_EQ(PlacesOf(*form), saved);

    // The records are where the front end keeps them, integers in decimal.
    const std::string text = ReadFileBytes(Registry() ? RegistryIniPath() : temp_.File("Zuview.ini"));
    const std::string section = Registry() ? R"([Software\Zuview\Toolbars\ToolbarSearch])" : "[Main.ToolbarSearch]";
    EXPECT_NE(text.find(section + "\nRev=3\nVisible=1\nDockedTo=+\nLastDock=DockTop\nDockRow="), std::string::npos)
        << text;
    EXPECT_NE(text.find("FloatLeft=150\nFloatTop=120\nFloatRightX=50\n"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(FrontEnds, ToolbarPositionsRoundTrip, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param_info) {
                             return param_info.param ? "Registry" : "Ini";
                         });

TEST(ToolbarPositions, FloatingPositionsAreKeptOnScreen)
{
    struct Case {
        const char* name;
        const char* left;
        const char* top;
        std::optional<QPoint> stays; // none: brought fully onto the work area
        bool visible = true;
    };
    const Case cases[] = {
        { "far above left", "-5000", "-5000", std::nullopt },
        { "far below right", "5000", "5000", std::nullopt },
        { "hidden, far below right", "5000", "5000", std::nullopt, false },
        { "beyond any desktop", "2000000000", "-2000000000", std::nullopt },
        { "at the limits", "2147483647", "-2147483648", std::nullopt },
        { "unreadable", "left", "0x", QPoint(0, 0) },
        { "partly on screen", "-10", "100", QPoint(-10, 100) },
    };
    const QRect area = WorkArea();
    ASSERT_FALSE(area.isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir temp;
        const auto file = temp.Write("Zuview.ini", std::string("[ToolbarFile]\nRev=3\nDockedTo=+\nFloatLeft=") + c.left
                                                       + "\nFloatTop=" + c.top + "\nVisible=" + (c.visible ? "1" : "0")
                                                       + "\n");
        Form form;
        TToolbar97* bar = form.Add("ToolbarFile", form.top, 0, 0);
        IniLoadToolbarPositions(&form.widget, file, "");
        ASSERT_TRUE(bar->Floating());
        EXPECT_EQ(bar->isVisible(), c.visible);
        EXPECT_EQ(bar->FloatingPosition(), bar->pos());
        if (c.stays) {
            EXPECT_EQ(bar->pos(), *c.stays);
        } else {
            EXPECT_TRUE(area.contains(bar->geometry())) << bar->geometry().x() << "," << bar->geometry().y();
        }
    }
}

TEST(ToolbarPositions, HostileFileLoadsIntoSanePlaces)
{
    TempDir temp;
    const auto file = temp.Write("Zuview.ini", "[ToolbarFile]\nRev=3\nVisible=yes\nDockedTo=DockTop\n"
                                               "DockRow=-7\nDockPos=2000000000\nFloatRightX=-5\n"
                                               "[ToolbarView]\nRev=3\nVisible=1\nDockedTo=DockLeft\n"
                                               "DockRow=2000000000\nDockPos=-2000000000\nFloatRightX=abc\n"
                                               "[ToolbarSearch]\nRev=0x3\nVisible=-1\nDockedTo=+\n"
                                               "FloatLeft=99999999999\nFloatTop=-1e9\nFloatRightX=2000000000\n"
                                               "LastDock=\xff\xfe\n"
                                               "[ToolbarPanel1]\nRev=3\nVisible=0\nDockedTo=\"DockTop\"\n"
                                               "DockRow=1\nDockPos=10\n");
    Form form;
    TToolbar97* bar_file = form.Add("ToolbarFile", form.left, 0, 0);
    TToolbar97* bar_view = form.Add("ToolbarView", form.top, 0, 0);
    TToolbar97* bar_search = form.Add("ToolbarSearch", form.top, 1, 0);
    TToolbar97* bar_panel = form.Add("ToolbarPanel1", form.left, 0, 60);
    IniLoadToolbarPositions(&form.widget, file, "");
    QApplication::processEvents();

    struct Expected {
        TToolbar97* bar;
        TDock97* dock;
        bool visible;
    };
    for (const Expected& e : { Expected { bar_file, form.top, true }, Expected { bar_view, form.left, true },
                               Expected { bar_panel, form.top, false } }) {
        SCOPED_TRACE(e.bar->objectName().toStdString());
        EXPECT_EQ(e.bar->DockedTo(), e.dock);
        EXPECT_EQ(e.bar->isVisible(), e.visible);
        EXPECT_GE(e.bar->DockRow(), 0);
        EXPECT_LE(e.bar->DockRow(), e.dock->GetHighestRow());
        EXPECT_GE(e.bar->DockPos(), 0);
        if (e.visible) {
            EXPECT_TRUE(e.dock->rect().contains(e.bar->geometry()));
        }
    }
    ASSERT_TRUE(bar_search->Floating());
    EXPECT_TRUE(bar_search->isVisible());
    EXPECT_TRUE(WorkArea().contains(bar_search->geometry()));
    EXPECT_EQ(bar_search->LastDock(), form.top); // the unreadable name names no dock
}

TEST(ToolbarPositions, SavingNeedsNames)
{
    struct Case {
        const char* name;
        QString window_name;
        QString dock_name;
        bool allow_drag;
        const char* error; // null: saved
    };
    const Case cases[] = {
        { "window without a name", "", "DockLeft", true, STB97ToolwinNameNotSet },
        { "window without a name on a fixed dock", "", "DockLeft", false, STB97ToolwinNameNotSet },
        { "dock without a name", "ToolbarView", "", true, STB97ToolwinDockedToNameNotSet },
        { "fixed dock without a name", "ToolbarView", "", false, nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form form;
        form.left->setObjectName(c.dock_name);
        form.left->SetAllowDrag(c.allow_drag);
        // Docks and their windows come in the order they were made: the
        // top dock's window is written first.
        form.Add("ToolbarFile", form.top, 0, 0);
        form.Add(c.window_name, form.left, 0, 0);
        Records records;
        if (c.error != nullptr) {
            try {
                Save(form, records);
                ADD_FAILURE() << "saved";
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), c.error);
            }
        } else {
            EXPECT_NO_THROW(Save(form, records));
        }
        EXPECT_EQ(records.KeysOf("ToolbarFile").size(), 9u);
        EXPECT_EQ(records.KeysOf(c.window_name).size(), c.error != nullptr ? 0u : 9u);
    }
}

TEST(ToolbarPositions, LoadingAWindowWithoutANameStopsThere)
{
    Form form;
    TToolbar97* named = form.Add("ToolbarFile", form.top, 0, 0);
    TToolbar97* unnamed = form.Add("", form.left, 0, 0);
    Records records;
    records.values = { { { "ToolbarFile", "Rev" }, "3" },
                       { { "ToolbarFile", "DockedTo" }, "DockTop" },
                       { { "ToolbarFile", "DockPos" }, "120" },
                       { { "", "Rev" }, "3" },
                       { { "", "DockedTo" }, "DockTop" } };
    try {
        Load(form, records);
        ADD_FAILURE() << "loaded";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), STB97ToolwinNameNotSet);
    }
    // The window before it is restored, and the docks have arranged.
    EXPECT_EQ(named->geometry().x(), 120);
    EXPECT_EQ(unnamed->DockedTo(), form.left);
    named->SetDockPos(60);
    EXPECT_EQ(named->geometry().x(), 60);
}
