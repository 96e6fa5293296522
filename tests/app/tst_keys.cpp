// Keys as the window receives them: through key preview, whatever control has
// the focus, and never consumed.

#include "app/form1.h"
#include "app/picture_box.h"
#include "window_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;

namespace {

void press(Form1& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

} // namespace

class TestKeys : public QObject {
    Q_OBJECT

private slots:
    void keysDoNothingBeforeTheFirstGame()
    {
        const auto window = shownWindow();
        QVERIFY(window);
        const GameState before = window->state();
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Space})
            press(*window, key);
        QVERIFY(window->state() == before);
        QCOMPARE(window->Buff->Left(), 115.5f);
    }

    void spriteFollowsTheCursorAtRealPositions()
    {
        const auto window = shownWindow();
        QVERIFY(window);
        window->mStart->trigger();
        press(*window, Qt::Key_Right);
        QCOMPARE(window->state().SelectedTower, 2);
        QCOMPARE(window->Buff->Left(), 429.5f);
        QCOMPARE(window->Buff->x(), 430);  // the nearest pixel, a half to even
        press(*window, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(window->Buff->Left(), 743.5f);
        QCOMPARE(window->Buff->x(), 744);
        press(*window, Qt::Key_Left, Qt::ControlModifier);
        press(*window, Qt::Key_Left);
        QCOMPARE(window->state().SelectedTower, 1);
        QCOMPARE(window->Buff->x(), 116);
        QCOMPARE(window->Buff->y(), 20);
    }

    void theDiskInHandShowsOnTheSprite()
    {
        const auto window = shownWindow();
        QVERIFY(window);
        window->mStart->trigger();
        press(*window, Qt::Key_Space);
        QCOMPARE(window->state().HeldDisk, 10);
        QCOMPARE(window->Buff->picture(), window->disk->picture());
        QCOMPARE(window->Buff->size(), QSize(81, 81));
        press(*window, Qt::Key_Right);
        // Still centred by the cursor's width: one pixel left of the tower.
        QCOMPARE(window->Buff->Left() + 81.0f / 2, 471.0f - 1.0f);
        press(*window, Qt::Key_Space);
        QCOMPARE(window->Buff->picture(), window->selector->picture());
        QCOMPARE(window->state().TowerCount(2), 1);
    }

    void keysReachTheBoardAndAFocusedTextBox()
    {
        const auto window = shownWindow();
        QVERIFY(window);
        window->Frame1->setVisible(true);
        window->Text1->setFocus();
        QTRY_VERIFY(window->Text1->hasFocus());
        window->Text1->setCursorPosition(2);
        window->mStart->trigger();

        press(*window, Qt::Key_Space);
        QVERIFY(isTrue(window->state().Holding));
        QCOMPARE(window->Text1->text(), QStringLiteral("60 "));  // the box got the Space too
        press(*window, Qt::Key_Left);
        QCOMPARE(window->state().SelectedTower, 3);
        QCOMPARE(window->Text1->cursorPosition(), 2);  // and the arrow
        QVERIFY(window->Text1->hasFocus());
    }

    void noKeyActsAfterTheGameEnds()
    {
        const auto window = shownWindow();
        QVERIFY(window);
        window->mStart->trigger();
        window->state().TimeLimit = 1;
        window->Timer1_Timer();  // lost
        QVERIFY(!window->Timer1->isActive());
        const GameState lost = window->state();
        for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Space})
            press(*window, key);
        QVERIFY(window->state() == lost);

        window->mStart->trigger();
        window->EndGameWon();
        const GameState won = window->state();
        press(*window, Qt::Key_Space);
        QVERIFY(window->state() == won);
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
