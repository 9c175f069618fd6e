// zuview: the viewer's executable. Starts the main window with the command
// line's drawing and runs until the main window closes; a failure that ends
// the run makes the exit status 1.

#include "core/DebugLog.h"
#include "platform/ui/IniFile.h"
#include "ui/AboutBox.h"
#include "ui/ColorBox.h"
#include "ui/FatalError.h"
#include "ui/GroupLayer.h"
#include "ui/Information.h"
#include "ui/InputBox.h"
#include "ui/MainForm.h"
#include "ui/MojiView.h"
#include "ui/PrintAbort.h"
#include "ui/PrintOrigin.h"
#include "ui/PrintSetting.h"
#include "ui/RasSolid.h"

#include <QApplication>

#include <filesystem>
#include <string>
#include <vector>

namespace {

void OpenProgramLog()
{
    std::error_code error;
    const std::filesystem::path folder = StateFolder();
    std::filesystem::create_directories(folder, error);
    // Without a place for the log the program runs without one.
    OpenDebugLog(folder / "debug.log");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // No display name of its own: the window system would append it to
    // every caption. Message boxes show this name.
    QApplication::setApplicationName(QStringLiteral("Zuview"));
    OpenProgramLog();
    const QStringList arguments = QApplication::arguments();
    std::vector<std::string> drawing_arguments;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        drawing_arguments.push_back(arguments[i].toStdString());
    const int status = RunReportingFatalError([&] {
        TForm1 form(drawing_arguments);
        TfmPrintOrigin print_origin(&form);
        TfmInputBox input_box(&form);
        TfmColorBox color_box(&form);
        TAboutBox about_box(&form);
        TfmPrintSetting print_setting(&form);
        TfmInformation information(&form);
        TfmRasSolid ras_solid(&form);
        TfmMojiView moji_view(&form);
        TfmPrintAbort print_abort(&form);
        TfmGroupLayer group_layer(&form);
        form.SetForms({ &print_origin, &input_box, &color_box, &about_box, &print_setting, &information, &ras_solid,
                        &moji_view, &group_layer, &print_abort });
        QObject::connect(&form, &TForm1::Closed, &application, &QApplication::quit, Qt::QueuedConnection);
        form.show();
        return application.exec();
    });
    CloseDebugLog();
    return status;
}
