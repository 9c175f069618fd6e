#pragma once

// What the start-up smoke test asks of the X server, through Xlib alone:
// finding a top-level window by its title, taking its picture, and
// activating it and asking it to close as a window manager would.

#include <QImage>

#include <functional>
#include <optional>
#include <string>

// Xlib's names (Status, Bool, None...) are macros: they stay in the .cpp.
struct _XDisplay;

class TXConnection {
public:
    // An X window id (Xlib's Window).
    using TWindow = unsigned long;

    // The display of $DISPLAY; Valid() is false when there is none.
    TXConnection();
    ~TXConnection();
    TXConnection(const TXConnection&) = delete;
    TXConnection& operator=(const TXConnection&) = delete;

    bool Valid() const { return display_ != nullptr; }

    // A viewable top-level window whose title (_NET_WM_NAME, else WM_NAME,
    // as UTF-8) starts with `prefix`, with its whole title.
    struct TFound {
        TWindow window = 0;
        std::string title;
    };
    std::optional<TFound> FindWindow(const std::string& prefix);
    // The same for a title that `matches`.
    std::optional<TFound> FindWindow(const std::function<bool(const std::string&)>& matches);

    // The part of the window that is on the screen, or a null image when
    // the server refuses it (the window went away).
    QImage Grab(TWindow window);

    // Raises the window and gives it the keyboard focus, as a window
    // manager does for the window the user clicks: the application becomes
    // active.
    void Activate(TWindow window);

    // The WM_DELETE_WINDOW message of the WM_PROTOCOLS protocol: the close
    // button of a window manager.
    void RequestClose(TWindow window);

private:
    std::optional<std::string> Title(TWindow window);

    _XDisplay* display_ = nullptr;
};
