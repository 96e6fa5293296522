// The game's phases and options panel through the recording front end: what
// the player hears and answers, in order, for each sequence of events.

#include "recording_front_end.h"

#include "board/keyboard.h"

#include <QTest>

#include <map>


using namespace velmora;

using Journal = std::vector<std::string>;

Q_DECLARE_METATYPE(Journal)

// Where a sequence of events leaves the game: what the front end was asked,
// in order, the clock, the Options item and the read-out.
struct Phase {
    Journal journal;
    bool clock;
    bool options;
    std::string readout;
};
Q_DECLARE_METATYPE(Phase)

namespace {

Journal operator+(Journal first, const Journal& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Runs a script of events: "start", "tick 3", "won" (the last drop's end),
// "options", "time 20" / "level 5" (typed), "up time", "down level", "apply",
// "exit", "about", "ok" (the About's, its Esc or its close box), "close" (the
// main window by its frame).
// After each event the ring sounds out and every box is closed, unless the
// script ends in "wait".
void play(TestGame& test, const QString& script)
{
    static const std::map<QString, Command> commands{
        {"start", Command::Start},      {"options", Command::Options},     {"exit", Command::Exit},
        {"about", Command::About},      {"up time", Command::TimeUp},      {"down time", Command::TimeDown},
        {"up level", Command::LevelUp}, {"down level", Command::LevelDown}, {"apply", Command::Apply},
        {"system info", Command::SystemInfo}, {"ok", Command::CloseAbout}};
    const QStringList steps = script.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& step : steps) {
        const QString trimmed = step.trimmed();
        const QString what = trimmed.section(QLatin1Char(' '), 0, 0);
        const QString argument = trimmed.section(QLatin1Char(' '), 1);
        if (commands.count(trimmed))
            test.game.command(commands.at(trimmed));
        else if (trimmed == "close")
            QVERIFY(test.game.closeWindow());
        else if (what == "tick")
            test.ticks(argument.toInt());
        else if (what == "won")
            test.game.EndGameWon();  // as the rules run it after the last drop
        else if (what == "time")
            test.frontEnd.texts[OptionBox::TimeLimit] = argument.toStdString();
        else if (what == "level")
            test.frontEnd.texts[OptionBox::DiskCount] = argument.toStdString();
        else if (what != "wait")
            qFatal("unknown step %s", qPrintable(step));
        if (steps.last().trimmed() != "wait")
            test.settle();
    }
}

const std::string Lost = "box Game Over: Ati pierdut - mai incercati";
const std::string Won = "box Finish ....: Felicitari, ati terminat ... ";
const std::string Unavailable = "box Velmora: System Information Is Unavailable At This Time";
const std::string TimeRefused =
    "box Velmora: Timpul (Time) trebuie sa fie un numar de secunde intre -32768 si 32767, de exemplu 60.";
const std::string LevelRefused =
    "box Velmora: Nivelul (Level) trebuie sa fie un numar de discuri de la 1 la 15, de exemplu 10.";

} // namespace

class TestGamePhases : public QObject {
    Q_OBJECT

private slots:
    void startUp()
    {
        RecordingFrontEnd frontEnd;
        Game game(boardPictures());
        game.attach(frontEnd);
        QVERIFY(game.load());
        QCOMPARE(frontEnd.take(), Journal{"read-out at 0,100"});
        QCOMPARE(game.state().TimeLimit, 60);  // the texts and the disks: the kept pictures of the e2e tests
        QCOMPARE(game.sprite().left(), 115.5f);  // half of the 83-pixel cursor box is not rounded
        QCOMPARE(frontEnd.spriteX, 116);         // but shown at the nearest pixel, halves to even
        QVERIFY(!game.clockRunning());
        // Keys act only while a game runs.
        const GameState before = game.state();
        for (const std::int16_t key : {KeyCodeSpace, KeyCodeLeft, KeyCodeRight})
            game.keyDown(key);
        QVERIFY(game.state() == before);
    }

