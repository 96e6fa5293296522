// Draws the game's images and writes them to the folder given as the only
// argument: the three bitmaps the main window holds and the program icon.
// The images are committed; run this (target velmora_make_images) to re-make
// them after changing a drawing here, then look at every one of them.
//
// The bitmaps are 24-bit uncompressed BMP. Their backgrounds are pure white:
// the board copies the board-disk image with white as its transparent colour.
// The board disk and the cursor are drawn without antialiasing, so no
// near-white fringe shows round them on the dark-yellow board.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>

namespace {

const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

// One flat disk seen from above at an angle, 210 x 83: a navy elliptic top face
// with a black hole at its centre over an olive side band, outlined in black.
// The disk spans x 19 to 186 and y 3 to 79; everything else is white.
QImage boardDisk()
{
    QImage image = blank(210, 83);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Black, 1));

    // Top and bottom ellipses, 168 x 58 each, the bottom one 19 lower.
    const QRectF top(19, 3, 167, 57);
    const QRectF bottom(19, 22, 167, 58);

    QPainterPath side;
    side.addEllipse(bottom);
    side.addRect(QRectF(19, top.center().y(), 167, bottom.center().y() - top.center().y()));
    side.setFillRule(Qt::WindingFill);
    painter.setBrush(QColor(128, 128, 0));
    painter.drawPath(side.simplified());

    painter.setBrush(QColor(0, 0, 128));
    painter.drawEllipse(top);

    // A thin lighter ring on the top face gives it a little depth.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 176), 1));
    painter.drawEllipse(top.adjusted(14, 5, -14, -5));

    painter.setPen(QPen(Black, 1));
    painter.setBrush(Black);
    painter.drawEllipse(QRectF(top.center().x() - 14, top.center().y() - 5, 28, 10));
    return image;
}

// A glossy green triangle pointing down, 79 x 76: the top row is the
// triangle's edge across the whole width, the sides meet in a rounded point
// at the bottom centre; a lighter highlight covers the right half.
QImage cursor()
{
    QImage image = blank(79, 76);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);

    QPainterPath triangle;
    triangle.moveTo(0, 0);
    triangle.lineTo(78, 0);
    triangle.lineTo(44, 67);
    triangle.quadTo(39, 85, 34, 67);
    triangle.closeSubpath();
    painter.setPen(QPen(QColor(0, 96, 0), 1));
    painter.setBrush(QColor(0, 168, 0));
    painter.drawPath(triangle);

    QPainterPath highlight;
    highlight.moveTo(41, 3);
    highlight.lineTo(72, 3);
    highlight.lineTo(42, 62);
    highlight.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(96, 224, 96));
    painter.drawPath(highlight);

    QPainterPath gloss;
    gloss.moveTo(50, 5);
    gloss.lineTo(66, 5);
    gloss.lineTo(50, 37);
    gloss.closeSubpath();
    painter.setBrush(QColor(190, 250, 190));
    painter.drawPath(gloss);
    return image;
}

// A grey metallic wheel seen at an angle, like a reel, 77 x 77: a darker rim,
// a light shaded face, a dark hub and five dark holes round it.
QImage diskInHand()
{
    QImage image = blank(77, 77);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);

    const QPointF centre(38.5, 40.0);
    const double radiusX = 35.0;
    const double radiusY = 29.0;  // seen at an angle: the circle is squashed

    QLinearGradient rim(0, centre.y() - radiusY, 0, centre.y() + radiusY + 5);
    rim.setColorAt(0.0, QColor(150, 150, 150));
    rim.setColorAt(1.0, QColor(60, 60, 60));
    painter.setPen(QPen(QColor(45, 45, 45), 1));
    painter.setBrush(rim);
    painter.drawEllipse(QPointF(centre.x(), centre.y() + 3), radiusX, radiusY);

    QRadialGradient face(centre.x() - 10, centre.y() - 10, radiusX * 1.2);
    face.setColorAt(0.0, QColor(238, 238, 238));
    face.setColorAt(0.7, QColor(196, 196, 196));
    face.setColorAt(1.0, QColor(150, 150, 150));
    painter.setPen(QPen(QColor(110, 110, 110), 1));
    painter.setBrush(face);
    painter.drawEllipse(centre, radiusX - 3, radiusY - 3);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 70, 70));
    for (int hole = 0; hole < 5; ++hole) {
        const double angle = qDegreesToRadians(-90.0 + hole * 72.0);
        const QPointF at(centre.x() + std::cos(angle) * 19.0, centre.y() + std::sin(angle) * 15.5);
        painter.drawEllipse(at, 6.0, 5.0);
    }
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(centre, 7.0, 6.0);
    painter.setBrush(QColor(120, 120, 120));
    painter.drawEllipse(centre, 2.5, 2.0);
    return image;
}

