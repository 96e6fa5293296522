#include "app/form1.h"
#include "window_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;

namespace {

// A loaded window with its options panel open; message boxes are written down.
struct Panel {
    std::unique_ptr<Form1> window = std::make_unique<Form1>();
    QStringList boxes;

    Panel()
    {
        window->setSoundPlayer(std::make_unique<SilentPlayer>());
        window->setMessageBox([this](const QString& prompt, const QString& title) { boxes << title + ": " + prompt; });
        window->load();
        window->mOptiuni->trigger();
    }

    Form1* operator->() { return window.get(); }

    QStringList clicks(QPushButton* button, int times)
    {
        QStringList texts;
        QLineEdit* box = button == window->Command1 || button == window->Command2 ? window->Text1 : window->Text2;
        for (int i = 0; i < times; ++i) {
            button->click();
            texts << box->text();
        }
        return texts;
    }
};

} // namespace

class TestOptionsPanel : public QObject {
    Q_OBJECT

private slots:
    void optiuniOpensThePanelOnlyOkClosesIt()
    {
        Panel panel;
        QVERIFY(panel->Frame1->isVisibleTo(panel.window.get()));
        panel->mOptiuni->trigger();
        QVERIFY(panel->Frame1->isVisibleTo(panel.window.get()));
        panel->Command5->click();
        QVERIFY(!panel->Frame1->isVisibleTo(panel.window.get()));
    }

    void timeCyclesThroughItsHundredAndFortyEightValues()
    {
        Panel panel;
        QCOMPARE(panel.clicks(panel->Command2, 3), (QStringList{"50", "40", "30"}));
        QCOMPARE(panel.clicks(panel->Command2, 1), QStringList{"1500"});
        QCOMPARE(panel.clicks(panel->Command1, 1), QStringList{"30"});

        // Up from 30 all the way round, then Down all the way round.
        QStringList expected;
        for (int value = 40; value <= 1500; value += 10)
            expected << QString::number(value);
        expected << "30";
        QCOMPARE(panel.clicks(panel->Command1, 148), expected);
        expected.clear();
        for (int value = 1500; value >= 30; value -= 10)
            expected << QString::number(value);
        QCOMPARE(panel.clicks(panel->Command2, 148), expected);
        QVERIFY(panel.boxes.isEmpty());
    }

    void levelCyclesFourToTen()
    {
        Panel panel;
        QCOMPARE(panel.clicks(panel->Command3, 8), (QStringList{"4", "5", "6", "7", "8", "9", "10", "4"}));
        QCOMPARE(panel.clicks(panel->Command4, 8), (QStringList{"10", "9", "8", "7", "6", "5", "4", "10"}));
    }

    void offGridValuesStepOnWithoutWrapping()
    {
        Panel panel;
        panel->Text1->setText("35");
        const QStringList up = panel.clicks(panel->Command1, 148);
        QCOMPARE(up.first(), QStringLiteral("45"));
        QVERIFY(up.contains("1505"));
        QCOMPARE(up.last(), QStringLiteral("1515"));
        panel->Text1->setText("35");
        QCOMPARE(panel.clicks(panel->Command2, 5), (QStringList{"25", "15", "5", "-5", "-15"}));
        panel->Text1->setText(" 60.5 ");
        QCOMPARE(panel.clicks(panel->Command1, 1), QStringList{"70.5"});
        panel->Text2->setText("12");
        QCOMPARE(panel.clicks(panel->Command3, 1), QStringList{"13"});
    }