    // Each row: events after start-up, then what the front end was asked, in
    // order, and where the clock, the two menu items and the read-out end.
    void phases_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<Phase>("end");
        const Journal started{"clock on", "options off", "read-out at 471,490"};
        const auto after = [&](const Journal& more) { return started + more; };
        QTest::newRow("start; Optiuni greyed does nothing") << "start, options" << Phase{started, true, false, ""};
        QTest::newRow("lost at the limit: both cues, then the box, then the menus, then the clock")
            << "start, tick 60"
            << Phase{after({"cue time up", "cue lose", Lost, "box closed", "start on", "options on", "clock off"}),
                     false, true, "60"};
        QTest::newRow("won: the clock stops before the box, options come back first")
            << "start, tick 42, won"
            << Phase{after({"cue win", "clock off", Won, "box closed", "options on", "start on"}), false, true, "42"};
        QTest::newRow("a start during a game starts afresh; the read-out waits for a tick")
            << "start, tick 5, start" << Phase{after(started), true, false, "5"};
        QTest::newRow("a start during a game counts from 0 again")
            << "start, tick 5, start, tick 1" << Phase{after(started), true, false, "1"};
        QTest::newRow("the count stops at 32767 and never wraps; a limit of 0 is never met")
            << "time 0, apply, start, tick 32770"
            << Phase{Journal{"read-out at 471,490", "panel hidden", "start on"} + started, true, false, "32767"};
        QTest::newRow("Ok during a game keeps the clock; a limit already behind never ends it")
            << "options, start, tick 25, time 20, level 5, apply, tick 100"
            << Phase{Journal{"panel shown"} + after({"read-out at 471,490", "panel hidden", "start on"}), true, false,
                     "125"};
        QTest::newRow("exit") << "start, exit" << Phase{after({"clock off", "quit 0"}), false, false, ""};
        QTest::newRow("System Info without the tool: the message, then the About again")
            << "about, system info" << Phase{{"about", Unavailable, "box closed", "about forward"}, false, true, ""};
        QTest::newRow("About during a game, one for two Desprees, loaded again once closed")
            << "start, tick 1, about, about, ok, about, tick 1"
            << Phase{after({"about", "about forward", "about closed", "about"}), true, false, "2"};
        QTest::newRow("the main window closed by its frame ends the clock and the program")
            << "start, close" << Phase{after({"clock off", "quit 0"}), false, false, ""};
        QTest::newRow("an About left open keeps the program until it is closed too")
            << "start, about, close, system info, ok"
            << Phase{after({"about", "clock off", Unavailable, "box closed", "about forward", "about closed", "quit 0"}),
                     false, false, ""};
    }

    void phases()
    {
        QFETCH(QString, script);
        QFETCH(Phase, end);
        TestGame test;
        play(test, script);
        QCOMPARE(test.frontEnd.take(), end.journal);
        QCOMPARE(test.game.clockRunning(), end.clock);
        QCOMPARE(test.frontEnd.clock, end.clock);
        QCOMPARE(test.frontEnd.optionsEnabled, end.options);
        QCOMPARE(test.frontEnd.readout, end.readout);
    }

    // While the ring sounds, the game is held: keys and commands are
    // dropped, and the ticks that fall due come as one once it has ended,
    // under the box. Under the box ticks count on, no second box opens, and
    // keys, commands and the window's close button do nothing.
    void whileTheGameWaits()
    {
        TestGame test;
        play(test, "time 3, apply");
        test.frontEnd.take();
        play(test, "start, tick 3, wait");
        QVERIFY(test.frontEnd.ringing);
        const GameState ringing = test.state();
        test.ticks(3);
        test.game.keyDown(KeyCodeSpace);
        test.game.boardPressed(835, 300);  // over tower 3
        play(test, "start, options, exit, wait");
        QVERIFY(!test.game.closeWindow());  // the frame's close button too
        QVERIFY(test.state() == ringing);
        QCOMPARE(test.frontEnd.take(), (Journal{"clock on", "options off", "read-out at 471,490", "cue time up"}));
        test.frontEnd.ringing = false;
        test.game.cueEnded();
        QCOMPARE(test.frontEnd.readout, std::string("4"));  // the one tick that fell due
        test.ticks(2);
        test.game.keyDown(KeyCodeSpace);
        play(test, "start, options, about, exit, wait");
        QCOMPARE(test.frontEnd.take(), (Journal{"cue lose", Lost}));
        QCOMPARE(test.frontEnd.readout, std::string("6"));
        QCOMPARE(test.state().Holding, BooleanFalse);
        QVERIFY(!test.game.closeWindow());
        test.settle();
        QCOMPARE(test.frontEnd.take(), (Journal{"box closed", "start on", "options on", "clock off"}));
    }

