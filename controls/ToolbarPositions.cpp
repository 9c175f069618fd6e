// One window's record, keys in the order they are written:
//
//   "Rev"        integer  3; a record is used only when it reads 2 or 3
//   "Visible"    integer  1 or 0
//   "DockedTo"   text     the dock's name on a dock that allows dragging,
//                         "+" floating, empty otherwise (not moved on load)
//   "LastDock"   text     the name of the dock it sat on last, or empty;
//                         read only for a floating window of revision 3
//   "DockRow"    integer  its row on the dock
//   "DockPos"    integer  its position along the row (-1: not placed yet)
//   "FloatLeft"  integer  the screen position while floating; both empty
//   "FloatTop"   integer  for a window that never floated (it then floats
//                         beside its docked place)
//   then the keys of the window's class (WritePositionData).
//
// A record comes from a file the user may have edited or that another
// version wrote, so every number is clamped before it is used: rows and
// positions into what a dock can lay out (a row number is also the size of
// the dock's row table), floating coordinates into a range where adding a
// window's size cannot overflow, and the floating window is then brought
// onto the nearest screen when it lies entirely off it. No loop runs over
// a number read from a record.

#include "controls/ToolbarPositions.h"

#include "controls/Dock97.h"
#include "controls/Ri97cnst.h"
#include "controls/ToolWindow97.h"
#include "platform/ui/IniFile.h"

#include <QList>
#include <QPointer>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace key {
const QString rev = QStringLiteral("Rev");
const QString visible = QStringLiteral("Visible");
const QString docked_to = QStringLiteral("DockedTo");
const QString last_dock = QStringLiteral("LastDock");
const QString dock_row = QStringLiteral("DockRow");
const QString dock_pos = QStringLiteral("DockPos");
const QString float_left = QStringLiteral("FloatLeft");
const QString float_top = QStringLiteral("FloatTop");
} // namespace key

constexpr int current_revision = 3;
// Revision 2 records lack a trustworthy "LastDock".
constexpr int oldest_revision = 2;
const QString floating_mark = QStringLiteral("+");

// More rows than any form shows; a dock closes up empty rows anyway.
constexpr int max_dock_row = 255;
// -1 is a window not placed on its row yet; the dock pulls any larger
// position back to its own length.
constexpr int min_dock_pos = -1;
constexpr int max_dock_pos = 100000;
// Far beyond any desktop, yet far from overflowing when a window's size is
// added.
constexpr int max_float_coordinate = 1000000;

// Every dock of the form in BeginUpdate for the guard's life, so each
// arranges once, when the last window has been restored; ended in reverse
// order, also when an exception passes.
class DockUpdates {
public:
    explicit DockUpdates(const QList<TDock97*>& docks)
    {
        docks_.reserve(static_cast<std::size_t>(docks.size()));
        for (TDock97* dock : docks) {
            dock->BeginUpdate();
            docks_.emplace_back(dock);
        }
    }
    ~DockUpdates()
    {
        for (auto dock = docks_.rbegin(); dock != docks_.rend(); ++dock) {
            if (!dock->isNull())
                (*dock)->EndUpdate();
        }
    }
    DockUpdates(const DockUpdates&) = delete;
    DockUpdates& operator=(const DockUpdates&) = delete;

private:
    std::vector<QPointer<TDock97>> docks_;
};

// The form's dock of that name; names compare exactly.
TDock97* FindDock(const QList<TDock97*>& docks, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    const auto found = std::find_if(docks.begin(), docks.end(),
                                    [&name](const TDock97* dock) { return dock->objectName() == name; });
    return found != docks.end() ? *found : nullptr;
}

// The floating position of the record; none when it leaves either
// coordinate empty (the window never floated).
std::optional<QPoint> ReadFloatingPosition(const QString& name, const TPositionReadIntProc& read_int,
                                           const TPositionReadStringProc& read_string)
{
    if (read_string(name, key::float_left, QString()).isEmpty()
        || read_string(name, key::float_top, QString()).isEmpty())
        return std::nullopt;
    return QPoint(std::clamp(read_int(name, key::float_left, 0), -max_float_coordinate, max_float_coordinate),
                  std::clamp(read_int(name, key::float_top, 0), -max_float_coordinate, max_float_coordinate));
}

// Puts the window onto the dock, or floating over its form without one.
void RestorePlace(TCustomToolWindow97* window, TDock97* dock, int revision, const QList<TDock97*>& docks,
                  const TPositionReadIntProc& read_int, const TPositionReadStringProc& read_string)
{
    const QString name = window->objectName();
    window->SetDockRow(std::clamp(read_int(name, key::dock_row, window->DockRow()), 0, max_dock_row));
    window->SetDockPos(std::clamp(read_int(name, key::dock_pos, window->DockPos()), min_dock_pos, max_dock_pos));
    const std::optional<QPoint> floating_position = ReadFloatingPosition(name, read_int, read_string);
    window->ReadPositionData(read_int, read_string);
    if (floating_position)
        window->SetFloatingPosition(*floating_position);
    if (dock != nullptr) {
        window->SetDockedTo(dock);
    } else {
        window->Float();
        window->MoveOnScreen(true);
        // A hidden window gets no move event, so the floating position
        // follows where it was brought by hand.
        window->SetFloatingPosition(window->pos());
        if (revision == current_revision && window->UseLastDock()) {
            if (TDock97* last = FindDock(docks, read_string(name, key::last_dock, QString())))
                window->SetLastDock(last);
        }
    }
    window->ArrangeControls();
    window->DoneReadingPositionData(read_int, read_string);
}

