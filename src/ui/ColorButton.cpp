#include "ui/ColorButton.h"

#include "ui/ModalRunner.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

CColorButton::CColorButton(QWidget* parent)
    : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &CColorButton::choose);
}

QColor CColorButton::toQColor(std::uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

std::uint32_t CColorButton::fromQColor(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8)
           | (static_cast<std::uint32_t>(color.blue()) << 16);
}

void CColorButton::setColor(std::uint32_t color)
{
    color &= 0x00FFFFFFu;
    if (color == m_color)
        return;
    m_color = color;
    update();
    Q_EMIT colorChanged(m_color);
}

void CColorButton::choose()
{
    QColorDialog dialog(toQColor(m_color), this);
    if (runModal(dialog) == QDialog::Accepted && dialog.currentColor().isValid())
        setColor(fromQColor(dialog.currentColor()));
}

void CColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    QPainter painter(this);
    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Mid));
    painter.setBrush(isEnabled() ? toQColor(m_color) : palette().color(QPalette::Button));
    painter.drawRect(face.adjusted(2, 2, -3, -3));
}