    // Told only while a screen reader listens, and only when it changed; a

    // A box the player had open before the ring (System Info's message) is
    // closed while it sounds: what follows that box runs, not what follows
    // the Game Over box that the ring still keeps back.
    void aBoxClosedWhileTheRingSounds()
    {
        TestGame test;
        play(test, "time 3, apply, start, tick 2, about, system info, wait");
        play(test, "tick 1, wait");
        QVERIFY(test.frontEnd.ringing);
        test.frontEnd.take();
        test.game.messageClosed();
        QCOMPARE(test.frontEnd.take(), (Journal{"about forward"}));
        test.frontEnd.ringing = false;
        test.game.cueEnded();
        QCOMPARE(test.frontEnd.take(), (Journal{"cue lose", Lost}));
        QVERIFY(test.game.clockRunning());  // the clock runs on under the box
    }
    // new game's board always, the same as before or not.
    void theBoardInWords()
    {
        TestGame test;
        play(test, "start, tick 1");
        QVERIFY(test.frontEnd.described.empty());
        test.game.setScreenReader(true);
        test.press(KeyCodeSpace);
        test.ticks(3);
        play(test, "start, start");
        const std::string start = "Tower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9, 10. Tower 2: empty. Tower 3: empty. "
                                  "The cursor is over tower 1. No disk in hand.";
        QCOMPARE(test.frontEnd.described,
                 (Journal{start,
                          "Tower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9. Tower 2: empty. Tower 3: empty. "
                          "The cursor is over tower 1. Disk 10 is in hand.",
                          start, start}));
    }

    // Nothing in play reaches a failed check; a command by a number past the
    // table is what a page could hand over. (A reset of no disks, the other
    // check a handler can fail, is the rules' test.)
    void aFailedCheckIsReportedAndEndsTheProgram()
    {
        TestGame test;
        play(test, "start");
        test.game.command(static_cast<Command>(static_cast<int>(Command::CloseAbout) + 1));
        test.settle();
        const Journal journal = test.frontEnd.take();
        QCOMPARE(Journal(journal.end() - 4, journal.end()),
                 (Journal{"clock off", "failure Run-time error '9':\n\nSubscript out of range", "box closed", "quit 1"}));
        QCOMPARE(test.state().TowerCount(1), 10);  // the board was left as it was
        play(test, "start, tick 1, options, exit");  // nothing runs any more
        QVERIFY(test.frontEnd.take().empty());
    }
};

class TestOptionsPanel : public QObject {
    Q_OBJECT

private slots:
    // Each button adds its step and wraps at exactly one value past its range;
    // text that is no number is refused, kept and selected ("refused").
    void stepButtons_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("seen");

