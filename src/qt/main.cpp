#include "game/board_pictures.h"
#include "game/game.h"
#include "qt/qt_front_end.h"
#include "velmora/version.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(velmora::ApplicationTitle));
    // The window tells the desktop which launcher entry it belongs to: the
    // Wayland app id, and the entry docks match the window with.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(velmora::VersionMajor)
                                            .arg(velmora::VersionMinor)
                                            .arg(velmora::VersionRevision));
    // Fusion honours the colours the controls are given (grey buttons, the
    // blue panel) on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The game first: its surface must outlive the window that shows it.
    velmora::Game game(velmora::boardPictures());

    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/images/velmora_%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    // The game says when the program ends, also when its last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    velmora::QtFrontEnd frontEnd(game);
    game.attach(frontEnd);
    if (!game.load())
        return 1;
    game.setScreenReader(QAccessible::isActive());

    QMainWindow& window = frontEnd.window();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    window.show();
    return QApplication::exec();
}
