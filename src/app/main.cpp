#include "about/app_identity.h"
#include "app/form1.h"

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
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(velmora::VersionMajor)
                                            .arg(velmora::VersionMinor)
                                            .arg(velmora::VersionRevision));
    // Fusion honours the colours the controls are given (grey buttons, the
    // blue panel) on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QIcon icon;
    for (const int size : {16, 32, 64})
        icon.addFile(QStringLiteral(":/images/velmora_%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    velmora::Form1 window;
    if (!window.load())
        return 1;

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    window.show();
    return QApplication::exec();
}
