#pragma once

// What the tests of the small dialogs share: a form shown and active (focus
// changes reach the controls only in the active window), the deferred modal
// results run, and message boxes answered without a window
// (tests/support/RecordingDialogs.h).

#include "tests/support/RecordingDialogs.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>


inline void ShowActive(QWidget& form)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

// Runs the queued calls: a modal result set in a handler closes its form
// here, after the handler.
inline void RunQueuedCalls() { QCoreApplication::processEvents(); }
