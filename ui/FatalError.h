#pragma once

// How the viewer's run ends when something goes wrong that nothing else
// caught.

#include <functional>

// Runs `run` (the viewer's start-up and event loop) and returns its exit
// status. An exception that leaves it ends the run as failed: what it says
// goes to the trace and to a message box, and the status is 1.
int RunReportingFatalError(const std::function<int()>& run);
