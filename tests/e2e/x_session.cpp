#include "x_session.h"

#include <functional>

extern "C" {
#include <xdo.h>
}
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace {

// A window that vanished between two requests fails that request only.
int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

XSession::XSession()
    : xdo_(xdo_new(nullptr))
{
    if (xdo_)
        XSetErrorHandler(ignoreXErrors);
}

XSession::~XSession()
{
    if (xdo_)
        xdo_free(xdo_);
}

QSize XSession::screenSize() const
{
    const int screen = DefaultScreen(xdo_->xdpy);
    return QSize(DisplayWidth(xdo_->xdpy, screen), DisplayHeight(xdo_->xdpy, screen));
}

QList<unsigned long> XSession::windows(const QString& title, qint64 pid) const
{
    // Our own walk of the window tree, not libxdo's search: Debian's libxdo
    // frees a list it never got when a window vanishes in the middle of its
    // search (a double free the sanitizers catch).
    QList<unsigned long> found;
    const std::function<void(Window)> walk = [&](Window parent) {
        Window root = 0, up = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(xdo_->xdpy, parent, &root, &up, &children, &count))
            return;  // gone meanwhile
        for (unsigned int i = 0; i < count; ++i) {
            char* name = nullptr;
            if (XFetchName(xdo_->xdpy, children[i], &name) && name) {
                if (QString::fromUtf8(name) == title && isViewable(children[i])
                    && (!pid || windowPid(children[i]) == pid))
                    found << children[i];
                XFree(name);
            }
            walk(children[i]);
        }
        if (children)
            XFree(children);
    };
    walk(DefaultRootWindow(xdo_->xdpy));
    return found;
}

unsigned long XSession::findWindow(const QString& title, int timeoutMs, qint64 pid) const
{
    unsigned long window = 0;
    waitFor([&] { return (window = windows(title, pid).value(0)) != 0; }, timeoutMs);
    return window;
}

QRect XSession::geometry(unsigned long window) const
{
    // Not libxdo's location, which counts a managed window's place in its
    // frame twice.
    XWindowAttributes attributes{};
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XGetWindowAttributes(xdo_->xdpy, window, &attributes)
        || !XTranslateCoordinates(xdo_->xdpy, window, DefaultRootWindow(xdo_->xdpy), 0, 0, &x, &y, &child))
        return QRect();
    return QRect(x, y, attributes.width, attributes.height);
}

bool XSession::isViewable(unsigned long window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(xdo_->xdpy, window, &attributes) && attributes.map_state == IsViewable;
}

qint64 XSession::windowPid(unsigned long window) const
{
    return xdo_get_pid_window(xdo_, window);
}

QImage XSession::grab(unsigned long window) const
{
    return grab(window, QRect(QPoint(0, 0), geometry(window).size()));
}

QImage XSession::grab(unsigned long window, const QRect& part) const
{
    // Read from the root window: what the screen shows there, covers included.
    const QRect placed = geometry(window);
    const QRect area = part.translated(placed.topLeft()).intersected(placed).intersected(QRect(QPoint(), screenSize()));
    if (area.isEmpty() || !isViewable(window))
        return QImage();
    XImage* image = XGetImage(xdo_->xdpy, DefaultRootWindow(xdo_->xdpy), area.x(), area.y(),
                              static_cast<unsigned>(area.width()), static_cast<unsigned>(area.height()), AllPlanes,
                              ZPixmap);
    if (!image)
        return QImage();
    // Xvfb's 24-bit screen is 0x00RRGGBB in 32-bit pixels, which RGB32 reads as opaque.
    const QImage result = QImage(reinterpret_cast<const uchar*>(image->data), area.width(), area.height(),
                                 image->bytes_per_line, QImage::Format_RGB32).copy();
    XDestroyImage(image);
    return result;
}

void XSession::moveResize(unsigned long window, const QRect& area) const
{
    XMoveResizeWindow(xdo_->xdpy, window, area.x(), area.y(), static_cast<unsigned>(area.width()),
                      static_cast<unsigned>(area.height()));
    XSync(xdo_->xdpy, 0);
}

void XSession::passOver(unsigned long window) const
{
    const QRect area = geometry(window);
    Display* display = xdo_->xdpy;
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = 1;  // no frame and no say of the window manager
    attributes.background_pixel = WhitePixel(display, screen);
    const Window cover = XCreateWindow(display, DefaultRootWindow(display), area.x(), area.y(),
                                       static_cast<unsigned>(area.width()), static_cast<unsigned>(area.height()), 0,
                                       CopyFromParent, InputOutput, nullptr, CWOverrideRedirect | CWBackPixel,
                                       &attributes);
    XMapRaised(display, cover);
    XSync(display, 0);
    XDestroyWindow(display, cover);
    XSync(display, 0);
}

void XSession::closeByFrame(unsigned long window) const
{
    // What a pager or a frame's close button sends: _NET_CLOSE_WINDOW from a user (source 2).
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(xdo_->xdpy, "_NET_CLOSE_WINDOW", 0);
    event.xclient.format = 32;
    event.xclient.data.l[1] = 2;
    XSendEvent(xdo_->xdpy, DefaultRootWindow(xdo_->xdpy), 0, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XSync(xdo_->xdpy, 0);
}

void XSession::activate(unsigned long window) const
{
    xdo_activate_window(xdo_, window);
}

unsigned long XSession::activeWindow() const
{
    Window active = 0;
    return xdo_get_active_window(xdo_, &active) == XDO_SUCCESS ? active : 0;
}

unsigned long XSession::topWindow() const
{
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    const Atom stacking = XInternAtom(xdo_->xdpy, "_NET_CLIENT_LIST_STACKING", 0);
    unsigned long top = 0;
    if (XGetWindowProperty(xdo_->xdpy, DefaultRootWindow(xdo_->xdpy), stacking, 0, 1024, 0, XA_WINDOW, &type, &format,
                           &items, &left, &data) == Success
        && data && items > 0 && format == 32)
        top = reinterpret_cast<unsigned long*>(data)[items - 1];  // bottom to top
    if (data)
        XFree(data);
    return top;
}

bool XSession::sendKey(unsigned long window, const char* keys, unsigned delayUs) const
{
    // Without a window manager nothing gives the window the keyboard: the test does.
    xdo_focus_window(xdo_, window);
    return sendKeyToFocus(keys, delayUs);
}

bool XSession::sendKeyToFocus(const char* keys, unsigned delayUs) const
{
    const bool sent = xdo_send_keysequence_window(xdo_, CURRENTWINDOW, keys, delayUs) == XDO_SUCCESS;
    XSync(xdo_->xdpy, 0);
    return sent;
}

bool XSession::type(unsigned long window, const QString& text) const
{
    xdo_focus_window(xdo_, window);
    const bool typed = xdo_enter_text_window(xdo_, CURRENTWINDOW, text.toUtf8().constData(), 12000) == XDO_SUCCESS;
    XSync(xdo_->xdpy, 0);
    return typed;
}

void XSession::click(unsigned long window, QPoint at) const
{
    // The pointer is there before the button goes down: clicks in quick
    // succession each land where they were meant to.
    const QPoint onScreen = geometry(window).topLeft() + at;
    xdo_move_mouse(xdo_, onScreen.x(), onScreen.y(), 0);
    xdo_wait_for_mouse_move_to(xdo_, onScreen.x(), onScreen.y());
    xdo_click_window(xdo_, CURRENTWINDOW, 1);
    XSync(xdo_->xdpy, 0);
}

void XSession::parkPointer() const
{
    xdo_move_mouse(xdo_, 0, 0, 0);
    XSync(xdo_->xdpy, 0);
}
