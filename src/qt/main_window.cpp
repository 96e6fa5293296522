#include "qt/main_window.h"

#include "qt/board_view.h"
#include "qt/panel_frame.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <limits>

namespace velmora {

namespace {

const QColor PanelBackground(0, 0, 255);
const QColor CaptionBackground(255, 255, 0);
const QColor ButtonFace(128, 128, 128);

QPushButton* makeButton(QWidget* parent, const QString& caption, QRect geometry, qreal points)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setFont(controlFont(points));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, ButtonFace);
    button->setPalette(palette);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& text, QRect geometry)
{
    auto* box = new QLineEdit(text, parent);
    box->setGeometry(geometry);
    box->setFont(controlFont(13.5));
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QLabel* makeCaption(QWidget* parent, const QString& caption, QRect geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setFont(controlFont(13.5));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, CaptionBackground);
    label->setPalette(palette);
    return label;
}

} // namespace

QFont controlFont(qreal points)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPointSizeF(points);
    return font;
}

MainWindow::MainWindow(Surface& surface, QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Form1"));
    boardView = new BoardView(surface, this);
    setCentralWidget(boardView);
    createPanel();

    // Hidden until the first board places it over tower 1.
    sprite = new SpriteView(boardView);

    readOut = new QLabel(boardView);
    readOut->setGeometry(405, 384, 7, 29);
    readOut->setFont(controlFont(18));
    readOut->setAlignment(Qt::AlignCenter);
    // A label has no window of its own: it lies under the panel and the sprite.
    readOut->lower();
    readOut->setAccessibleName(QStringLiteral("Elapsed seconds"));
    boardView->setAccessibleName(QStringLiteral("Board"));

    createMenus();
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
}

void MainWindow::createPanel()
{
    optionsPanel = new PanelFrame(QStringLiteral("Optiuni"), boardView);
    optionsPanel->setGeometry(8, 432, 481, 169);
    optionsPanel->setFont(controlFont(13.5));
    QPalette panel = optionsPanel->palette();
    panel.setColor(QPalette::Window, PanelBackground);
    optionsPanel->setPalette(panel);

    // Made in tab order, which is then the order of the focus chain: the
    // first Tab into the panel reaches the time box. (None of them overlap,
    // so the order of stacking does not matter.)
    timeLimitBox = makeTextBox(optionsPanel, QStringLiteral("Text1"), QRect(176, 48, 57, 41));
    timeUpButton = makeButton(optionsPanel, QStringLiteral("Up"), QRect(128, 48, 41, 41), 13.5);
    timeDownButton = makeButton(optionsPanel, QStringLiteral("Down"), QRect(240, 48, 65, 41), 13.5);
    levelUpButton = makeButton(optionsPanel, QStringLiteral("Up"), QRect(128, 104, 41, 41), 13.5);
    diskCountBox = makeTextBox(optionsPanel, QStringLiteral("Text2"), QRect(176, 104, 57, 41));
    levelDownButton = makeButton(optionsPanel, QStringLiteral("Down"), QRect(240, 104, 65, 41), 13.5);
    applyButton = makeButton(optionsPanel, QStringLiteral("Ok"), QRect(328, 72, 105, 41), 18);
    timeCaption = makeCaption(optionsPanel, QStringLiteral("Time"), QRect(16, 48, 105, 41));
    levelCaption = makeCaption(optionsPanel, QStringLiteral("Level"), QRect(16, 104, 105, 41));
    optionsPanel->setVisible(false);

    // For screen readers: each box and button by what it holds or steps
    // (their captions alone would say "Up" and "Down" twice).
    timeLimitBox->setAccessibleName(QStringLiteral("Time"));
    diskCountBox->setAccessibleName(QStringLiteral("Level"));
    timeUpButton->setAccessibleName(QStringLiteral("Time Up"));
    timeDownButton->setAccessibleName(QStringLiteral("Time Down"));
    levelUpButton->setAccessibleName(QStringLiteral("Level Up"));
    levelDownButton->setAccessibleName(QStringLiteral("Level Down"));
}

void MainWindow::createMenus()
{
    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("Joc"));
    startAction = gameMenu->addAction(QStringLiteral("StartJoc"));
    startAction->setShortcut(QKeySequence(Qt::Key_F2));
    optionsAction = gameMenu->addAction(QStringLiteral("Optiuni"));
    optionsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    exitAction = gameMenu->addAction(QStringLiteral("Exit"));
    exitAction->setShortcut(QKeySequence(Qt::Key_F4));

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("Ajutor"));
    aboutAction = helpMenu->addAction(QStringLiteral("Despre"));
    aboutAction->setShortcut(QKeySequence(Qt::Key_F1));

    for (QAction* item : {startAction, optionsAction, exitAction, aboutAction})
        item->setShortcutContext(Qt::WindowShortcut);
}

} // namespace velmora
