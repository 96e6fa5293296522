#include "qt/about_dialog.h"

#include "game/window_description.h"
#include "qt/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

static void initialiseAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace velmora {

AboutDialog::AboutDialog(std::function<void()> systemInfo, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    initialiseAboutResources();
    // Its first button, Enter, Esc and the close box all unload the dialog.
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends when its last window closes, this one included: a tool
    // window does not count by default, and closing the main window would end
    // the program under an open About.
    setAttribute(Qt::WA_QuitOnClose, true);
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    setModal(false);
    const AboutDescription& about = aboutWindow();
    setWindowTitle(QString::fromStdString(about.title));
    setFixedSize(about.clientWidth, about.clientHeight);
    move(about.left, about.top);

    // Made in their stacking order, bottom first: each child stands over the
    // ones made before it.
    std::vector<QWidget*> made;
    for (const ControlDescription& control : about.controls)
        made.push_back(makeControl(control, this));
    auto* icon = static_cast<QLabel*>(made.at(0));
    icon->setPixmap(QPixmap(QStringLiteral(":/images/about_icon.png")));
    icon->adjustSize();
    okButton = static_cast<QPushButton*>(made.at(1));
    okButton->setDefault(true);
    sysInfoButton = static_cast<QPushButton*>(made.at(2));
    okButton->setFocus();

    connect(okButton, &QPushButton::clicked, this, [this] { close(); });
    connect(sysInfoButton, &QPushButton::clicked, this, std::move(systemInfo));
}


AboutDialog::~AboutDialog() = default;

} // namespace velmora
