#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QTest>

#include <functional>

// Polls condition until it holds or timeoutMs pass; whether it held.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    return QTest::qWaitFor(condition, timeoutMs);
}
// Whether condition keeps holding for the whole of spanMs.
inline bool holdsFor(const std::function<bool()>& condition, int spanMs)
{
    return !waitFor([&] { return !condition(); }, spanMs);
}

// The X server in DISPLAY (started by x_session.sh), driven through libxdo as
// a person would: real keys and clicks, windows found by title, and each
// window read back as the screen shows it. Window ids are plain numbers.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool isOpen() const { return xdo_ != nullptr; }
    QSize screenSize() const;

    // The viewable windows with exactly this title, of the given process if
    // pid is not 0.
    QList<unsigned long> windows(const QString& title, qint64 pid = 0) const;
    // The first of them, waiting up to timeoutMs; 0 if none came.
    unsigned long findWindow(const QString& title, int timeoutMs, qint64 pid = 0) const;
    QRect geometry(unsigned long window) const;  // position on the screen and size
    bool isViewable(unsigned long window) const;
    qint64 windowPid(unsigned long window) const;     // _NET_WM_PID; 0 if unknown

    // The window's area of the screen, or a part of it (window coordinates).
    QImage grab(unsigned long window) const;
    QImage grab(unsigned long window, const QRect& part) const;

    void moveResize(unsigned long window, const QRect& area) const;
    // Lays a plain window over the window and takes it away again, as another
    // program's window passing over it would: the window must repaint what
    // it uncovered.
    void passOver(unsigned long window) const;
    // Asks the window manager to close the window, as its frame's button does.
    void closeByFrame(unsigned long window) const;
    // Asks the window manager to activate the window, as a click on it would.
    void activate(unsigned long window) const;
    unsigned long activeWindow() const;
    // The managed window stacked over all others (the window manager's list).
    unsigned long topWindow() const;

    // A key sequence such as "F4", "ctrl+o" or "shift+Right", pressed and
    // released with the window focused, or on whatever has the keyboard now.
    // (delayUs between the key events: a benchmark asks for none.)
    bool sendKey(unsigned long window, const char* keys, unsigned delayUs = 12000) const;
    bool sendKeyToFocus(const char* keys, unsigned delayUs = 12000) const;
    bool type(unsigned long window, const QString& text) const;
    void click(unsigned long window, QPoint at) const;
    // The pointer to the screen's top left corner, away from every window.
    void parkPointer() const;

private:
    struct xdo* xdo_ = nullptr;
};
