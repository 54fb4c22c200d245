#include "prism_bar.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

namespace kestrum {

namespace {

// Per scheme, the colours in TPBColor order, then the font colour.
constexpr std::array<std::array<std::uint32_t, kPrismColorCount + 1>, 4> kSchemes{{
    // pcPurpleBlue
    {0xFF8080, 0xE06868, 0xFF8080, 0xC06868, 0xDF8080, 0xA06868, 0xBF8080, 0x64408C, 0x7A408C,
     0x8060A0, 0xA060A0, 0x823C96, 0x8848C0, 0xFFB0B0, 0xD060E0, 0x800080},
    // pcAcid
    {0x80FF80, 0x68E068, 0x80FF80, 0x68C068, 0x80DF80, 0x68A068, 0x80BF80, 0x40648C, 0x407A8C,
     0x60A0A0, 0x60A0A0, 0x3C8296, 0x4888C0, 0xE0FFE0, 0x68A8E0, 0xFFFF00},
    // pcLightGreen
    {0xFF8080, 0xE06868, 0xFF8080, 0xC06868, 0xDF8080, 0xA06868, 0xBF8080, 0x648C40, 0x7A8C40,
     0x80A060, 0xA0A060, 0x82963C, 0x88C048, 0xFFE0E0, 0x98E068, 0x489008},
    // pcLightBlue
    {0x88C048, 0x82963C, 0x88C048, 0x82963C, 0x88C048, 0xA06868, 0xBF8080, 0xD05858, 0xE05858,
     0xD08080, 0xE08080, 0xE06868, 0xFF8080, 0xC8E988, 0xD0A8A8, 0x800080},
}};

} // namespace

QColor ColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

TPrismBar::TPrismBar(QWidget* parent) : QWidget(parent) {
    SetColorScheme(pcPurpleBlue);
    resize(60, 180);
    m_color = palette().color(QPalette::Button);
    m_font.setBold(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPrismBar::SetMin(std::int32_t value) {
    m_min = value;
    repaint();
}

void TPrismBar::SetMax(std::int32_t value) {
    m_max = value;
    repaint();
}

void TPrismBar::SetProgress(std::int32_t value) {
    m_progress = value;
    repaint();
}

void TPrismBar::SetShowPercentage(bool show) {
    m_showPercentage = show;
    repaint();
}

void TPrismBar::SetColorScheme(TPBColorScheme scheme) {
    m_scheme = scheme;
    const int index = static_cast<int>(scheme);
    if (index < 0 || index >= static_cast<int>(kSchemes.size()))
        return;
    const auto& table = kSchemes[static_cast<std::size_t>(index)];
    for (int i = 0; i < kPrismColorCount; ++i)
        m_colors[static_cast<std::size_t>(i)] = ColorFromBgr(table[static_cast<std::size_t>(i)]);
    m_fontColor = ColorFromBgr(table[kPrismColorCount]);
}

void TPrismBar::SetColor(const QColor& color) {
    m_color = color;
    update();
}

PrismGeometry TPrismBar::Geometry() const {
    return ComputePrismGeometry({height(), m_x, m_y, m_min, m_max, m_progress});
}

QImage TPrismBar::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(m_color);
    const PrismGeometry g = Geometry();
    QPainter painter(&image);
    for (const PrismShape& shape : g.shapes) {
        QPolygon polygon;
        for (const PrismPoint& p : shape.points)
            polygon << QPoint(p.x, p.y);
        painter.setPen(QPen(Colour(shape.pen), 1));
        if (shape.kind == PrismShape::Kind::Polygon) {
            painter.setBrush(Colour(shape.brush));
            painter.drawPolygon(polygon);
        } else {
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(polygon);
        }
    }
    if (m_showPercentage) {
        const QString text = QString::number(g.percentage) + QLatin1Char('%');
        const QFontMetrics metrics(m_font);
        const QRect box(g.textLeft, g.textBottom - metrics.height(),
                        metrics.horizontalAdvance(text), metrics.height());
        painter.fillRect(box, m_color);
        painter.setFont(m_font);
        painter.setPen(m_fontColor);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    }
    return image;
}

void TPrismBar::paintEvent(QPaintEvent*) {
    // Composed off screen, copied in one step.
    QPainter(this).drawImage(0, 0, Render());
}

} // namespace kestrum
