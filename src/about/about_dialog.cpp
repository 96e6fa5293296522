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

QPointF pointFromTwips(int x, int y)
{
    return QPointF(x / 15.0, y / 15.0);
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
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    setModal(false);
    setFixedSize(ClientWidth, ClientHeight);

    picIcon = new QLabel(this);
    picIcon->setGeometry(fromTwips(240, 240, 540, 540));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setPixmap(QPixmap(QStringLiteral(":/images/about_icon.png")));
    picIcon->adjustSize();

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(fromTwips(6720, 4080, 1260, 345));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setGeometry(fromTwips(6720, 4680, 1245, 345));

    lblDescription = makeLabel(this, fromTwips(120, 1560, 7965, 2010), RulesText);
    lblDescription->setWordWrap(true);
    lblTitle = makeLabel(this, fromTwips(1050, 240, 3885, 480));
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

// The two lines of the dialog, under its controls.
void frmAbout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.drawLine(pointFromTwips(240, 3720), pointFromTwips(7320, 3720));
    painter.setPen(QPen(QColor(0xFF, 0xFF, 0xFF), 2));
    painter.drawLine(pointFromTwips(105, 2460), pointFromTwips(5654, 2460));
}

} // namespace velmora