// The program's icon: a generic window picture, a white sheet with cyan title
// bars and a grey arrow, on a transparent background.
QImage programIcon(int size)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(QPen(Black, 1));
    painter.setBrush(White);
    painter.drawRect(1, 3, 24, 20);
    painter.setBrush(QColor(0, 200, 220));
    painter.drawRect(1, 3, 24, 4);

    painter.setBrush(White);
    painter.drawRect(8, 10, 22, 18);
    painter.setBrush(QColor(0, 200, 220));
    painter.drawRect(8, 10, 22, 4);

    QPainterPath arrow;
    arrow.moveTo(17, 16);
    arrow.lineTo(17, 30);
    arrow.lineTo(20, 27);
    arrow.lineTo(22, 31);
    arrow.lineTo(24, 30);
    arrow.lineTo(22, 26);
    arrow.lineTo(26, 26);
    arrow.closeSubpath();
    painter.setBrush(QColor(128, 128, 128));
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.drawPath(arrow);
    painter.end();

    if (size == 32)
        return image;
    return image.scaled(size, size, Qt::IgnoreAspectRatio,
                        size < 32 ? Qt::SmoothTransformation : Qt::FastTransformation);
}

// The About dialog's icon, 32 x 32 in 16 colours with a transparency mask: a
// white block like a building front with a cyan top edge, a magenta arched
// doorway and grey shading, and two flat discs, green and yellow, floating
// at its top left.
QImage aboutIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The block, with its shaded right side.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(9, 11, 18, 19);
    painter.setBrush(QColor(128, 128, 128));
    painter.drawRect(27, 12, 3, 18);
    painter.setBrush(QColor(192, 192, 192));
    painter.drawRect(9, 28, 18, 2);
    painter.setBrush(QColor(0, 255, 255));
    painter.drawRect(9, 9, 19, 2);
    painter.setPen(QPen(Black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(9, 9, 21, 21);

    // The arched doorway.
    QPainterPath door;
    door.moveTo(14, 30);
    door.lineTo(14, 22);
    door.arcTo(14, 18, 8, 8, 180, -180);
    door.lineTo(22, 30);
    door.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 255));
    painter.drawPath(door);

    // Two flat discs seen edge-on, floating above the top left corner.
    painter.setPen(QPen(Black, 1));
    painter.setBrush(QColor(0, 255, 0));
    painter.drawEllipse(1, 1, 12, 4);
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(3, 6, 10, 3);
    painter.end();

    // Down to the 16 colours of the standard palette, and one more entry
    // that stands for the mask: what is not drawn stays transparent.
    const QList<QRgb> colours{qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                              qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                              qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                              qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    constexpr int Mask = 16;
    QImage indexed(32, 32, QImage::Format_Indexed8);
    indexed.setColorTable(QList<QRgb>(colours) << qRgba(0, 0, 0, 0));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = image.pixel(x, y);
            int index = Mask;
            if (qAlpha(pixel) != 0) {
                int bestDistance = 1 << 30;
                for (int i = 0; i < colours.size(); ++i) {
                    const QRgb c = colours.at(i);
                    const int distance = (qRed(c) - qRed(pixel)) * (qRed(c) - qRed(pixel))
                        + (qGreen(c) - qGreen(pixel)) * (qGreen(c) - qGreen(pixel))
                        + (qBlue(c) - qBlue(pixel)) * (qBlue(c) - qBlue(pixel));
                    if (distance < bestDistance) {
                        index = i;
                        bestDistance = distance;
                    }
                }
            }
            indexed.setPixel(x, y, static_cast<uint>(index));
        }
    }
    return indexed;
}

bool save(const QImage& image, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s  %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = save(boardDisk(), folder, QStringLiteral("board_disk.bmp"));
    ok = save(cursor(), folder, QStringLiteral("cursor.bmp")) && ok;
    ok = save(diskInHand(), folder, QStringLiteral("disk_in_hand.bmp")) && ok;
    ok = save(aboutIcon(), folder, QStringLiteral("about_icon.png")) && ok;
    for (const int size : {16, 32, 64})
        ok = save(programIcon(size), folder, QStringLiteral("velmora_%1.png").arg(size)) && ok;
    return ok ? 0 : 1;
}
