#pragma once
// A push button that shows a colour swatch inside its face and repaints when
// the colour changes. A click opens the colour chooser preset to the colour;
// OK there takes the new colour.

#include <QPushButton>

#include <cstdint>

class CColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CColorButton(QWidget* parent = nullptr);

    // Windows colour values, 0x00BBGGRR.
    std::uint32_t color() const { return m_color; }
    void setColor(std::uint32_t color);

    static QColor toQColor(std::uint32_t colorRef);
    static std::uint32_t fromQColor(const QColor& color);

Q_SIGNALS:
    void colorChanged(std::uint32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choose();

    std::uint32_t m_color = 0;
};
