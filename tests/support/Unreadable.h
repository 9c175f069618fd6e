#pragma once

#include <filesystem>
#include <functional>

// Takes every permission from `file` and runs `body` with the file-system
// rights of an unprivileged user, so the file is unreadable even when the
// tests run as root. The file's folder is opened to everyone so the file
// itself can still be found. Returns false, without running `body`, when the
// file can still be read (then the caller skips its test).
bool WithFileUnreadable(const std::filesystem::path& file, const std::function<void()>& body);

// Takes the write permission from `folder` and runs `body` with the rights of
// an unprivileged user, so no file can be created or replaced in it even when
// the tests run as root. Returns false, without running `body`, when a file
// can still be created there.
bool WithFolderUnwritable(const std::filesystem::path& folder, const std::function<void()>& body);
