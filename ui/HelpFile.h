#pragma once

// The program's help: "zuview.chm" beside the executable, opened by the
// desktop's viewer for it. The program goes on at once.

#include <QUrl>

#include <filesystem>
#include <functional>

class QWidget;

// Opens the help file of the folder with `open` (the desktop's opener by
// default); shows "Zuview.chm が見つかりません．" when it is missing or
// nothing opens it. Returns whether it was handed over.
bool OpenHelpFile(QWidget* parent, const std::filesystem::path& folder,
                  const std::function<bool(const QUrl&)>& open = {});
