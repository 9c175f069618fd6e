#pragma once

// What the tests of the small dialogs share: a control found by its name, a
// form shown and active (focus changes reach the controls only in the active
// window), the deferred modal results run, and message boxes answered
// without a window (tests/support/RecordingDialogs.h).

#include "tests/support/RecordingDialogs.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>


// The form's control of that name and class; a missing one fails the test
// where it is asked for.
template <typename Control>
Control* FindControl(QWidget& form, const char* name)
{
    auto* control = form.findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

inline void ShowActive(QWidget& form)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Runs the queued calls: a modal result set in a handler closes its form
// here, after the handler.
inline void RunQueuedCalls() { QCoreApplication::processEvents(); }
