// The viewer's run: a failure that leaves it ends the program with a
// failing status, and the trace and a message say why.

#include "core/DebugLog.h"
#include "tests/support/RecordingDialogs.h"
#include "ui/FatalError.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

namespace {

TEST(FatalErrorTest, AFailedRunExitsWithAFailingStatusAndTheTraceSaysWhy)
{
    struct Case {
        const char* name;
        std::function<int()> run;
        int status;
        // In the trace and the message; none for a run that ended well.
        const char* reason;
    };
    const Case cases[] = {
        { "ended", [] { return 0; }, 0, nullptr },
        { "ended with its own status", [] { return 3; }, 3, nullptr },
        { "standard exception", []() -> int { throw std::runtime_error("the forms could not be made"); }, 1,
          "the forms could not be made" },
        { "other exception", []() -> int { throw 42; }, 1, "an exception of no known kind" },
    };
    for (const Case& c : cases) {
        const TRecordedMessages messages;
        std::ostringstream trace;
        RedirectDebugLog(&trace);
        const int status = RunReportingFatalError(c.run);
        RedirectDebugLog(nullptr);
        EXPECT_EQ(status, c.status) << c.name;
        if (!c.reason) {
            EXPECT_EQ(trace.str(), "") << c.name;
            EXPECT_TRUE(messages.Texts().isEmpty()) << c.name;
            continue;
        }
        EXPECT_NE(trace.str().find(std::string("Fatal error: ") + c.reason), std::string::npos) << trace.str();
        ASSERT_EQ(messages.Texts().size(), 1) << c.name;
        EXPECT_TRUE(messages.Texts()[0].contains(c.reason)) << c.name;
    }
}

} // namespace