    void okAppliesBothRoundingHalvesToEven_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("timeLimit");
        QTest::addColumn<int>("diskCount");
        QTest::newRow("7 disks") << "60" << "7" << 60 << 7;
        QTest::newRow("60.5 to 60") << "60.5" << "10" << 60 << 10;
        QTest::newRow("61.5 to 62") << "61.5" << "10" << 62 << 10;
        QTest::newRow("12 disks, only by typing") << "90" << "12" << 90 << 12;
        QTest::newRow("15 disks") << "90" << "15" << 90 << 15;
        QTest::newRow("one disk") << "90" << " 1 " << 90 << 1;
        QTest::newRow("limit 0: never met") << "0" << "4" << 0 << 4;
        QTest::newRow("negative limit") << "-30" << "4" << -30 << 4;
        QTest::newRow("level 4.5 to 4") << "30" << "4.5" << 30 << 4;
    }

    void okAppliesBothRoundingHalvesToEven()
    {
        QFETCH(QString, time);
        QFETCH(QString, level);
        QFETCH(int, timeLimit);
        QFETCH(int, diskCount);
        Panel panel;
        panel->Text1->setText(time);
        panel->Text2->setText(level);
        panel->Command5->click();
        QCOMPARE(int(panel->state().TimeLimit), timeLimit);
        QCOMPARE(int(panel->state().DiskCount), diskCount);
        QCOMPARE(int(panel->state().TowerCount(1)), diskCount);
        QCOMPARE(panel->Text1->text(), time);  // the text stays as typed
        QVERIFY(!panel->Frame1->isVisibleTo(panel.window.get()));
        QVERIFY(!panel->Timer1->isActive());  // the clock stays off until StartJoc
        QVERIFY(panel->mStart->isEnabled());
        QVERIFY(panel.boxes.isEmpty());
    }

    void okDuringAGameKeepsTheClockAndItsCount()
    {
        Panel panel;
        panel->mStart->trigger();
        for (int i = 0; i < 25; ++i)
            panel->Timer1_Timer();
        panel->Text1->setText("20");
        panel->Text2->setText("5");
        panel->Command5->click();
        QVERIFY(panel->Timer1->isActive());
        QCOMPARE(panel->state().ElapsedSeconds, 25);
        QCOMPARE(panel->state().TowerCount(1), 5);
        // 20 is already behind: this game no longer ends by time.
        for (int i = 0; i < 100; ++i)
            panel->Timer1_Timer();
        QVERIFY(panel->Timer1->isActive());
        QVERIFY(panel.boxes.isEmpty());
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("field");
        QTest::newRow("empty time") << "" << "10" << "Timpul (Time)";
        QTest::newRow("time abc") << "abc" << "10" << "Timpul (Time)";
        QTest::newRow("time 40000") << "40000" << "10" << "Timpul (Time)";
        QTest::newRow("time 32767.5") << "32767.5" << "10" << "Timpul (Time)";
        QTest::newRow("level 0") << "60" << "0" << "Nivelul (Level)";
        QTest::newRow("level 16") << "60" << "16" << "Nivelul (Level)";
        QTest::newRow("level -3") << "60" << "-3" << "Nivelul (Level)";
        QTest::newRow("level 0.4") << "60" << "0.4" << "Nivelul (Level)";
        QTest::newRow("level empty") << "60" << "" << "Nivelul (Level)";
        QTest::newRow("level 99999") << "60" << "99999" << "Nivelul (Level)";
        QTest::newRow("good time, bad level") << "120" << "x" << "Nivelul (Level)";
    }

    void refusalsChangeNothing()
    {
        QFETCH(QString, time);
        QFETCH(QString, level);
        QFETCH(QString, field);
        Panel panel;
        panel->mStart->trigger();
        panel->Timer1_Timer();
        panel->state().TowerCount(1) = 9;  // a game in progress: disk 10 elsewhere
        panel->state().TowerCount(2) = 1;
        panel->state().Towers(2)(1) = DiskSlot{10, 2};
        const GameState before = panel->state();
        panel->Text1->setText(time);
        panel->Text2->setText(level);

        panel->Command5->click();
        QCOMPARE(panel.boxes.size(), 1);
        QVERIFY2(panel.boxes.first().startsWith(QStringLiteral("Velmora: ") + field), qPrintable(panel.boxes.first()));
        QVERIFY(panel->state() == before);
        QVERIFY(panel->Timer1->isActive());
        QVERIFY(panel->Frame1->isVisibleTo(panel.window.get()));
        QCOMPARE(panel->Text1->text(), time);
        QCOMPARE(panel->Text2->text(), level);
    }

    void spaceAfterOkPlaysInsteadOfPressingOkAgain()
    {
        Panel panel;
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.window.get()));
        panel->Command5->setFocus();
        QTRY_VERIFY(panel->Command5->hasFocus());
        QTest::keyClick(panel->windowHandle(), Qt::Key_Space);  // Space on the focused Ok
        QVERIFY(!panel->Frame1->isVisibleTo(panel.window.get()));
        panel->mStart->trigger();
        QTest::keyClick(panel->windowHandle(), Qt::Key_Space);
        QVERIFY(isTrue(panel->state().Holding));
        QCOMPARE(panel->state().TowerCount(1), 9);
    }

    void stepButtonsRefuseTextThatIsNoNumber()
    {
        Panel panel;
        panel->Text1->setText("zece");
        panel->Command1->click();
        panel->Command2->click();
        QCOMPARE(panel->Text1->text(), QStringLiteral("zece"));
        panel->Text2->setText("");
        panel->Command3->click();
        QCOMPARE(panel->Text2->text(), QString());
        QCOMPARE(panel.boxes.size(), 3);
        QVERIFY(panel.boxes.at(2).contains(QStringLiteral("de la 1 la 15")));
        QVERIFY(panel.boxes.at(0).contains(QStringLiteral("-32768 si 32767")));
    }
};

QTEST_MAIN(TestOptionsPanel)
#include "tst_options_panel.moc"
