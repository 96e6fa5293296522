// The game without any of its wave files beside it: it starts, shows its
// board, and ends normally on F4 ("Exit"), pressed as a real key.

#include "x_session.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestEndToEndNoSounds : public QObject {
    Q_OBJECT

private slots:
    void runsAndExitsWithoutWaveFiles()
    {
        XSession x;
        QString reason;
        QVERIFY2(x.open(&reason), qPrintable(reason));

        // A folder holding the program alone: no wave file anywhere beside it.
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString program = folder.filePath(QStringLiteral("velmora"));
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_EXECUTABLE), program));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
        QVERIFY(QDir(folder.path()).entryList({QStringLiteral("*.wav")}, QDir::Files).isEmpty());

        QProcess game;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), x.displayName());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        game.setProcessEnvironment(environment);
        game.setProcessChannelMode(QProcess::ForwardedChannels);
        game.start(program, {});
        QVERIFY(game.waitForStarted(10000));
        const unsigned long window = x.findWindow(QStringLiteral("Form1"), 20000);
        QVERIFY2(window != 0, "no window titled Form1 appeared");
        QVERIFY(game.state() == QProcess::Running);

        QVERIFY(x.sendKey(window, "F4"));
        QVERIFY2(game.waitForFinished(10000), "F4 did not end the game");
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestEndToEndNoSounds)
#include "tst_e2e_no_sounds.moc"
