#include "tests/smoke/XWindows.h"

#include <X11/Xlib.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

// A window that goes away between the listing and a request makes the
// server answer with an error (BadWindow, BadMatch); Xlib's default handler
// would end the program. The request then simply finds nothing.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// The 8-bit channel of a pixel value under a visual's mask.
int Channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0)
        ++shift;
    const unsigned long top = mask >> shift;
    return static_cast<int>(((pixel >> shift) & top) * 255u / top);
}

// The keysym of a character: a Latin-1 one is its own code, any other
// Unicode character 0x1000000 + its code point.
KeySym UnicodeKeysym(char32_t character)
{
    if ((character >= 0x20 && character <= 0x7e) || (character >= 0xa0 && character <= 0xff))
        return character;
    return 0x1000000 + character;
}

// A client reads a changed keymap only when it handles the server's notice
// of the change: the key is pressed after it had time to, and the key's old
// meaning comes back after it had time to read the key.
constexpr auto keymap_settle = std::chrono::milliseconds(300);

} // namespace

TXConnection::TXConnection()
    : display_(XOpenDisplay(nullptr))
{
    XSetErrorHandler(IgnoreXError);
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    fakes_input_ = display_ && XTestQueryExtension(display_, &event_base, &error_base, &major, &minor);
}

TXConnection::~TXConnection()
{
    if (display_)
        XCloseDisplay(display_);
}

std::optional<std::string> TXConnection::Title(TWindow window)
{
    const Atom utf8_string = XInternAtom(display_, "UTF8_STRING", False);
    for (const Atom name : { XInternAtom(display_, "_NET_WM_NAME", False), Atom { XA_WM_NAME } }) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        const int status = XGetWindowProperty(display_, window, name, 0, 4096, False,
                                              name == XA_WM_NAME ? AnyPropertyType : utf8_string, &type, &format,
                                              &items, &remaining, &data);
        std::optional<std::string> title;
        if (status == Success && data && format == 8)
            title = std::string(reinterpret_cast<const char*>(data), items);
        if (data)
            XFree(data);
        if (title)
            return title;
    }
    return std::nullopt;
}

std::optional<TXConnection::TFound> TXConnection::FindWindow(const std::string& prefix)
{
    return FindWindow([&prefix](const std::string& title) { return title.starts_with(prefix); });
}

std::optional<TXConnection::TFound> TXConnection::FindWindow(const std::function<bool(const std::string&)>& matches)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<TFound> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        const std::optional<std::string> title = Title(children[i]);
        if (title && matches(*title))
            found = TFound { children[i], *title };
    }
    if (children)
        XFree(children);
    return found;
}