void LoadWindow(TCustomToolWindow97* window, const QList<TDock97*>& docks, const TPositionReadIntProc& read_int,
                const TPositionReadStringProc& read_string)
{
    const QString name = window->objectName();
    if (name.isEmpty())
        throw std::runtime_error(STB97ToolwinNameNotSet);
    const int revision = read_int(name, key::rev, 0);
    if (revision < oldest_revision || revision > current_revision)
        return;
    window->setVisible(read_int(name, key::visible, window->Visible() ? 1 : 0) != 0);
    const QString docked_to = read_string(name, key::docked_to, QString());
    if (docked_to.isEmpty())
        return;
    if (docked_to == floating_mark) {
        RestorePlace(window, nullptr, revision, docks, read_int, read_string);
        return;
    }
    TDock97* dock = FindDock(docks, docked_to);
    if (dock == nullptr || !dock->AllowDrag())
        return;
    RestorePlace(window, dock, revision, docks, read_int, read_string);
}

void SaveWindow(const TCustomToolWindow97* window, const TPositionWriteIntProc& write_int,
                const TPositionWriteStringProc& write_string)
{
    const QString name = window->objectName();
    if (name.isEmpty())
        throw std::runtime_error(STB97ToolwinNameNotSet);
    const TDock97* dock = window->DockedTo();
    const bool on_draggable_dock = dock != nullptr && dock->AllowDrag();
    if (on_draggable_dock && dock->objectName().isEmpty())
        throw std::runtime_error(STB97ToolwinDockedToNameNotSet);

    // A window on a dock the user cannot drag from, or on none at all, is
    // where the program put it: its record does not move it.
    QString docked_to;
    if (window->Floating())
        docked_to = floating_mark;
    else if (on_draggable_dock)
        docked_to = dock->objectName();
    write_int(name, key::rev, current_revision);
    write_int(name, key::visible, window->Visible() ? 1 : 0);
    write_string(name, key::docked_to, docked_to);
    write_string(name, key::last_dock, window->LastDock() != nullptr ? window->LastDock()->objectName() : QString());
    write_int(name, key::dock_row, window->DockRow());
    write_int(name, key::dock_pos, window->DockPos());
    if (window->HasFloatingPosition()) {
        write_int(name, key::float_left, window->FloatingPosition().x());
        write_int(name, key::float_top, window->FloatingPosition().y());
    } else {
        write_string(name, key::float_left, QString());
        write_string(name, key::float_top, QString());
    }
}

// The section of one window's record in an INI file.
using SectionOf = std::function<std::string(const QString& window_name)>;

void LoadFromIni(QWidget* form, const std::filesystem::path& file, const SectionOf& section_of)
{
    const TIniFile ini(file);
    CustomLoadToolbarPositions(
        form,
        [&](const QString& window_name, const QString& name, int fallback) {
            return ini.ReadInteger(section_of(window_name), name.toStdString(), fallback);
        },
        [&](const QString& window_name, const QString& name, const QString& fallback) {
            return QString::fromStdString(
                ini.ReadString(section_of(window_name), name.toStdString(), fallback.toStdString()));
        });
}

void SaveToIni(QWidget* form, const std::filesystem::path& file, const SectionOf& section_of)
{
    TIniFile ini(file);
    // One save for the whole form; when an error passes, the destructor
    // saves what was written until then.
    ini.BeginUpdate();
    CustomSaveToolbarPositions(
        form,
        [&](const QString& window_name, const QString& name, int value) {
            ini.WriteInteger(section_of(window_name), name.toStdString(), value);
        },
        [&](const QString& window_name, const QString& name, const QString& value) {
            ini.WriteString(section_of(window_name), name.toStdString(), value.toStdString());
        });
    ini.EndUpdate();
}

SectionOf PrefixedSection(const QString& section_prefix)
{
    return [prefix = section_prefix.toStdString()](const QString& window_name) {
        return prefix + window_name.toStdString();
    };
}

SectionOf RegistrySection(const QString& base_key)
{
    return [key = base_key.toStdString()](const QString& window_name) {
        return RegistryIniSection(key, window_name.toStdString());
    };
}

} // namespace

void CustomLoadToolbarPositions(QWidget* form, const TPositionReadIntProc& read_int,
                                const TPositionReadStringProc& read_string)
{
    const QList<TDock97*> docks = form->findChildren<TDock97*>();
    const QList<TCustomToolWindow97*> windows = form->findChildren<TCustomToolWindow97*>();
    const DockUpdates updates(docks);
    for (TCustomToolWindow97* window : windows)
        LoadWindow(window, docks, read_int, read_string);
}

void CustomSaveToolbarPositions(QWidget* form, const TPositionWriteIntProc& write_int,
                                const TPositionWriteStringProc& write_string)
{
    const QList<TCustomToolWindow97*> windows = form->findChildren<TCustomToolWindow97*>();
    for (TCustomToolWindow97* window : windows) {
        SaveWindow(window, write_int, write_string);
        window->WritePositionData(write_int, write_string);
    }
}

void IniLoadToolbarPositions(QWidget* form, const std::filesystem::path& file, const QString& section_prefix)
{
    LoadFromIni(form, file, PrefixedSection(section_prefix));
}

void IniSaveToolbarPositions(QWidget* form, const std::filesystem::path& file, const QString& section_prefix)
{
    SaveToIni(form, file, PrefixedSection(section_prefix));
}

void RegLoadToolbarPositions(QWidget* form, const QString& base_key)
{
    LoadFromIni(form, RegistryIniPath(), RegistrySection(base_key));
}

void RegSaveToolbarPositions(QWidget* form, const QString& base_key)
{
    SaveToIni(form, RegistryIniPath(), RegistrySection(base_key));
}
