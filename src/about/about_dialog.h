#pragma once

#include "about/registry.h"
#include "about/sys_info.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace velmora {

// The About dialog: title, version, the rules in Romanian and a closing line,
// "OK" (also Enter and Esc) and "&System Info...". Modeless and without an
// owner; it reads no game state. Closing it unloads it: the next opening loads
// it afresh and its load handler runs again.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // The rules as the dialog shows them, one paragraph.
    static const QString RulesText;

    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    // Shows a message box with one OK and no icon, titled with the
    // application's title. Tests put their own in.
    using MessageBox = std::function<void(const QString& prompt)>;
    void setMessageBox(MessageBox messageBox);
    // The registry and the platform that the system-information button uses.
    void setSysInfo(std::unique_ptr<Registry> registry, std::unique_ptr<SysInfoPlatform> platform);

    QLabel* picIcon = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;

public slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void Form_Load();

    MessageBox messageBox_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<SysInfoPlatform> platform_;
};

} // namespace velmora
