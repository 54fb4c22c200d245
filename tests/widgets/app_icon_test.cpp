#include "widgets/app_icon.h"

#include <QtTest>

using namespace kestrum;

class AppIconTest : public QObject {
    Q_OBJECT
private slots:
    void pixmapsOfEverySize_data() {
        QTest::addColumn<int>("asked");
        for (const int size : {16, 20, 48, 100, 256, 512})
            QTest::addRow("%d", size) << size;
    }
    // Files decoded on request: each size comes out whole, none larger than the largest file.
    void pixmapsOfEverySize() {
        QFETCH(int, asked);
        const QPixmap pixmap = AppIcon().pixmap(QSize(asked, asked));
        const int side = std::min(asked, 256);
        QCOMPARE(pixmap.size(), QSize(side, side));
        QVERIFY(pixmap.toImage().pixelColor(side / 2, side / 2).alpha() > 0);
    }
};

QTEST_MAIN(AppIconTest)
#include "app_icon_test.moc"
