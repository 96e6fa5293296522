// The floor for any Qt 6 Widgets program here: one plain window of the game's
// size that paints its background, nothing else. bench_desktop starts it next
// to the game to compare start-up time and memory.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 0));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(1002, 628);
    window.show();
    return QApplication::exec();
}
