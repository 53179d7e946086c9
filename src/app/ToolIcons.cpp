#include "app/ToolIcons.h"

#include <QPainter>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32};

// A white question mark on a blue disc: what users know as "help".
QPixmap helpPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x6F, 0xC8));
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

} // namespace

QPixmap disabledLook(const QPixmap& pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = line[x];
            const int grey = (qRed(rgb) * 11 + qGreen(rgb) * 16 + qBlue(rgb) * 5) / 32;
            const int light = 128 + grey / 2;
            line[x] = qRgba(light, light, light, qAlpha(rgb) / 3);
        }
    }
    QPixmap out = QPixmap::fromImage(image);
    out.setDevicePixelRatio(pixmap.devicePixelRatio());
    return out;
}

QIcon toolIcon(const ToolIcon& icon, const QStyle& style, bool drawHelp)
{
    QIcon source = QIcon::fromTheme(QLatin1String(icon.themeName));
    if (source.isNull() && !drawHelp)
        source = style.standardIcon(icon.fallback);
    QIcon out;
    for (const int size : kSizes) {
        const QPixmap normal = source.isNull() ? helpPixmap(size) : source.pixmap(size, size);
        if (normal.isNull())
            continue;
        out.addPixmap(normal, QIcon::Normal);
        out.addPixmap(disabledLook(normal), QIcon::Disabled);
    }
    return out;
}
