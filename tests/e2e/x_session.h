#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>

#include <memory>

// A connection to a real X server for end-to-end tests: the one in DISPLAY,
// or an Xvfb of its own when there is none. Keeps Xlib's macros out of the
// tests. Window ids are plain numbers.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Connects, starting Xvfb if needed; false with a reason when impossible.
    bool open(QString* reason);
    // An Xvfb of its own, with a screen of the given size.
    bool openOwn(QString* reason, QSize screen);
    // An Xvfb of its own with a real window manager (openbox) on it, for what
    // only a desktop does: frames, close buttons, activation.
    bool openWithWindowManager(QString* reason);
    QString displayName() const { return displayName_; }
    QSize screenSize() const;

    // The first viewable top-level window with this title (inside the window
    // manager's frame, if there is one), waiting up to
    // timeoutMs; with a process id, only a window of that process.
    unsigned long findWindow(const QString& title, int timeoutMs, qint64 pid = 0) const;
    QRect geometry(unsigned long window) const;  // position on the screen and size
    bool isViewable(unsigned long window) const;
    // The class part of the window's WM_CLASS, which docks match with
    // launcher entries.
    QString windowClass(unsigned long window) const;
    // The process that made the window (_NET_WM_PID); 0 if unknown.
    qint64 windowPid(unsigned long window) const;

    // The window's area of the screen, as the screen shows it.
    QImage grab(unsigned long window) const;
    // Only the given part of the window (in window coordinates): much quicker.
    QImage grab(unsigned long window, const QRect& part) const;

    void moveResize(unsigned long window, const QRect& area) const;

    // Asks the window manager to close the window, as its frame's close
    // button does.
    void closeByFrame(unsigned long window) const;
    // Asks the window manager to activate the window, as a click on it would.
    void activate(unsigned long window) const;
    // The window the window manager says is active; 0 if none.
    unsigned long activeWindow() const;

    // A real key press and release through XTest, with the window focused.
    // key is an X keysym name ("F4", "Left", "space"), with modifiers before
    // it joined by '+' ("ctrl+o", "shift+Right").
    bool sendKey(unsigned long window, const char* key) const;
    // The same, to whatever window has the keyboard now.
    bool sendKeyToFocus(const char* key) const;
    // Types each character of text as its own key.
    bool type(unsigned long window, const QString& text) const;
    // A real left click at a point of the window.
    void click(unsigned long window, QPoint at) const;

private:
    bool startXvfb(QString* reason, QSize screen = QSize(1280, 1024));
    bool pressKey(const char* key) const;

    struct Private;
    std::unique_ptr<Private> d;
    QString displayName_;
    QProcess xvfb_;
    QProcess windowManager_;
};
