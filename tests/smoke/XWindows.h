#pragma once

// What the smoke tests ask of the X server, through Xlib and its XTest
// extension: finding a top-level window by its title, taking its picture,
// activating it and asking it to close as a window manager would, and the
// user's hand: pointer moves, buttons (4 and 5 are the wheel) and keys,
// which the server delivers as if they came from the devices.

#include <QImage>
#include <QPoint>
#include <QSize>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

    // The screen's size in pixels.
    QSize ScreenSize() const;
    // Where the window's top-left pixel is on the screen.
    QPoint WindowOrigin(TWindow window);
    // Where the pointer is on the screen.
    QPoint PointerPosition();

    // Whether the server fakes input (the XTest extension); without it the
    // calls below do nothing.
    bool CanFakeInput() const { return fakes_input_; }
    // Moves the pointer to a point of the screen.
    void MovePointer(QPoint screen_point);
    // Presses or lets go of pointer button 1 (left), 2 (middle), 3 (right),
    // 4 (wheel away from the user) or 5 (wheel towards the user).
    void PressButton(unsigned button);
    void ReleaseButton(unsigned button);
    // Presses and lets go of the key of an X keysym (XK_Home...).
    void TypeKey(unsigned long keysym);
    // The same with a modifier key (XK_Alt_L...) held down.
    void TypeKeyWith(unsigned long modifier, unsigned long keysym);
    // Types characters that the keymap may not hold (kanji, kana): each
    // is put for a moment on a spare key of its own, as its Unicode keysym,
    // and that key is pressed; the keys are given back their old (empty)
    // meaning afterwards. False when the keymap has no spare key.
    bool TypeText(const std::u32string& text);

private:
    std::optional<std::string> Title(TWindow window);
    // The keycodes that carry no keysym at all, at most `wanted` of them.
    std::vector<unsigned char> SpareKeycodes(std::size_t wanted);
    // Types characters that each have a spare key in `keys`.
    void TypeOnSpareKeys(std::u32string_view text, const std::vector<unsigned char>& keys);

    _XDisplay* display_ = nullptr;
    bool fakes_input_ = false;
};
