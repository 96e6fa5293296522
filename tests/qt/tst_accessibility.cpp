// What a screen reader is told of the board, read through Qt's accessibility
// interface: the board in words after each move, and nothing while no screen
// reader listens.

#include "game/game.h"
#include "qt/board_view.h"
#include "game/board_pictures.h"
#include "qt/main_window.h"
#include "qt/qt_front_end.h"

#include <QAccessible>
#include <QTest>

using namespace velmora;

class TestAccessibility : public QObject {
    Q_OBJECT

private:
    static QString description(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
    }

private slots:
    void theBoardInWords()
    {
        Game game(boardPictures());
        MainWindow window(game.surface());
        QtFrontEnd frontEnd(window, game);
        game.attach(frontEnd);
        QVERIFY(game.load());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // Nothing is described while no screen reader listens.
        QVERIFY(!QAccessible::isActive());
        window.menuItems.at(Command::Start)->trigger();
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
