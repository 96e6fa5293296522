#include "x_session.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStringList>
#include <QThread>

#include <vector>

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

struct XSession::Private {
    Display* display = nullptr;
};

namespace {

// A window that vanished between two requests is not a reason to end the test
// program: the request fails and the caller sees an empty answer.
int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

XSession::XSession()
    : d(std::make_unique<Private>())
{
}

XSession::~XSession()
{
    if (windowManager_.state() != QProcess::NotRunning) {
        windowManager_.terminate();
        windowManager_.waitForFinished(5000);
    }
    if (d->display)
        XCloseDisplay(d->display);
    if (xvfb_.state() != QProcess::NotRunning) {
        xvfb_.terminate();
        xvfb_.waitForFinished(5000);
    }
}

bool XSession::startXvfb(QString* reason, QSize screen)
{
    // A free display number: no lock file and no socket.
    int number = 90;
    for (; number < 200; ++number) {
        if (!QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))
            && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            break;
    }
    displayName_ = QStringLiteral(":%1").arg(number);
    xvfb_.setProgram(QStringLiteral("Xvfb"));
    xvfb_.setArguments({displayName_, QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    xvfb_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb_.start();
    if (!xvfb_.waitForStarted(5000)) {
        *reason = QStringLiteral("Xvfb could not be started: ") + xvfb_.errorString();
        return false;
    }
    return true;
}

bool XSession::open(QString* reason)
{
    displayName_ = qEnvironmentVariable("DISPLAY");
    if (displayName_.isEmpty() && !startXvfb(reason))
        return false;
    XSetErrorHandler(ignoreXErrors);
    const QByteArray name = displayName_.toLocal8Bit();
    QDeadlineTimer deadline(10000);
    while (!(d->display = XOpenDisplay(name.constData()))) {
        if (deadline.hasExpired() || (xvfb_.state() == QProcess::NotRunning && !qEnvironmentVariableIsSet("DISPLAY"))) {
            *reason = QStringLiteral("cannot open display ") + displayName_;
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

bool XSession::openOwn(QString* reason, QSize screen)
{
    if (!startXvfb(reason, screen))
        return false;
    // open() keeps a display that is already named.
    const QByteArray saved = qgetenv("DISPLAY");
    qputenv("DISPLAY", displayName_.toLocal8Bit());
    const bool opened = open(reason);
    qputenv("DISPLAY", saved);
    return opened;
}

bool XSession::openWithWindowManager(QString* reason)
{
    if (!openOwn(reason, QSize(1280, 1024)))
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), displayName_);
    windowManager_.setProcessEnvironment(environment);
    windowManager_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    windowManager_.setStandardOutputFile(QProcess::nullDevice());
    windowManager_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!windowManager_.waitForStarted(5000)) {
        *reason = QStringLiteral("openbox could not be started: ") + windowManager_.errorString();
        return false;
    }
    // Ready once it has announced itself on the root window.
    const Atom check = XInternAtom(d->display, "_NET_SUPPORTING_WM_CHECK", 0);
    QDeadlineTimer deadline(10000);
    for (;;) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        const bool announced = XGetWindowProperty(d->display, DefaultRootWindow(d->display), check, 0, 1, 0,
                                                  XA_WINDOW, &type, &format, &items, &after, &data)
                == Success
            && items == 1;
        if (data)
            XFree(data);
        if (announced)
            return true;
        if (deadline.hasExpired() || windowManager_.state() == QProcess::NotRunning) {
            *reason = QStringLiteral("openbox did not start managing the display");
            return false;
        }
        QThread::msleep(50);
    }
}

QSize XSession::screenSize() const
{
    const int screen = DefaultScreen(d->display);
    return QSize(DisplayWidth(d->display, screen), DisplayHeight(d->display, screen));
}

namespace {

// The process that made a window, from the _NET_WM_PID property; 0 if unknown.
qint64 windowProcess(Display* display, Window window)
{
    const Atom property = XInternAtom(display, "_NET_WM_PID", 1);
    if (property == 0)
        return 0;
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    qint64 pid = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, 0, XA_CARDINAL, &type, &format, &items, &after, &data)
            == Success
        && data) {
        if (format == 32 && items == 1)
            pid = static_cast<qint64>(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
}

} // namespace

namespace {

// A viewable window with this title among the window's children, or their
// children: a window manager puts each top-level window inside a frame.
Window findNamed(Display* display, Window under, const QString& title, qint64 pid, int depth)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(display, under, &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (title == QString::fromUtf8(name) && (pid == 0 || windowProcess(display, children[i]) == pid))
                found = children[i];
            XFree(name);
        }
        if (!found && depth > 1)
            found = findNamed(display, children[i], title, pid, depth - 1);
    }
    if (children)
        XFree(children);
    return found;
}

} // namespace

unsigned long XSession::findWindow(const QString& title, int timeoutMs, qint64 pid) const
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        if (const Window found = findNamed(d->display, DefaultRootWindow(d->display), title, pid, 3))
            return found;
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return 0;
}

