#pragma once

#include "widgets/prism_geometry.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>

namespace kestrum {

enum TPBColorScheme { pcPurpleBlue = 0, pcAcid = 1, pcLightGreen = 2, pcLightBlue = 3 };

// A colour written as 0x00BBGGRR: red in the low byte.
QColor ColorFromBgr(std::uint32_t bgr);

// A vertical progress indicator drawn as a three-dimensional glass column
// filling from the bottom, with the percentage beside the fill level.
class TPrismBar : public QWidget {
    Q_OBJECT
public:
    explicit TPrismBar(QWidget* parent = nullptr);

    QColor Colour(TPBColor which) const { return m_colors[static_cast<int>(which)]; }
    // Stored only; shows at the next redraw.
    void SetColour(TPBColor which, const QColor& color) {
        m_colors[static_cast<int>(which)] = color;
    }

    // These four redraw inside the call: callers move the bar from loops that
    // never return to the event loop.
    std::int32_t Min() const { return m_min; }
    void SetMin(std::int32_t value);
    std::int32_t Max() const { return m_max; }
    void SetMax(std::int32_t value);
    std::int32_t Progress() const { return m_progress; }
    void SetProgress(std::int32_t value);
    bool ShowPercentage() const { return m_showPercentage; }
    void SetShowPercentage(bool show);

    QFont Font() const { return m_font; }
    void SetFont(const QFont& font) { m_font = font; }
    QColor FontColor() const { return m_fontColor; }
    void SetFontColor(const QColor& color) { m_fontColor = color; }
    int X() const { return m_x; }
    void SetX(int x) { m_x = x; }
    int Y() const { return m_y; }
    void SetY(int y) { m_y = y; }

    // Loads the scheme's colours and font colour; a value outside the four
    // schemes is kept but changes no colour.
    TPBColorScheme ColorScheme() const { return m_scheme; }
    void SetColorScheme(TPBColorScheme scheme);

    // The background of the control and of the percentage text; repaints.
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);

    PrismGeometry Geometry() const;
    // The whole picture at the control's size, as painted.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QColor, kPrismColorCount> m_colors{};
    std::int32_t m_min = 0;
    std::int32_t m_max = 100;
    std::int32_t m_progress = 0;
    QFont m_font;
    QColor m_fontColor;
    bool m_showPercentage = true;
    int m_x = 0;
    int m_y = 5;
    TPBColorScheme m_scheme = pcPurpleBlue;
    QColor m_color;
};

} // namespace kestrum
