#include "about/about_dialog.h"

#include "about/app_identity.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>

static void initialiseAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace velmora {

namespace {

constexpr int ClientWidth = 568;
constexpr int ClientHeight = 340;

// Twips of the dialog's definition to pixels, 15 to one.
QRect fromTwips(int left, int top, int width, int height)
{
    return QRect(qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0), qRound(height / 15.0));
}

// A horizontal line of the dialog, as a control of its own so that it stacks
// among the labels: drawn over the ones made before it, under the later ones.
// The pen is centred on the line's y, so a 2-pixel line covers y - 1 and y;
// the end point is not drawn.
class LineControl : public QWidget {
public:
    LineControl(QWidget* parent, int x1, int x2, int y, int width, QColor colour)
        : QWidget(parent)
        , colour_(colour)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(QRect(QPoint(qRound(x1 / 15.0), qRound(y / 15.0) - width / 2),
                          QPoint(qRound(x2 / 15.0) - 1, qRound(y / 15.0) - width / 2 + width - 1)));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), colour_);
    }

private:
    QColor colour_;
};

QFont buttonFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPointSizeF(8);
    return font;
}

QFont labelFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPointSizeF(13.5);
    return font;
}

// Labels are opaque, in the dialog's own colour, with black text.
QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QString& text = QString())
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(labelFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

// Files and programs of the system the game runs on.
class DesktopSysInfo : public SysInfoPlatform {
public:
    explicit DesktopSysInfo(std::function<void()> showMessage) : showMessage_(std::move(showMessage)) {}

    bool fileExists(const std::string& path) override
    {
        return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).isFile();
    }
    bool startProgram(const std::string& path) override
    {
        return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(path)), {});
    }
    void showUnavailable() override { showMessage_(); }

private:
    std::function<void()> showMessage_;
};

} // namespace

const QString frmAbout::RulesText = QStringLiteral(
    "Trebuie mutate discurile de pe stiva din stanga pe cea din dreapta folosind tastele cursor: stanga "
    "dreapta, si tasta SPACE pentru a lua sau depune un disc. Nu se pot muta discuri mari peste discuri mici. "
    "Se poate folosi stiva din mijloc pentru rezolvarea jocului.");

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    initialiseAboutResources();
    // "OK", Enter, Esc and the close box all unload the dialog.
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends when its last window closes, this one included: a tool
    // window does not count by default, and closing the main window would end
    // the program under an open About.
    setAttribute(Qt::WA_QuitOnClose, true);
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    setModal(false);
    setFixedSize(ClientWidth, ClientHeight);

    // Made in their stacking order, bottom first: each child stands over the
    // ones made before it.
    picIcon = new QLabel(this);
    picIcon->setGeometry(fromTwips(240, 240, 540, 540));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setPixmap(QPixmap(QStringLiteral(":/images/about_icon.png")));
    picIcon->adjustSize();

    // The buttons keep the dialog's small default font, which fits
    // "System Info..." in its narrow button; the style's wide margins go.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(fromTwips(6720, 4080, 1260, 345));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setGeometry(fromTwips(6720, 4680, 1245, 345));
    for (QPushButton* button : {cmdOK, cmdSysInfo})
        button->setFont(buttonFont());

    new LineControl(this, 240, 7320, 3720, 1, QColor(0x80, 0x80, 0x80));
    lblDescription = makeLabel(this, fromTwips(120, 1560, 7965, 2010), RulesText);
    lblDescription->setWordWrap(true);
    lblTitle = makeLabel(this, fromTwips(1050, 240, 3885, 480));
    new LineControl(this, 105, 5654, 2460, 2, QColor(0xFF, 0xFF, 0xFF));
    lblVersion = makeLabel(this, fromTwips(1560, 840, 3885, 585));
    lblDisclaimer = makeLabel(this, fromTwips(120, 4080, 3870, 825), QStringLiteral("Succes!......"));

    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    messageBox_ = [this](const QString& prompt) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), prompt, QMessageBox::NoButton, this);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        // Once the message is gone the dialog has the keyboard again (Qt and
        // the window manager would hand it to the main window).
        if (isVisible()) {
            raise();
            activateWindow();
        }
    };
    setSysInfo(makeSystemRegistry(), nullptr);

    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::setMessageBox(MessageBox messageBox)
{
    messageBox_ = std::move(messageBox);
}

void frmAbout::setSysInfo(std::unique_ptr<Registry> registry, std::unique_ptr<SysInfoPlatform> platform)
{
    registry_ = std::move(registry);
    platform_ = platform ? std::move(platform) : std::make_unique<DesktopSysInfo>([this] {
        messageBox_(QStringLiteral("System Information Is Unavailable At This Time"));
    });
}

void frmAbout::Form_Load()
{
    const QString title = QString::fromLatin1(ApplicationTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    lblTitle->setText(title);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo(*registry_, *platform_);
}

} // namespace velmora
