// drillbay_make_pictures: draws the question pictures of data/images once.
//
//   drillbay_make_pictures OUT_DIR
//
// Every picture is 140 x 140 pixels and illustrates one question of
// data/banks/01-substation.txt. The PNGs are committed; run this again only to
// change them.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int kSize = 140;
const QColor kRed(0xD7, 0x1A, 0x21);
const QColor kInk(0x20, 0x20, 0x20);

QFont cjk(int pixelSize, bool bold = true)
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QImage canvas()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

// A rectangular sign board: white, with a red border.
void board(QPainter &p)
{
    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4.5, 4.5, kSize - 9, kSize - 9), 6, 6);
    p.setPen(QPen(kRed, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(11, 11, kSize - 22, kSize - 22), 4, 4);
}

// A lightning arrow pointing down inside a triangle.
void lightning(QPainter &p, const QRectF &box)
{
    QPainterPath triangle;
    triangle.moveTo(box.center().x(), box.top());
    triangle.lineTo(box.right(), box.bottom());
    triangle.lineTo(box.left(), box.bottom());
    triangle.closeSubpath();
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFF, 0xD1, 0x00));
    p.drawPath(triangle);

    const double cx = box.center().x();
    const double top = box.top() + box.height() * 0.30;
    const double h = box.height() * 0.62;
    QPainterPath bolt;
    bolt.moveTo(cx + h * 0.10, top);
    bolt.lineTo(cx - h * 0.16, top + h * 0.52);
    bolt.lineTo(cx + h * 0.02, top + h * 0.50);
    bolt.lineTo(cx - h * 0.10, top + h * 0.95);
    bolt.lineTo(cx + h * 0.18, top + h * 0.40);
    bolt.lineTo(cx + h * 0.00, top + h * 0.42);
    bolt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(bolt);
}

QImage stopHighVoltage()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    board(p);
    lightning(p, QRectF(46, 20, 48, 42));
    p.setPen(kRed);
    p.setFont(cjk(26));
    p.drawText(QRectF(14, 64, kSize - 28, 32), Qt::AlignCenter, QStringLiteral("止步"));
    p.setFont(cjk(19));
    p.drawText(QRectF(14, 96, kSize - 28, 26), Qt::AlignCenter, QStringLiteral("高压危险！"));
    return image;
}

QImage noClosing()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    board(p);
    // A knife switch, open, under a red circle with a bar: closing is forbidden.
    const QRectF ring(47, 17, 46, 46);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(52, 46), QPointF(60, 46)); // left lead
    p.drawLine(QPointF(60, 46), QPointF(76, 30)); // the open blade
    p.drawLine(QPointF(80, 46), QPointF(88, 46)); // right lead
    p.drawLine(QPointF(80, 40), QPointF(80, 46)); // the fixed contact
    p.setBrush(kInk);
    p.drawEllipse(QPointF(60, 46), 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kRed, 5));
    p.drawEllipse(ring);
    p.drawLine(QPointF(ring.left() + 7, ring.top() + 7),
               QPointF(ring.right() - 7, ring.bottom() - 7));
    p.setPen(kRed);
    p.setFont(cjk(20));
    p.drawText(QRectF(14, 67, kSize - 28, 26), Qt::AlignCenter, QStringLiteral("禁止合闸"));
    p.setFont(cjk(18));
    p.drawText(QRectF(14, 95, kSize - 28, 24), Qt::AlignCenter, QStringLiteral("有人工作！"));
    return image;
}

QImage earthSymbol()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(70, 20), QPointF(70, 74));
    p.drawLine(QPointF(34, 74), QPointF(106, 74));
    p.drawLine(QPointF(46, 90), QPointF(94, 90));
    p.drawLine(QPointF(58, 106), QPointF(82, 106));
    p.setPen(QPen(QColor(0xBB, 0xBB, 0xBB), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kSize - 1, kSize - 1));
    return image;
}

QImage ladder()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double groundY = 126;
    const double wallX = 112;
    // Wall and ground.
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(8, groundY), QPointF(wallX + 20, groundY));
    p.fillRect(QRectF(wallX, 8, 16, groundY - 8), QColor(0xC8, 0xC8, 0xC8));
    p.drawLine(QPointF(wallX, 8), QPointF(wallX, groundY));
    for (double x = 12; x < wallX + 16; x += 10)
        p.drawLine(QPointF(x, groundY + 8), QPointF(x + 7, groundY + 1));
    // A single ladder at 60 degrees to the ground, its top against the wall.
    const double angle = 60.0 * M_PI / 180.0;
    const double length = 112;
    const QPointF foot(wallX - length * std::cos(angle), groundY);
    const QPointF top(wallX, groundY - length * std::sin(angle));
    const QPointF along = (top - foot) / length;
    const QPointF across(along.y() * -1, along.x()); // normal, pointing down-right
    const double half = 5;
    p.setPen(QPen(QColor(0x8B, 0x5A, 0x2B), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot + across * half - along * 0, top + across * half);
    p.drawLine(foot - across * half, top - across * half);
    for (double d = 10; d < length - 4; d += 12)
        p.drawLine(foot + along * d + across * half, foot + along * d - across * half);
    // The angle between ladder and ground.
    p.setPen(QPen(kRed, 2));
    const double r = 22;
    p.drawArc(QRectF(foot.x() - r, foot.y() - r, 2 * r, 2 * r), 0, 60 * 16);
    p.setFont(cjk(15));
    const QPointF label = foot + QPointF(36 * std::cos(M_PI / 9), -36 * std::sin(M_PI / 9));
    p.drawText(QRectF(label.x() - 10, label.y() - 10, 20, 20), Qt::AlignCenter,
               QStringLiteral("α"));
    // A worker on the ladder, at about two thirds of its length.
    const QPointF hip = foot + along * 70 - across * 9;
    const QPointF shoulder = hip + QPointF(4, -22);
    const QPointF head = shoulder + QPointF(2, -9);
    p.setPen(QPen(QColor(0x1F, 0x4E, 0x9A), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(hip, shoulder);
    p.drawLine(hip, foot + along * 56 + QPointF(3, 0)); // lower leg on a rung
    p.drawLine(hip, foot + along * 46 + QPointF(8, 0));
    p.drawLine(shoulder, foot + along * 96 + QPointF(2, 0)); // arms to the rails
    p.drawLine(shoulder + QPointF(0, 4), foot + along * 88 + QPointF(4, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF2, 0xC1, 0x9B));
    p.drawEllipse(head, 6.5, 6.5);
    p.setBrush(QColor(0xFF, 0xD1, 0x00)); // safety helmet
    p.drawChord(QRectF(head.x() - 7.5, head.y() - 8, 15, 13), 0, 180 * 16);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: drillbay_make_pictures OUT_DIR\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fputs("cannot create the output folder\n", stderr);
        return 1;
    }
    const std::pair<const char *, std::function<QImage()>> pictures[] = {
        {"stop_high_voltage.png", stopHighVoltage},
        {"no_closing.png", noClosing},
        {"earth_symbol.png", earthSymbol},
        {"ladder_angle.png", ladder},
    };
    for (const auto &[name, draw] : pictures) {
        const QString path = out.filePath(QString::fromLatin1(name));
        if (!draw().save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(path));
    }
    return 0;
}
