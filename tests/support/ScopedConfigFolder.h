#pragma once

// The settings folder ($XDG_CONFIG_HOME) moved to a fresh temporary folder
// for the life of the object, and put back afterwards.

#include "tests/support/TempDir.h"

#include <cstdlib>
#include <optional>
#include <string>

class ScopedConfigFolder {
public:
    ScopedConfigFolder()
    {
        if (const char* config = std::getenv("XDG_CONFIG_HOME"))
            saved_ = config;
        setenv("XDG_CONFIG_HOME", folder_.Path().c_str(), 1);
    }
    ~ScopedConfigFolder()
    {
        if (saved_)
            setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    ScopedConfigFolder(const ScopedConfigFolder&) = delete;
    ScopedConfigFolder& operator=(const ScopedConfigFolder&) = delete;

    // The folder XDG_CONFIG_HOME names (the program adds "zuview" below).
    const TempDir& Folder() const { return folder_; }

private:
    TempDir folder_;
    std::optional<std::string> saved_;
};
