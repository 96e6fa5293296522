// What a screen reader is told of the board, read through Qt's accessibility
// interface: the game's words after each move, nothing while no screen reader
// listens. (The words themselves are the game's test.)

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

        // The game's words reach the board's description, after real keys too.
        QAccessible::setActive(true);
        QVERIFY(description(window.boardView).endsWith(QStringLiteral("over tower 1. No disk in hand.")));
        QTest::keyClick(window.windowHandle(), Qt::Key_Space);
        QTest::keyClick(window.windowHandle(), Qt::Key_Right);
        QVERIFY(description(window.boardView).endsWith(QStringLiteral("over tower 2. Disk 10 is in hand.")));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
