#include "widgets/prism_bar.h"

#include <QtTest>
#include <algorithm>

using namespace kestrum;

namespace {

const PrismShape* FindLine(const PrismGeometry& g, std::size_t pointCount) {
    for (const PrismShape& s : g.shapes)
        if (s.kind == PrismShape::Kind::Line && s.points.size() == pointCount)
            return &s;
    return nullptr;
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
    void geometry_data();
    void geometry();
    void pixels_data();
    void pixels();
    void settersRepaintAndSchemeOutOfRangeKeepsColours();
};

void PrismBarTest::geometry_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("filled");
    QTest::addColumn<qlonglong>("percentage");
    QTest::addColumn<int>("textBottom");
    QTest::addColumn<bool>("fullTopRim");

    // The window design: H 170, A 160.
    QTest::newRow("half") << 180 << 0 << 100 << 50 << 80 << 50LL << 95 << false;
    QTest::newRow("52.8 rounds up") << 180 << 0 << 100 << 33 << 53 << 33LL << 122 << false;
    QTest::newRow("empty") << 180 << 0 << 100 << 0 << 0 << 0LL << 175 << false;
    QTest::newRow("full") << 180 << 0 << 100 << 100 << 160 << 100LL << 15 << true;
    QTest::newRow("beyond max") << 180 << 0 << 100 << 150 << 160 << 150LL << 15 << true;
    QTest::newRow("below min") << 180 << 0 << 100 << -20 << 0 << -20LL << 175 << false;
    QTest::newRow("max equals min") << 180 << 7 << 7 << 50 << 0 << 0LL << 175 << false;
    // Height 120: A 100, ties go to even.
    QTest::newRow("2.5 to 2") << 120 << 0 << 200 << 5 << 2 << 2LL << 113 << false;
    QTest::newRow("3.5 to 4") << 120 << 0 << 200 << 7 << 4 << 4LL << 111 << false;
    QTest::newRow("extreme range")
        << 180 << INT_MIN << INT_MAX << INT_MAX << 160 << 100LL << 15 << true;
    QTest::newRow("too low to fill") << 20 << 0 << 100 << 50 << 0 << 0LL << 15 << false;
}

void PrismBarTest::geometry() {
    QFETCH(int, height);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, progress);
    QFETCH(int, filled);
    QFETCH(qlonglong, percentage);
    QFETCH(int, textBottom);
    QFETCH(bool, fullTopRim);

    const PrismGeometry g = ComputePrismGeometry({height, 0, 5, min, max, progress});
    QCOMPARE(g.filled, filled);
    QCOMPARE(g.percentage, percentage);
    QCOMPARE(g.textBottom, textBottom);
    QCOMPARE(g.textLeft, 33);

    const PrismShape* topRim = FindLine(g, 5);
    const PrismShape* bottomRim = FindLine(g, 3);
    QVERIFY(topRim && bottomRim);
    QCOMPARE(topRim->pen, fullTopRim ? TPBColor::FilledLineColor : TPBColor::EmptyLineColor);
    QCOMPARE(bottomRim->pen, filled ? TPBColor::FilledLineColor : TPBColor::EmptyLineColor);
    // A filled column has one floor under the fill, an empty one two halves.
    QCOMPARE(HasPolygon(g, TPBColor::BottomColor), filled > 0);
    QCOMPARE(HasPolygon(g, TPBColor::EmptyColor1), filled == 0);
    QCOMPARE(HasPolygon(g, TPBColor::FilledColor), filled > 0);
}

void PrismBarTest::pixels_data() {
    QTest::addColumn<int>("scheme");
    QTest::addColumn<int>("progress");
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<int>("role"); // a TPBColor, or -1 for the background

    const struct {
        const char* name;
        TPBColorScheme scheme;
    } schemes[] = {{"purple-blue", pcPurpleBlue},
                   {"acid", pcAcid},
                   {"light green", pcLightGreen},
                   {"light blue", pcLightBlue}};
    for (const auto& s : schemes) {
        const auto row = [&](const char* what, int progress, QPoint where, int role) {
            QTest::addRow("%s, %s", s.name, what) << int(s.scheme) << progress << where << role;
        };
        row("top face", 50, {15, 10}, int(TPBColor::TopColor));
        row("empty left side", 50, {7, 50}, int(TPBColor::SideColor1));
        row("empty right side", 50, {22, 50}, int(TPBColor::SideColor2));
        row("filled left side", 50, {7, 150}, int(TPBColor::FilledSideColor1));
        row("filled right side", 50, {22, 150}, int(TPBColor::FilledSideColor2));
        row("fill surface", 50, {10, 90}, int(TPBColor::FilledColor));
        row("floor over the fill", 50, {10, 170}, int(TPBColor::BottomColor));
        row("empty floor left", 0, {10, 170}, int(TPBColor::EmptyColor1));
        row("empty floor right", 0, {20, 170}, int(TPBColor::EmptyColor2));
        row("right of the column", 50, {50, 90}, -1);
    }
}

void PrismBarTest::pixels() {
    QFETCH(int, scheme);
    QFETCH(int, progress);
    QFETCH(QPoint, where);
    QFETCH(int, role);

    TPrismBar bar;
    bar.resize(65, 180);
    bar.SetColorScheme(static_cast<TPBColorScheme>(scheme));
    bar.SetColor(QColor(0xAB, 0xAB, 0xAB));
    bar.SetShowPercentage(false);
    bar.SetProgress(progress);
    const QColor expected = role < 0 ? bar.Color() : bar.Colour(static_cast<TPBColor>(role));
    QCOMPARE(QColor(bar.Render().pixel(where)), expected);
}

void PrismBarTest::settersRepaintAndSchemeOutOfRangeKeepsColours() {
    TPrismBar bar;
    bar.resize(65, 180);
    // 0xFF8080 is blue-heavy: 0x00BBGGRR.
    QCOMPARE(bar.Colour(TPBColor::TopColor), QColor(0x80, 0x80, 0xFF));
    QCOMPARE(bar.FontColor(), QColor(0x80, 0x00, 0x80));
    bar.SetColorScheme(pcAcid);
    const QColor acidTop = bar.Colour(TPBColor::TopColor);
    bar.SetColorScheme(static_cast<TPBColorScheme>(7));
    QCOMPARE(int(bar.ColorScheme()), 7);
    QCOMPARE(bar.Colour(TPBColor::TopColor), acidTop);

    // The percentage text: its bottom row sits on the fill level, in the font colour.
    bar.SetColor(Qt::white);
    bar.SetProgress(50);
    const QImage picture = bar.Render();
    int inkRows = 0;
    int lowestInk = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 33; x < picture.width(); ++x)
            if (QColor(picture.pixel(x, y)) != QColor(Qt::white)) {
                ++inkRows;
                lowestInk = std::max(lowestInk, y);
                break;
            }
    QVERIFY(inkRows > 3);
    QVERIFY2(lowestInk < 95 && lowestInk > 80, qPrintable(QString::number(lowestInk)));

    // Shown bars redraw inside the setter, without an event loop turn.
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    int paints = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                ++*count;
            return false;
        }
    } counter(&paints);
    bar.installEventFilter(&counter);
    bar.SetProgress(60);
    QCOMPARE(paints, 1);
    bar.SetColour(TPBColor::TopColor, Qt::red); // stored only
    QCOMPARE(paints, 1);
}

QTEST_MAIN(PrismBarTest)
#include "prism_bar_test.moc"
