#include "game_process.h"

#include <QDeadlineTimer>
#include <QThread>

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(30);
    }
    return true;
}

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

bool GameProcess::start(const QStringList& command, QProcessEnvironment environment)
{
    environment.insert(QStringLiteral("DISPLAY"), x_.displayName());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (scale_ != 1)
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale_));
    // In the sanitizer build, the leak check at the end of a whole Qt program
    // now and then reports what Qt's D-Bus thread still holds, and fails the
    // exit. Our own code is leak-checked in-process by the unit and window
    // tests; here the other checks stay on.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") + QStringLiteral("detect_leaks=0"));
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.start(command.first(), command.mid(1));
    if (!process_.waitForStarted(10000))
        return false;
    const bool handsOver = command.join(QLatin1Char(' ')).contains(QLatin1String(".exe"));
    window_ = x_.findWindow(QStringLiteral("Form1"), 30000, handsOver ? 0 : process_.processId());
    if (!window_)
        return false;
    pid_ = handsOver ? x_.windowPid(window_) : process_.processId();
    menuHeight_ = x_.geometry(window_).height() - ClientHeight * scale_;
    // Ready once the board is drawn: tower 2's peg black on the dark yellow
    // board (a window not painted yet is all black).
    return waitFor([this] {
        const QImage peg = client(QRect(466 * scale_, 200 * scale_, 6 * scale_, 1));
        return !peg.isNull() && peg.pixel(peg.width() - 1, 0) == qRgb(0, 0, 0) && peg.pixel(0, 0) == qRgb(192, 192, 0);
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

bool GameProcess::exitWithF4()
{
    return key("F4") && process_.waitForFinished(10000) && process_.exitStatus() == QProcess::NormalExit
        && process_.exitCode() == 0;
}