        QTest::newRow("time down to 30, then round") << "60" << "down time" << QStringList{"50", "40", "30", "1500"};
        QTest::newRow("time up past 1500") << "1490" << "up time" << QStringList{"1500", "30", "40"};
        QTest::newRow("level up past 10") << "9" << "up level" << QStringList{"10", "4", "5"};
        QTest::newRow("level down past 4") << "5" << "down level" << QStringList{"4", "10", "9"};
        QTest::newRow("off the grid: no wrap") << "35" << "down time" << QStringList{"25", "15", "5", "-5"};
        QTest::newRow("a fraction steps on") << " 60.5 " << "up time" << QStringList{"70.5", "80.5"};
        // What a step writes, the next step reads: never an exponent.
        QTest::newRow("past 15 digits") << "999999999999999" << "up time"
                                        << QStringList{"1000000000000010", "1000000000000020"};
        QTest::newRow("a tiny fraction") << "-9.99999" << "up time" << QStringList{"0.00000999999999962142", "10.00001"};
        const QString huge = "1" + QString(300, QLatin1Char('0'));
        QTest::newRow("301 digits") << huge << "down level" << QStringList{huge, huge};
        QTest::newRow("time zece") << "zece" << "up time" << QStringList{"zece refused"};
        QTest::newRow("level -") << "-" << "down level" << QStringList{"- refused"};
    }

    void stepButtons()
    {
        QFETCH(QString, start);
        QFETCH(QString, button);
        QFETCH(QStringList, seen);
        TestGame test;
        const OptionBox box = button.endsWith("time") ? OptionBox::TimeLimit : OptionBox::DiskCount;
        test.frontEnd.texts[box] = start.toStdString();
        QStringList texts;
        const bool time = box == OptionBox::TimeLimit;
        const Journal refused{time ? TimeRefused : LevelRefused, "box closed", time ? "select time" : "select level"};
        for (qsizetype i = 0; i < seen.size(); ++i) {
            play(test, button);
            const Journal journal = test.frontEnd.take();
            QVERIFY(journal.empty() || journal == refused);
            texts << QString::fromStdString(test.frontEnd.texts[box]) + (journal.empty() ? "" : " refused");
        }
        QCOMPARE(texts, seen);
    }

    // Ok applies both values (halves to even) or refuses the first bad one;
    // a refusal changes nothing, not even the typed text.
    void apply_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("result");  // the limit and the disks, or the box refused
        QTest::newRow("7 disks") << "60" << "7" << "60 7";
        QTest::newRow("60.5 to 60") << "60.5" << "10" << "60 10";
        QTest::newRow("61.5 to 62") << "61.5" << "10" << "62 10";
        QTest::newRow("15 disks, only by typing") << "+90" << "15" << "90 15";
        QTest::newRow("negative limit") << "-30" << "4.5" << "-30 4";
        QTest::newRow("limit 32767") << "32767" << "10" << "32767 10";
        QTest::newRow("level with an exponent") << "60" << ".5e1" << "level";
        QTest::newRow("time abc") << "abc" << "10" << "time";
        QTest::newRow("time 32767.5") << "32767.5" << "10" << "time";
        QTest::newRow("time 0x10") << "0x10" << "10" << "time";
        QTest::newRow("bad time and bad level: time first") << "x" << "99" << "time";
        QTest::newRow("level 0") << "60" << "0" << "level";
        QTest::newRow("level 16") << "60" << "16" << "level";
    }

    void apply()
    {
        QFETCH(QString, time);
        QFETCH(QString, level);
        QFETCH(QString, result);
        TestGame test;
        play(test, "options, start, tick 1");  // a game in progress, panel open
        test.game.keyDown(KeyCodeSpace);    // a disk in hand
        const GameState before = test.state();
        test.frontEnd.texts[OptionBox::TimeLimit] = time.toStdString();
        test.frontEnd.texts[OptionBox::DiskCount] = level.toStdString();
        test.frontEnd.take();
        play(test, "apply");
        const Journal journal = test.frontEnd.take();
        if (result.contains(' ')) {
            QCOMPARE(journal, (Journal{"read-out at 471,490", "panel hidden", "start on"}));
            const GameState& state = test.state();
            QCOMPARE(QStringLiteral("%1 %2").arg(state.TimeLimit).arg(state.DiskCount), result);
            QCOMPARE(state.TowerCount(1), state.DiskCount);
            QCOMPARE(state.Holding, BooleanFalse);
        } else {
            const bool timeRefused = result == "time";
            QCOMPARE(journal, (Journal{timeRefused ? TimeRefused : LevelRefused, "box closed",
                                       timeRefused ? "select time" : "select level"}));
            QVERIFY(test.state() == before);  // the panel still shown: the journal did not hide it
        }
        QVERIFY(test.game.clockRunning());
        QCOMPARE(QString::fromStdString(test.frontEnd.texts[OptionBox::TimeLimit]), time);
        QCOMPARE(QString::fromStdString(test.frontEnd.texts[OptionBox::DiskCount]), level);
    }
};

int main(int argc, char** argv)
{
    TestGamePhases phases;
    TestOptionsPanel options;
    return QTest::qExec(&phases, argc, argv) | QTest::qExec(&options, argc, argv);
}

#include "tst_game.moc"
