#include "ui/HelpFile.h"

#include "platform/ui/DialogService.h"

#include <QDesktopServices>
#include <QString>

bool OpenHelpFile(QWidget* parent, const std::filesystem::path& folder, const std::function<bool(const QUrl&)>& open)
{
    const std::filesystem::path file = folder / "zuview.chm";
    std::error_code error;
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
    const bool opened = std::filesystem::is_regular_file(file, error)
        && (open ? open(url) : QDesktopServices::openUrl(url));
    if (!opened)
        ShowMessage(parent, QStringLiteral("Zuview.chm が見つかりません．"), QMessageBox::Warning);
    return opened;
}