QImage TXConnection::Grab(TWindow window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes) || attributes.map_state != IsViewable)
        return {};
    // XGetImage takes only what is on the screen: clip the window to it.
    int left = 0;
    int top = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &left, &top, &child);
    const Screen* screen = DefaultScreenOfDisplay(display_);
    const int x0 = std::max(0, -left);
    const int y0 = std::max(0, -top);
    const int x1 = std::min(attributes.width, WidthOfScreen(screen) - left);
    const int y1 = std::min(attributes.height, HeightOfScreen(screen) - top);
    if (x1 <= x0 || y1 <= y0)
        return {};
    XImage* image = XGetImage(display_, window, x0, y0, static_cast<unsigned>(x1 - x0), static_cast<unsigned>(y1 - y0),
                              AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage picture(x1 - x0, y1 - y0, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            line[x] = qRgb(Channel(pixel, image->red_mask), Channel(pixel, image->green_mask),
                           Channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return picture;
}

void TXConnection::Activate(TWindow window)
{
    XRaiseWindow(display_, window);
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XFlush(display_);
}

void TXConnection::RequestClose(TWindow window)
{
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

QSize TXConnection::ScreenSize() const
{
    const Screen* screen = DefaultScreenOfDisplay(display_);
    return QSize(WidthOfScreen(screen), HeightOfScreen(screen));
}

QPoint TXConnection::WindowOrigin(TWindow window)
{
    int left = 0;
    int top = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &left, &top, &child);
    return QPoint(left, top);
}

QPoint TXConnection::PointerPosition()
{
    Window root = 0;
    Window child = 0;
    int root_x = 0;
    int root_y = 0;
    int window_x = 0;
    int window_y = 0;
    unsigned int buttons = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &root_x, &root_y, &window_x, &window_y,
                  &buttons);
    return QPoint(root_x, root_y);
}

void TXConnection::MovePointer(QPoint screen_point)
{
    if (!fakes_input_)
        return;
    XTestFakeMotionEvent(display_, DefaultScreen(display_), screen_point.x(), screen_point.y(), CurrentTime);
    XFlush(display_);
}

void TXConnection::PressButton(unsigned button)
{
    if (!fakes_input_)
        return;
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XFlush(display_);
}

void TXConnection::ReleaseButton(unsigned button)
{
    if (!fakes_input_)
        return;
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XFlush(display_);
}

void TXConnection::TypeKey(unsigned long keysym)
{
    const KeyCode key = XKeysymToKeycode(display_, keysym);
    if (!fakes_input_ || key == 0)
        return;
    XTestFakeKeyEvent(display_, key, True, CurrentTime);
    XTestFakeKeyEvent(display_, key, False, CurrentTime);
    XFlush(display_);
}

void TXConnection::TypeKeyWith(unsigned long modifier, unsigned long keysym)
{
    const KeyCode held = XKeysymToKeycode(display_, modifier);
    if (!fakes_input_ || held == 0)
        return;
    XTestFakeKeyEvent(display_, held, True, CurrentTime);
    TypeKey(keysym);
    XTestFakeKeyEvent(display_, held, False, CurrentTime);
    XFlush(display_);
}

std::vector<unsigned char> TXConnection::SpareKeycodes(std::size_t wanted)
{
    int low = 0;
    int high = 0;
    XDisplayKeycodes(display_, &low, &high);
    int per_key = 0;
    KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(low), high - low + 1, &per_key);
    std::vector<unsigned char> spare;
    if (!map)
        return spare;
    for (int code = high; code >= low && spare.size() < wanted; --code) {
        const KeySym* symbols = map + static_cast<std::ptrdiff_t>(code - low) * per_key;
        if (std::all_of(symbols, symbols + per_key, [](KeySym symbol) { return symbol == NoSymbol; }))
            spare.push_back(static_cast<unsigned char>(code));
    }
    XFree(map);
    return spare;
}

bool TXConnection::TypeText(const std::u32string& text)
{
    if (!fakes_input_)
        return false;
    const std::vector<unsigned char> keys = SpareKeycodes(text.size());
    if (keys.empty())
        return text.empty();
    for (std::size_t at = 0; at < text.size(); at += keys.size())
        TypeOnSpareKeys(std::u32string_view(text).substr(at, keys.size()), keys);
    return true;
}

void TXConnection::TypeOnSpareKeys(std::u32string_view text, const std::vector<unsigned char>& keys)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        // The same symbol without and with Shift.
        KeySym symbols[] = { UnicodeKeysym(text[i]), UnicodeKeysym(text[i]) };
        XChangeKeyboardMapping(display_, keys[i], 2, symbols, 1);
    }
    XSync(display_, False);
    std::this_thread::sleep_for(keymap_settle);
    for (std::size_t i = 0; i < text.size(); ++i) {
        XTestFakeKeyEvent(display_, keys[i], True, CurrentTime);
        XTestFakeKeyEvent(display_, keys[i], False, CurrentTime);
    }
    XSync(display_, False);
    std::this_thread::sleep_for(keymap_settle);
    for (std::size_t i = 0; i < text.size(); ++i) {
        KeySym none[] = { NoSymbol, NoSymbol };
        XChangeKeyboardMapping(display_, keys[i], 2, none, 1);
    }
    XSync(display_, False);
}
