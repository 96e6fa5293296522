#include "qt/about_dialog.h"

#include "game/about_texts.h"
#include "qt/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

static void initialiseAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace velmora {

namespace {

constexpr int ClientWidth = 568;
constexpr int ClientHeight = 340;

// Twips (1/1440 inch) to pixels at 96 dots per inch, 15 to one.
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

// Labels are opaque, in the dialog's own colour, with black text.
QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QString& text = QString())
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(controlFont(13.5));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

AboutDialog::AboutDialog(std::function<void()> systemInfo, QWidget* parent)
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
    icon = new QLabel(this);
    icon->setGeometry(fromTwips(240, 240, 540, 540));
    icon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    icon->setLineWidth(2);
    icon->setPixmap(QPixmap(QStringLiteral(":/images/about_icon.png")));
    icon->adjustSize();

    // The buttons keep the dialog's small default font, in which
    // "System Info..." fits its narrow button.
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(fromTwips(6720, 4080, 1260, 345));
    okButton->setDefault(true);
    sysInfoButton = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfoButton->setGeometry(fromTwips(6720, 4680, 1245, 345));
    for (QPushButton* button : {okButton, sysInfoButton})
        button->setFont(controlFont(8));

    new LineControl(this, 240, 7320, 3720, 1, QColor(0x80, 0x80, 0x80));
    rulesLabel = makeLabel(this, fromTwips(120, 1560, 7965, 2010), QString::fromLatin1(AboutRules));
    rulesLabel->setWordWrap(true);
    titleLabel = makeLabel(this, fromTwips(1050, 240, 3885, 480));
    new LineControl(this, 105, 5654, 2460, 2, QColor(0xFF, 0xFF, 0xFF));
    versionLabel = makeLabel(this, fromTwips(1560, 840, 3885, 585));
    disclaimerLabel = makeLabel(this, fromTwips(120, 4080, 3870, 825), QString::fromLatin1(AboutDisclaimer));

    setTabOrder(okButton, sysInfoButton);
    okButton->setFocus();

    connect(okButton, &QPushButton::clicked, this, [this] { close(); });
    connect(sysInfoButton, &QPushButton::clicked, this, std::move(systemInfo));

    setTexts();
}


AboutDialog::~AboutDialog() = default;

void AboutDialog::setTexts()
{
    const AboutTexts texts = aboutTexts();
    setWindowTitle(QString::fromStdString(texts.caption));
    versionLabel->setText(QString::fromStdString(texts.version));
    titleLabel->setText(QString::fromStdString(texts.title));
}

} // namespace velmora
