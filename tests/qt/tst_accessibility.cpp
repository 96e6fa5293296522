// What a screen reader is told of the main window, read through Qt's
// accessibility interface: each box and button by what it holds or steps,
// the read-out as elapsed seconds, and the board in words after each move.

#include "game/game.h"
#include "qt/board_view.h"
#include "qt/images.h"
#include "qt/main_window.h"
#include "qt/qt_front_end.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace velmora;

class TestAccessibility : public QObject {
    Q_OBJECT

private:
    static QString name(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }
    static QString description(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
    }

private slots:
    void namesAndTheBoardInWords()
    {
        Game game(loadBoardPictures());
        MainWindow window(game.surface());
        QtFrontEnd frontEnd(window, game);
        game.attach(frontEnd);
        QVERIFY(game.load());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(name(window.timeLimitBox), QStringLiteral("Time"));
        QCOMPARE(name(window.diskCountBox), QStringLiteral("Level"));
        QCOMPARE(name(window.timeUpButton), QStringLiteral("Time Up"));
        QCOMPARE(name(window.timeDownButton), QStringLiteral("Time Down"));
        QCOMPARE(name(window.levelUpButton), QStringLiteral("Level Up"));
        QCOMPARE(name(window.levelDownButton), QStringLiteral("Level Down"));
        QCOMPARE(name(window.readOut), QStringLiteral("Elapsed seconds"));
        QCOMPARE(name(window.boardView), QStringLiteral("Board"));

        // Nothing is described while no screen reader listens.
        QVERIFY(!QAccessible::isActive());
        window.startAction->trigger();
        QCOMPARE(description(window.boardView), QString());

        QAccessible::setActive(true);
        QCOMPARE(description(window.boardView),
                 QStringLiteral("Tower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9, 10. Tower 2: empty. Tower 3: empty. "
                                "The cursor is over tower 1. No disk in hand."));
        QTest::keyClick(window.windowHandle(), Qt::Key_Space);
        QTest::keyClick(window.windowHandle(), Qt::Key_Right);
        QCOMPARE(description(window.boardView),
                 QStringLiteral("Tower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9. Tower 2: empty. Tower 3: empty. "
                                "The cursor is over tower 2. Disk 10 is in hand."));
        QTest::keyClick(window.windowHandle(), Qt::Key_Space);
        QCOMPARE(description(window.boardView),
                 QStringLiteral("Tower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9. Tower 2: disk 10. Tower 3: empty. "
                                "The cursor is over tower 2. No disk in hand."));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
