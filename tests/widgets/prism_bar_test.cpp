#include "widgets/prism_bar.h"

#include <QtTest>
#include <algorithm>

using namespace kestrum;

namespace {

// The pen of the first line through `points` points: 5 the top rim, 3 the bottom rim.
TPBColor RimPen(const PrismGeometry& g, std::size_t points) {
    return std::find_if(g.shapes.begin(), g.shapes.end(),
                        [&](const PrismShape& s) {
                            return s.kind == PrismShape::Kind::Line && s.points.size() == points;
                        })
        ->pen;
}

bool HasPolygon(const PrismGeometry& g, TPBColor brush) {
    return std::any_of(g.shapes.begin(), g.shapes.end(), [&](const PrismShape& s) {
        return s.kind == PrismShape::Kind::Polygon && s.brush == brush;
    });
}

} // namespace

class PrismBarTest : public QObject {
    Q_OBJECT
private slots:
    void geometry();
    void pixels();
    void schemesTextAndImmediateRepaint();
};

void PrismBarTest::geometry() {
    const struct {
        const char* name;
        int height, min, max, progress, filled;
        long long percentage;
        bool fullTopRim;
    } cases[] = {
        // The window design: H 170, A 160.
        {"half", 180, 0, 100, 50, 80, 50, false},
        {"52.8 rounds up", 180, 0, 100, 33, 53, 33, false},
        {"empty", 180, 0, 100, 0, 0, 0, false},
        {"full", 180, 0, 100, 100, 160, 100, true},
        {"beyond max", 180, 0, 100, 150, 160, 150, true},
        {"below min", 180, 0, 100, -20, 0, -20, false},
        {"max equals min", 180, 7, 7, 50, 0, 0, false},
        // Height 120: A 100, ties go to even.
        {"2.5 to 2", 120, 0, 200, 5, 2, 2, false},
        {"3.5 to 4", 120, 0, 200, 7, 4, 4, false},
        {"extreme range", 180, INT_MIN, INT_MAX, INT_MAX, 160, 100, true},
        {"too low to fill", 20, 0, 100, 50, 0, 0, false},
    };
    for (const auto& c : cases) {
        const PrismGeometry g = ComputePrismGeometry({c.height, 0, 5, c.min, c.max, c.progress});
        const bool filled = c.filled > 0;
        const auto filledPen = [](bool on) {
            return on ? TPBColor::FilledLineColor : TPBColor::EmptyLineColor;
        };
        QVERIFY2(g.filled == c.filled && g.percentage == c.percentage, c.name);
        QVERIFY2(g.textBottom == c.height - 5 - g.filled && g.textLeft == 33, c.name);
        QVERIFY2(RimPen(g, 5) == filledPen(c.fullTopRim) && RimPen(g, 3) == filledPen(filled),
                 c.name);
        // A filled column has one floor under the fill, an empty one two halves.
        QVERIFY2(HasPolygon(g, TPBColor::BottomColor) == filled &&
                     HasPolygon(g, TPBColor::FilledColor) == filled &&
                     HasPolygon(g, TPBColor::EmptyColor1) == !filled,
                 c.name);
    }
}

void PrismBarTest::pixels() {
    const struct {
        int progress;
        QPoint where;
        int role; // a TPBColor, or -1 for the background
    } spots[] = {
        {50, {15, 10}, int(TPBColor::TopColor)},
        {50, {7, 50}, int(TPBColor::SideColor1)},
        {50, {22, 50}, int(TPBColor::SideColor2)},
        {50, {7, 150}, int(TPBColor::FilledSideColor1)},
        {50, {22, 150}, int(TPBColor::FilledSideColor2)},
        {50, {10, 90}, int(TPBColor::FilledColor)},
        {50, {10, 170}, int(TPBColor::BottomColor)}, // drawn over the filled faces
        {0, {10, 170}, int(TPBColor::EmptyColor1)},
        {0, {20, 170}, int(TPBColor::EmptyColor2)},
        {50, {50, 90}, -1},
    };
    for (const TPBColorScheme scheme : {pcPurpleBlue, pcAcid, pcLightGreen, pcLightBlue}) {
        for (const auto& spot : spots) {
            TPrismBar bar;
            bar.resize(65, 180);
            bar.SetColorScheme(scheme);
            bar.SetColor(QColor(0xAB, 0xAB, 0xAB));
            bar.SetShowPercentage(false);
            bar.SetProgress(spot.progress);
            const QColor expected =
                spot.role < 0 ? bar.Color() : bar.Colour(static_cast<TPBColor>(spot.role));
            QCOMPARE(QColor(bar.Render().pixel(spot.where)), expected);
        }
    }
}

void PrismBarTest::schemesTextAndImmediateRepaint() {
    TPrismBar bar;
    bar.resize(65, 180);
    // 0x00BBGGRR: 0xFF8080 is a light blue.
    QCOMPARE(bar.Colour(TPBColor::TopColor), QColor(0x80, 0x80, 0xFF));
    bar.SetColorScheme(pcAcid);
    bar.SetColorScheme(static_cast<TPBColorScheme>(7));
    QCOMPARE(int(bar.ColorScheme()), 7);
    QCOMPARE(bar.FontColor(), QColor(0x00, 0xFF, 0xFF)); // still acid's

    // The percentage text ends just above the fill level (y 95 at 50 %).
    bar.SetColor(Qt::white);
    bar.SetProgress(50);
    const QImage picture = bar.Render();
    int lowestInk = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 33; x < picture.width(); ++x)
            if (QColor(picture.pixel(x, y)) != QColor(Qt::white))
                lowestInk = y;
    QVERIFY2(lowestInk < 95 && lowestInk > 80, qPrintable(QString::number(lowestInk)));

    // A shown bar is redrawn inside the setter, with no turn of the event loop.
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    bar.installEventFilter(&counter);
    bar.SetColour(TPBColor::FilledSideColor1, Qt::red); // stored only
    QCOMPARE(counter.paints, 0);
    bar.SetProgress(60);
    QCOMPARE(counter.paints, 1);
}

QTEST_MAIN(PrismBarTest)
#include "prism_bar_test.moc"
