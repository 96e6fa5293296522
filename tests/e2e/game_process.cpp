#include "game_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

GameProcess::~GameProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QStringList GameProcess::command()
{
    const QString command = qEnvironmentVariable("VELMORA_TEST_COMMAND");
    if (command.isEmpty())
        return {QStringLiteral(VELMORA_EXECUTABLE)};
    return command.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString GameProcess::boardWords()
{
    QProcess reader;
    if (windowsBuild()) {
        const QString probe = qEnvironmentVariable("VELMORA_ACCESSIBILITY_PROBE",
            QFileInfo(command().constLast()).dir().filePath(QStringLiteral("accessibility_probe.exe")));
        reader.start(command().constFirst(), {probe});
    } else {
        reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(VELMORA_BOARD_WORDS)});
    }
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
        return {};
    const QString said = QString::fromUtf8(reader.readAllStandardOutput()).remove(QLatin1Char('\r'));
    if (!windowsBuild())
        return said.trimmed();
    for (const QString& line : said.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Board\t")))
            return line.mid(6);
    return {};
}

QStringList GameProcess::copyInto(const QString& folder)
{
    QStringList copy = command();
    const QFileInfo program(copy.last());
    for (const QString& name : {program.fileName(), QStringLiteral("libvelmora_sound_sdl.so")})
        QFile::copy(program.dir().filePath(name), QDir(folder).filePath(name));
    copy.last() = QDir(folder).filePath(program.fileName());
    return copy;
}

bool GameProcess::start(const QStringList& command, QProcessEnvironment environment)
{
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("pulseaudio"));
    if (scale_ != 1)
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale_));
    // In the sanitizer build, the leak check at the end of a whole Qt program
    // now and then reports what Qt's D-Bus thread still holds, and fails the
    // exit. Our own code is leak-checked in-process by the unit tests; here
    // the other checks stay on.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") + QStringLiteral("detect_leaks=0"));
    // The Linux build tells a screen reader the board where the session has
    // an accessibility bus: one is made sure of before the game looks for it.
    if (!windowsBuild() && environment.contains(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"))) {
        environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        QProcess::execute(QStringLiteral("/usr/bin/python3"), {QStringLiteral(VELMORA_BOARD_WORDS), QStringLiteral("--start")});
    }
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    const bool handsOver = command.join(QLatin1Char(' ')).contains(QLatin1String(".exe"));
    // Under Wine the screen's density is the prefix's LogPixels, read when a
    // program starts: set for this one, and set back once its window shows.
    const auto density = [&](int dpi) {
        QProcess::execute(command.first(), {QStringLiteral("reg"), QStringLiteral("add"),
                                            QStringLiteral("HKCU\\Control Panel\\Desktop"), QStringLiteral("/v"),
                                            QStringLiteral("LogPixels"), QStringLiteral("/t"), QStringLiteral("REG_DWORD"),
                                            QStringLiteral("/d"), QString::number(dpi), QStringLiteral("/f")});
    };
    if (handsOver && scale_ != 1)
        density(96 * scale_);
    // A program under Wine is not the process started: its window is the
    // one titled "Form1" that was not there before.
    const QList<unsigned long> before = handsOver ? x_.windows(QStringLiteral("Form1")) : QList<unsigned long>{};
    process_.start(command.first(), command.mid(1));
    if (!process_.waitForStarted(10000))
        return false;
    window_ = 0;
    waitFor([&] {
        for (const unsigned long window : x_.windows(QStringLiteral("Form1"), handsOver ? 0 : process_.processId()))
            if (!before.contains(window))
                window_ = window;
        return window_ != 0;
    }, 60000);
    if (handsOver && scale_ != 1)
        density(96);
    if (!window_)
        return false;
    pid_ = handsOver ? x_.windowPid(window_) : process_.processId();
    menuHeight_ = x_.geometry(window_).height() - ClientHeight * scale_;
    // Ready once the board is drawn: tower 2's peg black on the dark yellow
    // board (a window not painted yet is all black).
    return waitFor([this] {
        const QImage peg = client(QRect(466 * scale_, 200 * scale_, 6 * scale_, 1));
        return !peg.isNull() && peg.pixel(peg.width() - 1, 0) == probe::Black
            && peg.pixel(0, 0) == probe::Background;
    });
}

