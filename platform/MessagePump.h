#pragma once

// The "process pending messages" step that long drawings take between
// elements, so that a print job's abort button and progress display stay
// alive. The caller that owns the event loop sets the hook; drawing calls
// ProcessPendingMessages() as often as it likes, and the hook runs at most
// once every 20 ms.

#include <functional>

// An empty hook turns the step off.
void SetMessagePumpHook(std::function<void()> hook);

void ProcessPendingMessages();
