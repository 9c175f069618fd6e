#include "ui/FatalError.h"

#include "core/DebugLog.h"
#include "platform/ui/DialogService.h"

#include <cstdlib>
#include <exception>
#include <string>

int RunReportingFatalError(const std::function<int()>& run)
{
    std::string reason;
    try {
        return run();
    } catch (const std::exception& error) {
        reason = error.what();
    } catch (...) {
        reason = "an exception of no known kind";
    }
    WriteDebugLog("Fatal error: " + reason);
    ShowMessage(nullptr, QString::fromStdString(reason), QMessageBox::Critical);
    return EXIT_FAILURE;
}
