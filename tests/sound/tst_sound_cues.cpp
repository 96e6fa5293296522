#include "sound/lazy_sound_player.h"
#include "sound/play_sound_cue.h"
#include "sound/sound_cue.h"

#include <QTest>

#include <vector>

using namespace velmora;

namespace {

class RecordingPlayer : public SoundPlayer {
public:
    std::vector<std::pair<std::string, std::uint32_t>> played;
    void play(const std::string& path, std::uint32_t flags) override { played.emplace_back(path, flags); }
};

} // namespace

class TestSoundCues : public QObject {
    Q_OBJECT

private slots:
    void cuePathJoinsWithTheNamesOwnSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("path");
        QTest::newRow("ordinary folder") << "/opt/velmora" << "\\arrow.wav" << "/opt/velmora/arrow.wav";
        QTest::newRow("root keeps both separators") << "/" << "\\arrow.wav" << "//arrow.wav";
        QTest::newRow("capitals kept") << "/games" << "\\Yahoo_ring_03.wav" << "/games/Yahoo_ring_03.wav";
        QTest::newRow("folder with a blank") << "/home/ana/Jocuri noi" << "\\Error.wav"
                                             << "/home/ana/Jocuri noi/Error.wav";
        QTest::newRow("trailing separator not tidied") << "/games/" << "\\riiiing.wav" << "/games//riiiing.wav";
    }

    void cuePathJoinsWithTheNamesOwnSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QString, fileName);
        QFETCH(QString, path);
        QCOMPARE(QString::fromStdString(cuePath(folder.toStdString(), fileName.toStdString())), path);
    }

    void theFiveCues()
    {
        QCOMPARE(CueLift, (SoundCue{"\\arrow.wav", 1}));
        QCOMPARE(CueDrop, (SoundCue{"\\sound12.wav", 1}));
        QCOMPARE(CueWin, (SoundCue{"\\Yahoo_ring_03.wav", 1}));
        QCOMPARE(CueTimeUp, (SoundCue{"\\riiiing.wav", 0}));
        QCOMPARE(CueLose, (SoundCue{"\\Error.wav", 1}));
    }

    void folderIsReadAfreshAtEveryCue()
    {
        RecordingPlayer player;
        int reads = 0;
        const auto folder = [&reads] { return ++reads == 1 ? std::string("/first") : std::string("/moved"); };
        PlaySoundCue(player, folder, CueTimeUp.fileName, CueTimeUp.flags);
        PlaySoundCue(player, folder, CueLift.fileName, CueLift.flags);
        QCOMPARE(reads, 2);
        QCOMPARE(player.played.at(0), (std::pair<std::string, std::uint32_t>{"/first/riiiing.wav", 0}));
        QCOMPARE(player.played.at(1), (std::pair<std::string, std::uint32_t>{"/moved/arrow.wav", 1}));
    }

    void theBackendIsLoadedAtTheFirstCueFromTheProgramsFolder()
    {
        qputenv("SDL_AUDIODRIVER", "dummy");
        int beeps = 0;
        int folderReads = 0;
        LazySoundPlayer player(
            [&folderReads] {
                ++folderReads;
                return std::string(VELMORA_BACKEND_DIR);
            },
            [&beeps] { ++beeps; });
        QVERIFY(!player.loaded());
        QCOMPARE(folderReads, 0);  // nothing loaded at start-up
        QVERIFY(!player.rest());
        player.play("/no/such/cue.wav", SoundSync);  // loads, opens, and falls back
        QVERIFY(player.loaded());
        QCOMPARE(beeps, 1);
        player.play("/no/such/cue.wav", SoundAsync);
        QCOMPARE(folderReads, 1);
        QCOMPARE(beeps, 2);
    }

    void withoutTheBackendEveryCueIsSilent()
    {
        int beeps = 0;
        LazySoundPlayer player([] { return std::string("/nonexistent"); }, [&beeps] { ++beeps; });
        player.play("/no/such/cue.wav", SoundSync);
        QVERIFY(!player.loaded());
        QCOMPARE(beeps, 0);
        QVERIFY(!player.rest());
    }
};

QTEST_GUILESS_MAIN(TestSoundCues)
#include "tst_sound_cues.moc"
