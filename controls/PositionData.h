#pragma once

// The procedures through which tool windows' saved positions are read and
// written: one named integer or text per window, under the window's name.
// What the caller needs besides (the file, a section prefix) the procedures
// carry themselves.

#include <QString>

#include <functional>

using TPositionReadIntProc = std::function<int(const QString& window_name, const QString& key, int fallback)>;
using TPositionReadStringProc =
    std::function<QString(const QString& window_name, const QString& key, const QString& fallback)>;
using TPositionWriteIntProc = std::function<void(const QString& window_name, const QString& key, int value)>;
using TPositionWriteStringProc =
    std::function<void(const QString& window_name, const QString& key, const QString& value)>;
