#include "glyphs.h"

#include <QImage>
#include <QPainter>
#include <QResource>

// The resources live in a static library; without this call the linker may
// leave them out.
static void InitLogoResources() {
    Q_INIT_RESOURCE(logo);
}

namespace kestrum {

namespace {

// Painted at twice the size they show at: sharp at 200 %, and scaled down
// cleanly at 100 %.
constexpr int kGlyphScale = 2;

QPixmap Canvas(int w, int h) {
    QPixmap pixmap(w * kGlyphScale, h * kGlyphScale);
    pixmap.setDevicePixelRatio(kGlyphScale);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap LogoPixmap() {
    InitLogoResources();
    const QResource resource(QStringLiteral(":/images/logo.rgba"));
    constexpr int kWidth = kLogoWidth * kLogoScale;
    constexpr int kHeight = kLogoHeight * kLogoScale;
    constexpr qint64 kBytes = qint64(kWidth) * kHeight * 4;
    if (resource.size() != kBytes || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    QPixmap logo = QPixmap::fromImage(QImage(resource.data(), kWidth, kHeight, kWidth * 4,
                                             QImage::Format_RGBA8888_Premultiplied));
    logo.setDevicePixelRatio(kLogoScale);
    return logo;
}

QIcon InformationGlyph() {
    QPixmap pixmap = Canvas(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x5a, 0xc8));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6.8, 3, 2.4, 2.4));
    p.drawRect(QRectF(6.9, 6.5, 2.2, 6.5));
    return QIcon(pixmap);
}

QIcon OptionsGlyph() {
    QPixmap pixmap = Canvas(24, 24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x3c, 0x96));
    for (int tooth = 0; tooth < 8; ++tooth) {
        p.drawRect(QRectF(-2, -11, 4, 6));
        p.rotate(45);
    }
    p.drawEllipse(QRectF(-8, -8, 16, 16));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(-3.5, -3.5, 7, 7));
    return QIcon(pixmap);
}

QIcon GraphsGlyph() {
    QPixmap pixmap = Canvas(16, 16);
    QPainter p(&pixmap);
    p.setPen(Qt::NoPen);
    const int heights[] = {6, 11, 8, 14};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor::fromHsv(210 + i * 30, 200, 220));
        p.drawRect(1 + i * 4, 16 - heights[i], 3, heights[i]);
    }
    return QIcon(pixmap);
}

} // namespace kestrum
