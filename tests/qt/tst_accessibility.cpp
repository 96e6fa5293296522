// What a screen reader is told of the board, read through Qt's accessibility
// interface: the game's words after each move, nothing while no screen reader
// listens. (The words themselves are the game's test.)

#include "game/game.h"
#include "game/board_pictures.h"
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
        QtFrontEnd frontEnd(game);
        game.attach(frontEnd);
        QVERIFY(game.load());
        QMainWindow& window = frontEnd.window();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // Nothing is described while no screen reader listens.
        QVERIFY(!QAccessible::isActive());
        QTest::keyClick(window.windowHandle(), Qt::Key_F2);
        QCOMPARE(description(frontEnd.boardView()), QString());

        // The game's words reach the board's description, after real keys too.
        QAccessible::setActive(true);
        QVERIFY(description(frontEnd.boardView()).endsWith(QStringLiteral("over tower 1. No disk in hand.")));
        QTest::keyClick(window.windowHandle(), Qt::Key_Space);
        QTest::keyClick(window.windowHandle(), Qt::Key_Right);
        QVERIFY(description(frontEnd.boardView()).endsWith(QStringLiteral("over tower 2. Disk 10 is in hand.")));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
