#pragma once

// What the tests of the main window share: drawings written with our own
// document code, a dialog service that answers from a script, a redraw
// clock whose time the test moves, and waiting until the view shows its
// newest picture.

#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "platform/ShiftJis.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/QtText.h"
#include "tests/support/TempDir.h"
#include "ui/MainForm.h"
#include "ui/RedrawClock.h"
#include "ui/ViewRedraw.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTest>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <deque>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A drawing of one horizontal and one vertical line through the origin, in
// pen colour `pen`, on A3 paper. Colours are packed red first, as pens keep
// them.
inline std::filesystem::path WriteCrossDrawing(const TempDir& folder, const std::string& name, int pen = 2,
                                               double half_length = 100)
{
    TZhdData drawing;
    drawing.GetHeadPtr().SetPaperSize(3);
    // The drawing's screen pens: a dark blue background, pen 2 red.
    TVect<TZhdPen> pens = drawing.GetHeadPtr().GetPens();
    pens.Set(0, TZhdPen(0x400000, 1));
    pens.Set(2, TZhdPen(0x0000ff, 1));
    drawing.GetHeadPtr().SetPens(pens);
    for (const auto& [start, end] : { std::pair { TBPoint(-half_length, 0.0), TBPoint(half_length, 0.0) },
                                      std::pair { TBPoint(0.0, -half_length), TBPoint(0.0, half_length) } }) {
        auto line = boost::make_shared<TKLine>();
        line->SetLine(start, end);
        line->SetPenColor(static_cast<std::uint16_t>(pen));
        line->SetPenStyle(1);
        drawing.GetElemListPtr().Append(line);
    }
    const std::filesystem::path path = folder.File(name);
    EXPECT_EQ(drawing.SaveToFile(SjisPath(path)), TSaveStatus::Saved);
    return path;
}

// Answers open and save dialogs with the queued names (empty: cancelled),
// message boxes with the queued buttons (OK when none is left) and the print
// dialog with the queued answers (accepted when none is left; an accepted
// dialog or page set-up applies `choose_printer`); keeps the texts of the
// messages.
class TScriptedDialogs : public TDialogService {
public:
    struct TScript {
        std::deque<QString> file_names;
        std::deque<QMessageBox::StandardButton> answers;
        QStringList messages;
        QStringList filters;
        int beeps = 0;
        std::deque<bool> print_answers;
        std::function<void(QPrinter&)> choose_printer;
        int print_dialogs = 0;
        int page_setups = 0;
    };

    explicit TScriptedDialogs(std::shared_ptr<TScript> script)
        : script_(std::move(script))
    {
    }

    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        script_->messages.append(text);
        if (script_->answers.empty())
            return QMessageBox::Ok;
        const QMessageBox::StandardButton answer = script_->answers.front();
        script_->answers.pop_front();
        return answer;
    }
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString& filter) override
    {
        return Next(filter);
    }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString& filter) override
    {
        return Next(filter);
    }
    void Beep() override { ++script_->beeps; }
    bool PrintDialog(QWidget*, QPrinter& printer) override
    {
        ++script_->print_dialogs;
        bool accepted = true;
        if (!script_->print_answers.empty()) {
            accepted = script_->print_answers.front();
            script_->print_answers.pop_front();
        }
        if (accepted && script_->choose_printer)
            script_->choose_printer(printer);
        return accepted;
    }
    bool PageSetupDialog(QWidget*, QPrinter& printer) override
    {
        ++script_->page_setups;
        if (script_->choose_printer)
            script_->choose_printer(printer);
        return true;
    }

private:
    QString Next(const QString& filter)
    {
        script_->filters.append(filter);
        if (script_->file_names.empty())
            return {};
        QString name = script_->file_names.front();
        script_->file_names.pop_front();
        return name;
    }

    std::shared_ptr<TScript> script_;
};

class TScriptedDialogsInstalled {
public:
    TScriptedDialogsInstalled() { SetDialogService(std::make_unique<TScriptedDialogs>(script)); }
    ~TScriptedDialogsInstalled() { SetDialogService(nullptr); }
    TScriptedDialogsInstalled(const TScriptedDialogsInstalled&) = delete;
    TScriptedDialogsInstalled& operator=(const TScriptedDialogsInstalled&) = delete;

    std::shared_ptr<TScriptedDialogs::TScript> script = std::make_shared<TScriptedDialogs::TScript>();
};

// A redraw clock that stands still until the test moves it; a call that
// falls due runs while it is moved.
class TManualRedrawClock : public TRedrawClock {
public:
    struct TTime {
        std::uint32_t now = 0;
        std::uint32_t due_at = 0;
        std::function<void()> due;
    };

    explicit TManualRedrawClock(std::shared_ptr<TTime> time)
        : time_(std::move(time))
    {
    }

    std::uint32_t Now() const override { return time_->now; }
    void CallAfter(int milliseconds, std::function<void()> due) override
    {
        time_->due_at = time_->now + static_cast<std::uint32_t>(milliseconds);
        time_->due = std::move(due);
    }
    void Cancel() override { time_->due = nullptr; }

private:
    std::shared_ptr<TTime> time_;
};

// Puts a manual clock into the form's view, starting at `start`, and moves
// it on.
class TRedrawTime {
public:
    TRedrawTime(TForm1& form, std::uint32_t start)
    {
        time_->now = start;
        form.View().UseClock(std::make_unique<TManualRedrawClock>(time_));
    }

    std::uint32_t Now() const { return time_->now; }
    bool CallPending() const { return static_cast<bool>(time_->due); }
    // Moves the time on by `milliseconds`, running the pending call when it
    // falls due on the way.
    void Advance(std::uint32_t milliseconds)
    {
        const std::uint32_t target = time_->now + milliseconds;
        if (time_->due && time_->due_at - time_->now <= milliseconds) {
            time_->now = time_->due_at;
            const std::function<void()> due = std::move(time_->due);
            time_->due = nullptr;
            due();
        }
        time_->now = target;
    }

private:
    std::shared_ptr<TManualRedrawClock::TTime> time_ = std::make_shared<TManualRedrawClock::TTime>();
};

// Lets the postponed redraws and paints run until the view is set up and
// nothing is pending.
inline void SettleView(TForm1& form)
{
    for (int round = 0; round < 5; ++round) {
        QTest::qWait(30);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(QTest::qWaitFor([&form] { return form.View().Initialised(); }, 2000));
    QTest::qWait(30);
}
