#include "glyphs.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace kestrum {

namespace {

const QColor kNavy(0x10, 0x2a, 0x6b);
const QColor kGold(0xe8, 0xb0, 0x30);

// A coin with a "$": the mark of the logo.
void PaintCoin(QPainter& p, const QRectF& r) {
    QRadialGradient shine(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() / 1.4);
    shine.setColorAt(0, kGold.lighter(150));
    shine.setColorAt(1, kGold.darker(120));
    p.setPen(QPen(kGold.darker(160), qMax(1.0, r.width() / 16)));
    p.setBrush(shine);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    QFont f(QStringLiteral("Sans Serif"));
    f.setBold(true);
    f.setPixelSize(qRound(r.height() * 0.62));
    p.setFont(f);
    p.setPen(kNavy);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("$"));
}

QPixmap Canvas(int w, int h) {
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap LogoPixmap(int width, int height) {
    QPixmap pixmap = Canvas(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, width, 0);
    band.setColorAt(0, kNavy);
    band.setColorAt(1, kNavy.lighter(220));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRoundedRect(QRectF(0, 0, width, height), 6, 6);

    PaintCoin(p, QRectF(4, 3, height - 6, height - 6));
    QFont title(QStringLiteral("Sans Serif"));
    title.setBold(true);
    title.setItalic(true);
    title.setPixelSize(height * 6 / 10);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(height + 4, 0, width, height), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Kestrum"));
    QFont tag(QStringLiteral("Sans Serif"));
    tag.setPixelSize(qMax(9, height / 4));
    p.setFont(tag);
    p.setPen(kGold.lighter(130));
    p.drawText(QRectF(0, 0, width - 8, height), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("currency converter"));
    return pixmap;
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
