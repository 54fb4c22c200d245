// Draws the logo of the main window's top band at build time, as raw
// premultiplied RGBA bytes, row after row.
//
//   kestrum_draw_logo OUTPUT.rgba [PREVIEW.png]
#include "glyphs.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

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

QImage DrawLogo(int width, int height, int scale) {
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
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
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fputs("usage: kestrum_draw_logo OUTPUT.rgba [PREVIEW.png]\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QImage logo = DrawLogo(kestrum::kLogoWidth, kestrum::kLogoHeight, kestrum::kLogoScale)
                            .convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QFile out(QString::fromLocal8Bit(argv[1]));
    bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (int y = 0; written && y < logo.height(); ++y)
        written = out.write(reinterpret_cast<const char*>(logo.constScanLine(y)),
                            logo.width() * 4) == logo.width() * 4;
    if (!written || !out.flush() || (argc == 3 && !logo.save(QString::fromLocal8Bit(argv[2])))) {
        std::fprintf(stderr, "kestrum_draw_logo: cannot write %s\n", argv[argc - 1]);
        return 1;
    }
    return 0;
}
