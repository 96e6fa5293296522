#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace velmora {

// The About dialog: title, version, the rules in Romanian and a closing line,
// "OK" (also Enter and Esc) and "&System Info...". Modeless and without an
// owner; it reads no game state. Closing it unloads it: the next opening loads
// it afresh and sets its texts again.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    // systemInfo runs when "System Info..." is pressed.
    explicit AboutDialog(std::function<void()> systemInfo, QWidget* parent = nullptr);
    ~AboutDialog() override;

    QPushButton* okButton = nullptr;
    QPushButton* sysInfoButton = nullptr;
};

} // namespace velmora
