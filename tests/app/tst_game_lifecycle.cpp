#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;

namespace {

// Everything the window does that the player hears or sees in a box, in order.
struct Journal {
    QStringList events;
};

class JournalPlayer : public SoundPlayer {
public:
    explicit JournalPlayer(Journal& journal) : journal_(journal) {}
    void play(const std::string& path, std::uint32_t flags) override
    {
        const QString name = QString::fromStdString(path).section(QLatin1Char('/'), -1);
        journal_.events << QStringLiteral("cue %1 %2").arg(name, flags == SoundSync ? "sync" : "async");
    }

private:
    Journal& journal_;
};

// A loaded window whose cues and message boxes go to a journal. While a box
// is "open", duringBox runs (ticks arriving meanwhile, say).
struct Game {
    Journal journal;
    std::unique_ptr<Form1> window = std::make_unique<Form1>();
    std::function<void()> duringBox;
    bool timerRanInBox = false;
    bool optionsEnabledInBox = false;

    Game()
    {
        window->setSoundPlayer(std::make_unique<JournalPlayer>(journal));
        window->setMessageBox([this](const QString& prompt, const QString& title) {
            journal.events << QStringLiteral("box %1 | %2").arg(prompt, title);
            timerRanInBox = window->Timer1->isActive();
            optionsEnabledInBox = window->mOptiuni->isEnabled();
            if (duringBox)
                duringBox();
            journal.events << QStringLiteral("box closed");
        });
        window->load();
    }

    Form1& operator*() { return *window; }
    Form1* operator->() { return window.get(); }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            window->Timer1_Timer();
    }
};

} // namespace

class TestGameLifecycle : public QObject {
    Q_OBJECT

private slots:
    void startUpWaitsForStartJoc()
    {
        Game game;
        QVERIFY(!game->Timer1->isActive());
        QVERIFY(game->mStart->isEnabled());
        QVERIFY(game->mOptiuni->isEnabled());
        QCOMPARE(game->state().Finished, BooleanFalse);
        QCOMPARE(game->state().ElapsedSeconds, 0);
        QCOMPARE(game->Label3->text(), QString());
        QVERIFY(game.journal.events.isEmpty());
    }

    void startJocStartsTheClockOnAFreshBoard()
    {
        Game game;
        game->state().Finished = BooleanTrue;
        game->state().TowerCount(1) = 3;
        game->mStart->trigger();

        QVERIFY(game->Timer1->isActive());
        QCOMPARE(game->Timer1->interval(), 1000);
        QVERIFY(game->mStart->isEnabled());
        QVERIFY(!game->mOptiuni->isEnabled());
        QCOMPARE(game->state().Finished, BooleanFalse);
        QCOMPARE(game->state().ElapsedSeconds, 0);
        QCOMPARE(game->state().TowerCount(1), 10);
        QCOMPARE(game->FontSize(), 16.0f);
        // Under tower 2 now, from the geometry of the load.
        QCOMPARE(game->Label3->pos(), QPoint(471, 490));
        QCOMPARE(game->Label3->text(), QString());
    }

    void eachTickShowsTheCount()
    {
        Game game;
        game->mStart->trigger();
        game.ticks(1);
        QCOMPARE(game->Label3->text(), QStringLiteral("1"));
        const int narrow = game->Label3->width();
        game.ticks(9);
        QCOMPARE(game->Label3->text(), QStringLiteral("10"));
        QVERIFY(game->Label3->width() > narrow);  // the label sizes itself to its text
        QCOMPARE(game->Label3->x(), 471);
        QVERIFY(game.journal.events.isEmpty());
    }

    void timeUpPlaysBothCuesThenTheBoxWhileTheClockCountsOn()
    {
        Game game;
        game->mStart->trigger();
        game.duringBox = [&game] { game.ticks(2); };  // two seconds pass while the box is open
        game.ticks(59);
        QVERIFY(game.journal.events.isEmpty());
        game.ticks(1);

        const QStringList expected{QStringLiteral("cue riiiing.wav sync"), QStringLiteral("cue Error.wav async"),
                                   QStringLiteral("box Ati pierdut - mai incercati | Game Over"),
                                   QStringLiteral("box closed")};
        QCOMPARE(game.journal.events, expected);  // the nested ticks opened no second box
        QVERIFY(game.timerRanInBox);
        QVERIFY(!game.optionsEnabledInBox);
        QCOMPARE(game->Label3->text(), QStringLiteral("62"));

        QVERIFY(!game->Timer1->isActive());
        QVERIFY(game->mStart->isEnabled());
        QVERIFY(game->mOptiuni->isEnabled());
        QCOMPARE(game->state().Finished, BooleanFalse);
    }

