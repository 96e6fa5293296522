// The game as it is installed: the Debian package built, read, unpacked into
// a scratch root, and the program started there and heard.

#include "../sound/pulse_capture.h"
#include "game_process.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSettings>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

const QString BuildDir = QStringLiteral(VELMORA_BUILD_DIR);
const QStringList Waves{"arrow.wav", "sound12.wav", "Yahoo_ring_03.wav", "riiiing.wav", "Error.wav"};

struct Run {
    int exitCode;
    QByteArray output;
};

Run run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment =
                                                                   QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(300000))
        return {-1, "timed out"};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAll()};
}

} // namespace

class TestEndToEndInstall : public QObject {
    Q_OBJECT

private:
    XSession x_;

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(x_.open(&reason), qPrintable(reason));
    }

    // The package holds the program with its waves in a folder of its own,
    // a link among the commands, and a valid launcher entry and AppStream
    // file; unpacked and started through the link, it plays its cues.
    void debianPackageInstallsAndPlays()
    {
        QTemporaryDir output;
        QVERIFY(output.isValid());
        const Run pack = run(QStringLiteral(VELMORA_CPACK),
                             {"-G", "DEB", "-B", output.path(), "--config", BuildDir + "/CPackConfig.cmake"});
        QVERIFY2(pack.exitCode == 0, pack.output.constData());
        const QStringList packages = QDir(output.path()).entryList({QStringLiteral("velmora_*.deb")}, QDir::Files);
        QCOMPARE(packages.size(), 1);
        const QString deb = QDir(output.path()).filePath(packages.first());
        const QByteArray depends = run(QStringLiteral("dpkg-deb"), {"-f", deb, "Depends"}).output;
        for (const char* needed : {"libqt6widgets6", "libsdl2-mixer-2.0-0", "libc6"})
            QVERIFY2(depends.contains(needed), depends.constData());

        QTemporaryDir root;
        QVERIFY(root.isValid());
        QCOMPARE(run(QStringLiteral("dpkg-deb"), {"-x", deb, root.path()}).exitCode, 0);
        const QDir usr(root.filePath(QStringLiteral("usr")));
        for (const QString& wave : Waves)
            QVERIFY2(QFileInfo::exists(usr.filePath("lib/games/velmora/" + wave)), qPrintable(wave));
        const QFileInfo link(usr.filePath(QStringLiteral("games/velmora")));
        QCOMPARE(link.symLinkTarget(), usr.filePath(QStringLiteral("lib/games/velmora/velmora")));
        const Run desktop = run(QStringLiteral("desktop-file-validate"),
                                {usr.filePath(QStringLiteral("share/applications/org.velmora.velmora.desktop"))});
        QVERIFY2(desktop.exitCode == 0 && desktop.output.isEmpty(), desktop.output.constData());
        const Run metainfo = run(QStringLiteral("appstreamcli"),
                                 {"validate", "--pedantic", "--no-net", usr.filePath(QStringLiteral("share/metainfo/org.velmora.velmora.metainfo.xml"))});
        QVERIFY2(metainfo.exitCode == 0 && !metainfo.output.contains(": "), metainfo.output.constData());
        const Run lintian = run(QStringLiteral("lintian"), {"--fail-on", "error,warning", deb});
        QVERIFY2(lintian.exitCode == 0, lintian.output.constData());
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QImage icon(usr.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/org.velmora.velmora.png").arg(size)));
            QCOMPARE(icon.size(), QSize(size, size));
        }
        QVERIFY(QFileInfo::exists(usr.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/org.velmora.velmora.svg"))));
        const Run manual = run(QStringLiteral("man"), {"-l", usr.filePath(QStringLiteral("share/man/man6/velmora.6.gz"))});
        QVERIFY2(manual.exitCode == 0 && manual.output.contains("EXIT STATUS"), manual.output.constData());

        PulseServer pulse;
        QString reason;
        QVERIFY2(pulse.start(&reason), qPrintable(reason));
        QProcessEnvironment withSound = pulse.environment();
        withSound.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("pulseaudio"));
        GameProcess game(x_);
        QVERIFY2(game.start({link.filePath()}, withSound), "the packaged game showed no board");
        // The window names the launcher entry it belongs to, as docks match them.
        QSettings entry(usr.filePath(QStringLiteral("share/applications/org.velmora.velmora.desktop")), QSettings::IniFormat);
        QCOMPARE(x_.windowClass(game.window()), entry.value(QStringLiteral("Desktop Entry/StartupWMClass")).toString());
        SinkRecorder recorder(pulse.fifo());
        QVERIFY(recorder.started());
        QVERIFY(game.key("F2"));
        QVERIFY(game.key("space"));
        QThread::msleep(600);
        const Recording heard = recorder.snapshot();
        const auto sounds = heard.sounds();
        QCOMPARE(sounds.size(), std::size_t{1});
        QVERIFY(heard.crossingsPerSecond(sounds[0].first, sounds[0].second) > 1500);  // the rising whistle
        QVERIFY2(game.exitWithF4(), "F4 did not end the game normally");
    }
};

QTEST_GUILESS_MAIN(TestEndToEndInstall)
#include "tst_e2e_install.moc"