QImage GameProcess::client() const
{
    return client(QRect(0, 0, ClientWidth * scale_, ClientHeight * scale_));
}

QImage GameProcess::client(const QRect& part) const
{
    return x_.grab(window_, part.translated(0, menuHeight_));
}

bool GameProcess::clickChanging(QPoint inClient, const QRect& watched) const
{
    // Nothing else may change the part meanwhile (a blinking caret would pass
    // for the click's work): it must first stand still for 600 ms.
    QImage before;
    if (!waitFor([&] {
            before = client(watched);
            return holdsFor([&] { return client(watched) == before; }, 600);
        }))
        return false;
    click(inClient);
    return waitFor([&] { return client(watched) != before; });
}

bool GameProcess::closeBox(unsigned long box) const
{
    if (!x_.sendKey(box, "Return") || !waitFor([&] { return !x_.isViewable(box); }))
        return false;
    // Under a window manager, closed once it has made the main window active again.
    return !x_.activeWindow() || waitFor([&] { return x_.activeWindow() == window_; });
}

bool GameProcess::endsNormally(int timeoutMs)
{
    if (!process_.waitForFinished(timeoutMs)) {
        qWarning("the program is still running after %d ms", timeoutMs);
        return false;
    }
    if (process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0)
        return true;
    qWarning("the program ended %s with status %d", process_.exitStatus() == QProcess::CrashExit ? "by a crash" : "",
             process_.exitCode());
    return false;
}

bool looksAsKept(const std::function<QImage()>& grab, const QString& name)
{
    const QString windows = name + QStringLiteral("_windows.png");
    const QString file = GameProcess::windowsBuild() && QFile::exists(QStringLiteral(VELMORA_PICTURES_DIR "/") + windows)
        ? windows
        : name + QStringLiteral(".png");
    const QImage kept(QStringLiteral(VELMORA_PICTURES_DIR "/") + file);
    QImage shown;
    const bool same = waitFor([&] {
        shown = grab();
        return !kept.isNull() && shown == kept.convertToFormat(shown.format());
    }, 3000);
    shown.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_") + file));
    return same;
}

namespace probe {

int count(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& matches)
{
    int found = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            found += matches(image.pixel(x, y)) ? 1 : 0;
    return found;
}

bool isGrey(QRgb pixel)
{
    const int r = qRed(pixel);
    return r > 90 && r < 245 && std::abs(r - qGreen(pixel)) < 12 && std::abs(r - qBlue(pixel)) < 12;
}

QRect spriteOver(int tower)
{
    return QRect(116 + 314 * (tower - 1) + 2, 22, 77, 76);
}

bool cursorOver(const QImage& board, int tower)
{
    return count(board, spriteOver(tower), isGreen) > 1500;
}

bool diskInHandOver(const QImage& board, int tower)
{
    return count(board, spriteOver(tower), isGrey) > 1500;
}

QRect panelArea()
{
    const velmora::Rect& rect = velmora::mainWindow().panel.rect;
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

QRect panelControl(const QString& name)
{
    for (const velmora::ControlDescription& control : velmora::mainWindow().panelControls) {
        const std::string& named = *control.accessibleName ? control.accessibleName : control.caption;
        if ((control.command || control.box) && QString::fromStdString(named) == name)
            return QRect(control.rect.left, control.rect.top, control.rect.width, control.rect.height)
                .translated(panelArea().topLeft());
    }
    return QRect();
}

bool panelShown(const QImage& board)
{
    return !board.isNull() && board.pixel(15, 590) == PanelBlue;
}

} // namespace probe
