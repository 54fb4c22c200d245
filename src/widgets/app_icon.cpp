#include "app_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <map>

// The resources live in a static library; without this call the linker may
// leave them out.
static void InitAppIconResources() {
    Q_INIT_RESOURCE(app_icon);
}

namespace kestrum {

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Decodes a size only when a pixmap of it is asked for: a window that never
// shows a 256-pixel icon never reads that file.
class AppIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        // The smallest file that covers the size, scaled down when larger.
        int chosen = kSizes[std::size(kSizes) - 1];
        for (const int candidate : kSizes)
            if (candidate >= size.width() && candidate >= size.height()) {
                chosen = candidate;
                break;
            }
        QPixmap& decoded = m_decoded[chosen];
        if (decoded.isNull())
            decoded.load(QStringLiteral(":/icons/%1.png").arg(chosen));
        if (decoded.isNull() || size.isEmpty() ||
            (decoded.width() <= size.width() && decoded.height() <= size.height()))
            return decoded;
        return decoded.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), kSizes[std::size(kSizes) - 1]});
        return QSize(side, side);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int size : kSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }

    QIconEngine* clone() const override { return new AppIconEngine(*this); }
    QString key() const override { return QStringLiteral("KestrumAppIcon"); }

private:
    std::map<int, QPixmap> m_decoded;
};

} // namespace

QIcon AppIcon() {
    InitAppIconResources();
    return QIcon(new AppIconEngine);
}

} // namespace kestrum
