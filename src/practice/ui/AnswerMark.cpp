#include "practice/ui/AnswerMark.h"

#include "widgets/Theme.h"

#include <QPainter>
#include <QPainterPath>

AnswerMark::AnswerMark(Kind kind, QWidget *parent) : QLabel(parent), m_kind(kind)
{
    setObjectName(kind == Kind::Right ? QStringLiteral("ImageRight")
                                      : QStringLiteral("ImageWrong"));
    setPixmap(pixmap(kind, kSize));
    setFixedSize(kSize, kSize);
    setToolTip(kind == Kind::Right ? QStringLiteral("正确") : QStringLiteral("错误"));
    QSizePolicy keep = sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    setSizePolicy(keep);
    hide();
}

QPixmap AnswerMark::pixmap(Kind kind, int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPen pen(
        theme::colour(kind == Kind::Right ? theme::Colour::RightMark : theme::Colour::WrongMark));
    pen.setWidthF(s / 7.0);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    if (kind == Kind::Right) {
        QPainterPath tick;
        tick.moveTo(s * 0.16, s * 0.52);
        tick.lineTo(s * 0.40, s * 0.78);
        tick.lineTo(s * 0.86, s * 0.20);
        painter.drawPath(tick);
    } else {
        painter.drawLine(QPointF(s * 0.2, s * 0.2), QPointF(s * 0.8, s * 0.8));
        painter.drawLine(QPointF(s * 0.8, s * 0.2), QPointF(s * 0.2, s * 0.8));
    }
    return picture;
}