    void wonGameStopsTheClockBeforeItsBox()
    {
        Game game;
        game->mStart->trigger();
        game.ticks(42);
        game->state().Finished = BooleanTrue;  // as the last drop on tower 3 leaves it
        game->EndGameWon();

        const QStringList expected{QStringLiteral("cue Yahoo_ring_03.wav async"),
                                   QStringLiteral("box Felicitari, ati terminat ...  | Finish ...."),
                                   QStringLiteral("box closed")};
        QCOMPARE(game.journal.events, expected);
        QVERIFY(!game.timerRanInBox);
        QVERIFY(!game.optionsEnabledInBox);
        QVERIFY(game->mOptiuni->isEnabled() && game->mStart->isEnabled());
        QCOMPARE(game->Label3->text(), QStringLiteral("42"));
        QCOMPARE(game->state().Finished, BooleanTrue);

        // Only the next start clears the win.
        game->mStart->trigger();
        QCOMPARE(game->state().Finished, BooleanFalse);
    }

    void startJocDuringAGameStartsAfresh()
    {
        Game game;
        game->mStart->trigger();
        game.ticks(5);
        game->mStart->trigger();
        QCOMPARE(game->state().ElapsedSeconds, 0);
        QCOMPARE(game->Label3->text(), QStringLiteral("5"));  // until the next tick
        game.ticks(1);
        QCOMPARE(game->Label3->text(), QStringLiteral("1"));
        QVERIFY(game->Timer1->isActive());
    }

    void theCountStopsAtItsLargestValue()
    {
        Game game;
        game->mStart->trigger();
        game->state().ElapsedSeconds = 32766;
        game.ticks(1);
        QCOMPARE(game->Label3->text(), QStringLiteral("32767"));
        game.ticks(3);  // no overflow, no wrap to a negative count
        QCOMPARE(game->state().ElapsedSeconds, 32767);
        QCOMPARE(game->Label3->text(), QStringLiteral("32767"));
        QVERIFY(game->Timer1->isActive());
        QVERIFY(game.journal.events.isEmpty());
    }

    void realTicksRunNestedInsideTheLostBox()
    {
        // The real clock, made fast: a three-second game lost while the box
        // lets the clock tick on.
        Game game;
        game->state().TimeLimit = 3;
        game->Timer1->setInterval(10);
        std::int16_t countWhenBoxOpened = 0;
        game.duringBox = [&] {
            countWhenBoxOpened = game->state().ElapsedSeconds;
            QEventLoop box;
            QTimer::singleShot(150, &box, &QEventLoop::quit);
            box.exec();
        };
        game->mStart_Click();
        game->Timer1->setInterval(10);
        QTRY_VERIFY_WITH_TIMEOUT(!game->Timer1->isActive(), 5000);

        QCOMPARE(countWhenBoxOpened, 3);
        QVERIFY2(game->state().ElapsedSeconds > 5, qPrintable(game->Label3->text()));
        QCOMPARE(game.journal.events.count(QStringLiteral("box closed")), 1);
        const std::int16_t last = game->state().ElapsedSeconds;
        QTest::qWait(60);
        QCOMPARE(game->state().ElapsedSeconds, last);  // stopped once the box closed
        QCOMPARE(game->Label3->text(), QString::number(last));
    }

    void aFailedCheckIsReportedAndEndsTheProgram()
    {
        // Nothing in play reaches a failed check; forced here, it is reported
        // with the runtime's message and the program ends with status 1.
        // (Last in this file: once the application is told to end, no later
        // event loop of the test program would start.)
        Game game;
        Form1* window = game.window.get();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->state().DiskCount = 0;
        QString report;
        QEventLoop loop;
        QTimer::singleShot(0, window, [&] {
            QTimer::singleShot(50, [&] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    report = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
                    box->close();
                }
            });
            window->mStart->trigger();
        });
        QTimer::singleShot(5000, &loop, [&] { loop.exit(99); });
        QCOMPARE(loop.exec(), 1);
        QCOMPARE(report, QStringLiteral("Run-time error '5':\n\nInvalid procedure call or argument"));
        QCOMPARE(window->state().TowerCount(1), 10);  // the board was left as it was
        // Later events run nothing more.
        window->Timer1->stop();
        QVERIFY(!window->load());
    }
};

QTEST_MAIN(TestGameLifecycle)
#include "tst_game_lifecycle.moc"
