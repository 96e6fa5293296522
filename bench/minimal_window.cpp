// The floor for any Qt 6 Widgets program here: one plain window of the game's
// size that paints its background, nothing else. With --text it also shows a
// menu bar and a line of text, the floor for any program that shows words.
// bench_desktop starts it next to the game to compare start-up and memory.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const bool text = argc > 1 && QByteArray(argv[1]) == "--text";
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    auto* client = new QWidget(&window);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 0));
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    window.setCentralWidget(client);
    if (text) {
        window.menuBar()->addMenu(QStringLiteral("Joc"));
        window.menuBar()->addMenu(QStringLiteral("Ajutor"));
        auto* label = new QLabel(QStringLiteral("60"), client);
        label->move(471, 490);
    }
    window.resize(1002, 628);
    window.show();
    return QApplication::exec();
}
