#include "ui/HelpFile.h"

#include "platform/FileSystem.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/QtText.h"

#include <QDesktopServices>
#include <QString>

bool OpenHelpFile(QWidget* parent, const std::filesystem::path& folder, const std::function<bool(const QUrl&)>& open)
{
    const std::filesystem::path file = folder / "zuview.chm";
    const QUrl url = QUrl::fromLocalFile(PathText(file));
    const bool opened = FileExists(file) && (open ? open(url) : QDesktopServices::openUrl(url));
    if (!opened)
        ShowMessage(parent, QStringLiteral("Zuview.chm が見つかりません．"), QMessageBox::Warning);
    return opened;
}
