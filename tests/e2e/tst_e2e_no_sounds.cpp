// The game without any of its wave files beside it: it starts, shows its
// board, and ends normally on F4 ("Exit"), pressed as a real key.

#include "game_process.h"

#include <QDir>
#include <QFile>
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

        GameProcess game(x);
        QVERIFY2(game.start(program, QProcessEnvironment::systemEnvironment()), "the game showed no board");
        QVERIFY2(game.exitWithF4(), "F4 did not end the game normally");
    }
};

QTEST_GUILESS_MAIN(TestEndToEndNoSounds)
#include "tst_e2e_no_sounds.moc"
