#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap programPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x5F, 0xA8));
    painter.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    // A handset over three bars of a call list.
    painter.setBrush(Qt::white);
    QPainterPath handset;
    handset.moveTo(s * 0.22, s * 0.38);
    handset.cubicTo(s * 0.22, s * 0.16, s * 0.78, s * 0.16, s * 0.78, s * 0.38);
    handset.lineTo(s * 0.64, s * 0.42);
    handset.lineTo(s * 0.60, s * 0.32);
    handset.cubicTo(s * 0.55, s * 0.28, s * 0.45, s * 0.28, s * 0.40, s * 0.32);
    handset.lineTo(s * 0.36, s * 0.42);
    handset.closeSubpath();
    painter.drawPath(handset);
    for (int i = 0; i < 3; ++i)
        painter.drawRect(QRectF(s * 0.22, s * (0.52 + 0.12 * i), s * (0.56 - 0.12 * i), s * 0.07));
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(programPixmap(size));
    return icon;
}