namespace {

// A request to the window manager about a window, as a pager sends it.
void askWindowManager(Display* display, unsigned long window, const char* request, long first, long second)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, request, 0);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    XSendEvent(display, DefaultRootWindow(display), 0, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display, 0);
}

} // namespace

void XSession::closeByFrame(unsigned long window) const
{
    askWindowManager(d->display, window, "_NET_CLOSE_WINDOW", CurrentTime, 2);  // 2: a user's click
}

void XSession::activate(unsigned long window) const
{
    askWindowManager(d->display, window, "_NET_ACTIVE_WINDOW", 2, CurrentTime);
}

unsigned long XSession::activeWindow() const
{
    const Atom property = XInternAtom(d->display, "_NET_ACTIVE_WINDOW", 0);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    unsigned long active = 0;
    if (XGetWindowProperty(d->display, DefaultRootWindow(d->display), property, 0, 1, 0, XA_WINDOW, &type, &format,
                           &items, &after, &data)
            == Success
        && data) {
        if (format == 32 && items == 1)
            active = *reinterpret_cast<unsigned long*>(data);
        XFree(data);
    }
    return active;
}

QRect XSession::geometry(unsigned long window) const
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(d->display, window, &attributes))
        return QRect();
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(d->display, window, DefaultRootWindow(d->display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

bool XSession::isViewable(unsigned long window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(d->display, window, &attributes) && attributes.map_state == IsViewable;
}

qint64 XSession::windowPid(unsigned long window) const
{
    return windowProcess(d->display, window);
}

QString XSession::windowClass(unsigned long window) const
{
    XClassHint hint{};
    if (!XGetClassHint(d->display, window, &hint))
        return QString();
    const QString name = QString::fromLatin1(hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

QImage XSession::grab(unsigned long window) const
{
    return grab(window, QRect(QPoint(0, 0), geometry(window).size()));
}

QImage XSession::grab(unsigned long window, const QRect& part) const
{
    // Read from the root window: what the screen shows there, covers included.
    const QRect placed = geometry(window);
    const QRect area = part.translated(placed.topLeft()).intersected(placed).intersected(QRect(QPoint(0, 0), screenSize()));
    if (area.isEmpty() || !isViewable(window))
        return QImage();
    XImage* image = XGetImage(d->display, DefaultRootWindow(d->display), area.x(), area.y(),
                              static_cast<unsigned>(area.width()), static_cast<unsigned>(area.height()), AllPlanes,
                              ZPixmap);
    if (!image)
        return QImage();
    QImage result(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            line[x] = qRgb(static_cast<int>((pixel & image->red_mask) >> 16),
                           static_cast<int>((pixel & image->green_mask) >> 8),
                           static_cast<int>(pixel & image->blue_mask));
        }
    }
    XDestroyImage(image);
    return result;
}

void XSession::moveResize(unsigned long window, const QRect& area) const
{
    XMoveResizeWindow(d->display, window, area.x(), area.y(), static_cast<unsigned>(area.width()),
                      static_cast<unsigned>(area.height()));
    XSync(d->display, 0);
}

bool XSession::sendKey(unsigned long window, const char* key) const
{
    // No window manager: give the window the focus ourselves.
    XSetInputFocus(d->display, window, RevertToParent, CurrentTime);
    return pressKey(key);
}

bool XSession::sendKeyToFocus(const char* key) const
{
    return pressKey(key);
}

bool XSession::pressKey(const char* key) const
{
    const QStringList parts = QString::fromLatin1(key).split(QLatin1Char('+'));
    std::vector<KeyCode> codes;
    for (const QString& part : parts) {
        const QString lower = part.toLower();
        const QByteArray name = lower == QLatin1String("ctrl") ? QByteArrayLiteral("Control_L")
            : lower == QLatin1String("shift")                  ? QByteArrayLiteral("Shift_L")
            : lower == QLatin1String("alt")                    ? QByteArrayLiteral("Alt_L")
                                                               : part.toLatin1();
        const KeySym symbol = XStringToKeysym(name.constData());
        const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(d->display, symbol);
        if (code == 0)
            return false;
        codes.push_back(code);
    }
    for (const KeyCode code : codes)
        XTestFakeKeyEvent(d->display, code, 1, CurrentTime);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code)
        XTestFakeKeyEvent(d->display, *code, 0, CurrentTime);
    XSync(d->display, 0);
    return true;
}

bool XSession::type(unsigned long window, const QString& text) const
{
    for (const QChar c : text) {
        const QByteArray name = c == QLatin1Char(' ') ? QByteArrayLiteral("space")
            : c == QLatin1Char('.')                  ? QByteArrayLiteral("period")
            : c == QLatin1Char('-')                  ? QByteArrayLiteral("minus")
                                                     : QByteArray(1, c.toLatin1());
        if (!sendKey(window, name.constData()))
            return false;
    }
    return true;
}

void XSession::click(unsigned long window, QPoint at) const
{
    XWarpPointer(d->display, 0, window, 0, 0, 0, 0, at.x(), at.y());
    XTestFakeButtonEvent(d->display, 1, 1, CurrentTime);
    XTestFakeButtonEvent(d->display, 1, 0, CurrentTime);
    XSync(d->display, 0);
}
