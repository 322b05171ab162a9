#include "practice/ui/PylonEmblem.h"

#include "widgets/Theme.h"

#include <QPainter>
#include <QPainterPath>

PylonEmblem::PylonEmblem(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void PylonEmblem::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const qreal side = std::min(width(), height() - 36);
    const QPointF centre(width() / 2.0, 8 + side / 2.0);
    const qreal r = side / 2.0 - 6;

    // Ring: a deep blue disc with a lighter rim.
    QRadialGradient disc(centre, r);
    disc.setColorAt(0.0, QColor(0x3d, 0x7c, 0xc9));
    disc.setColorAt(1.0, QColor(0x1b, 0x45, 0x7e));
    p.setPen(QPen(QColor(0xf2, 0xb1, 0x1c), 4));
    p.setBrush(disc);
    p.drawEllipse(centre, r, r);

    // The tower: two legs narrowing to the top, cross arms and lattice.
    const qreal top = centre.y() - r * 0.72;
    const qreal foot = centre.y() + r * 0.70;
    const qreal waist = centre.y() - r * 0.05;
    const qreal baseHalf = r * 0.34;
    const qreal waistHalf = r * 0.12;
    const qreal topHalf = r * 0.05;
    const QPointF leftFoot(centre.x() - baseHalf, foot), rightFoot(centre.x() + baseHalf, foot);
    const QPointF leftWaist(centre.x() - waistHalf, waist),
        rightWaist(centre.x() + waistHalf, waist);
    const QPointF leftTop(centre.x() - topHalf, top), rightTop(centre.x() + topHalf, top);

    QPen steel(QColor(0xee, 0xf3, 0xfa), 2.2);
    steel.setCapStyle(Qt::RoundCap);
    p.setPen(steel);
    p.setBrush(Qt::NoBrush);
    p.drawLine(leftFoot, leftWaist);
    p.drawLine(leftWaist, leftTop);
    p.drawLine(rightFoot, rightWaist);
    p.drawLine(rightWaist, rightTop);
    p.drawLine(leftTop, rightTop);

    // Lattice between the legs.
    QPen thin(QColor(0xee, 0xf3, 0xfa), 1.2);
    p.setPen(thin);
    const int bays = 4;
    for (int i = 0; i < bays; ++i) {
        const qreal t0 = static_cast<qreal>(i) / bays, t1 = static_cast<qreal>(i + 1) / bays;
        const QPointF a = leftFoot + (leftWaist - leftFoot) * t0;
        const QPointF b = rightFoot + (rightWaist - rightFoot) * t0;
        const QPointF c = leftFoot + (leftWaist - leftFoot) * t1;
        const QPointF d = rightFoot + (rightWaist - rightFoot) * t1;
        p.drawLine(a, d);
        p.drawLine(b, c);
        p.drawLine(c, d);
    }
    p.drawLine(leftWaist, rightTop);
    p.drawLine(rightWaist, leftTop);

    // Cross arms with hanging insulators.
    p.setPen(steel);
    const qreal arm1 = top + r * 0.18, arm2 = top + r * 0.42;
    const qreal span1 = r * 0.58, span2 = r * 0.46;
    p.drawLine(QPointF(centre.x() - span1, arm1), QPointF(centre.x() + span1, arm1));
    p.drawLine(QPointF(centre.x() - span2, arm2), QPointF(centre.x() + span2, arm2));
    p.setPen(thin);
    for (const qreal sign : {-1.0, 1.0}) {
        p.drawLine(QPointF(centre.x() + sign * span1, arm1),
                   QPointF(centre.x() + sign * topHalf * 2, arm1 - r * 0.10));
        for (const auto &[y, span] : {std::pair{arm1, span1}, std::pair{arm2, span2}}) {
            const QPointF hang(centre.x() + sign * (span - 3), y);
            p.drawLine(hang, hang + QPointF(0, r * 0.09));
        }
    }

    // Lightning bolt across the lower right.
    QPainterPath bolt;
    const qreal bx = centre.x() + r * 0.30, by = centre.y() - r * 0.05;
    const qreal s = r * 0.55;
    bolt.moveTo(bx + s * 0.10, by);
    bolt.lineTo(bx - s * 0.28, by + s * 0.55);
    bolt.lineTo(bx - s * 0.02, by + s * 0.55);
    bolt.lineTo(bx - s * 0.20, by + s * 1.05);
    bolt.lineTo(bx + s * 0.34, by + s * 0.38);
    bolt.lineTo(bx + s * 0.06, by + s * 0.38);
    bolt.lineTo(bx + s * 0.30, by);
    bolt.closeSubpath();
    p.setPen(QPen(QColor(0x9a, 0x5b, 0x00), 1.2));
    p.setBrush(QColor(0xff, 0xc8, 0x2e));
    p.drawPath(bolt);

    // Ground line.
    p.setPen(QPen(QColor(0xee, 0xf3, 0xfa), 2));
    p.drawLine(QPointF(centre.x() - baseHalf - 10, foot),
               QPointF(centre.x() + baseHalf + 10, foot));

    // Motto.
    p.setPen(QColor(0x1b, 0x45, 0x7e));
    p.setFont(theme::font(theme::FontRole::Caption));
    p.drawText(QRectF(0, centre.y() + r + 8, width(), 26), Qt::AlignCenter,
               QStringLiteral("安全第一  预防为主"));
}
