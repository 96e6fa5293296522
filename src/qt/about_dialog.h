#pragma once

#include "game/registry.h"
#include "game/sys_info.h"

#include <QDialog>

#include <functional>
#include <memory>

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
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // The registry and the platform that the system-information button
    // uses; by default no registry (Linux has none) and this desktop.
    void setSysInfo(std::unique_ptr<Registry> registry, std::unique_ptr<SysInfoPlatform> platform);

    QLabel* icon = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* sysInfoButton = nullptr;
    QLabel* rulesLabel = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* disclaimerLabel = nullptr;

private:
    void setTexts();
    void startSysInfo();
    void showUnavailable();

    std::unique_ptr<Registry> registry_;
    std::unique_ptr<SysInfoPlatform> platform_;
};

} // namespace velmora
