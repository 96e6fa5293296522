#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace velmora {

// The About dialog as the game describes it: its first button closes it (so
// do Enter and Esc), its second asks for the system-information tool.
// Modeless and without an owner; it reads no game state. Closing it unloads
// it: the next opening loads it afresh.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    // systemInfo runs when the second button is pressed.
    explicit AboutDialog(std::function<void()> systemInfo, QWidget* parent = nullptr);
    ~AboutDialog() override;

    QPushButton* okButton = nullptr;
    QPushButton* sysInfoButton = nullptr;
};

} // namespace velmora
