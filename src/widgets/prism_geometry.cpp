#include "prism_geometry.h"

#include <algorithm>
#include <cmath>

namespace kestrum {

namespace {

using Kind = PrismShape::Kind;

void AddLine(std::vector<PrismShape>& shapes, std::vector<PrismPoint> points, TPBColor pen) {
    shapes.push_back({Kind::Line, std::move(points), pen, pen});
}

void AddPolygon(std::vector<PrismShape>& shapes, std::vector<PrismPoint> points, TPBColor pen,
                TPBColor brush) {
    shapes.push_back({Kind::Polygon, std::move(points), pen, brush});
}

long long RoundToEven(double value) {
    // Far beyond any drawable figure; keeps the conversion defined.
    constexpr double kLimit = 9.0e18;
    return static_cast<long long>(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}

// The edge lines; returns the pen the bottom rim left, which the empty
// column's outlines go on using.
TPBColor AddEdgeLines(std::vector<PrismShape>& shapes, int X, int Y, int H, int P, int A) {
    const auto empty = TPBColor::EmptyLineColor;
    const auto filled = TPBColor::FilledLineColor;
    // Each edge runs from its top in the empty colour to the fill level, then
    // on to its bottom in the filled colour.
    const auto edge = [&](int ex, int top, int level, int bottom) {
        AddLine(shapes, {{ex, top}, {ex, level}}, empty);
        AddLine(shapes, {{ex, level}, {ex, bottom}}, filled);
    };
    edge(X, Y + 5, Y + H - P - 5, Y + H - 5);
    edge(X + 15, Y + 10, Y + H - P, Y + H);
    edge(X + 30, Y + 5, Y + H - P - 5, Y + H - 5);
    AddLine(shapes, {{X, Y + 5}, {X + 15, Y}, {X + 30, Y + 5}, {X + 15, Y + 10}, {X, Y + 5}},
            P == A && A > 0 ? filled : empty);
    const TPBColor rim = P != 0 ? filled : empty;
    AddLine(shapes, {{X, Y + H - 5}, {X + 15, Y + H}, {X + 30, Y + H - 5}}, rim);
    return rim;
}

} // namespace

PrismGeometry ComputePrismGeometry(const PrismInput& in) {
    PrismGeometry g;
    const int X = in.x;
    const int Y = in.y;
    const int H = in.height - in.y - 5;
    const int A = H - 10;
    g.columnHeight = H;
    g.usableHeight = A;
    if (A > 0 && in.max != in.min) {
        // Differences in 64 bits: any pair of 32-bit values stays exact.
        const double span = static_cast<double>(static_cast<long long>(in.max) - in.min);
        const double value = static_cast<double>(static_cast<long long>(in.progress) - in.min);
        const double x = value / (span / A);
        g.filled = static_cast<int>(std::clamp<long long>(RoundToEven(x), 0, A));
        g.percentage = RoundToEven(x / (A / 100.0));
    }
    const int P = g.filled;
    g.textLeft = X + 33;
    g.textBottom = Y + H - P;

    auto& s = g.shapes;
    const TPBColor rim = AddEdgeLines(s, X, Y, H, P, A);
    AddPolygon(s, {{X + 15, Y + 10}, {X, Y + 5}, {X + 15, Y}, {X + 30, Y + 5}}, rim,
               TPBColor::TopColor);
    AddPolygon(s, {{X + 15, Y + H}, {X, Y + H - 5}, {X, Y + 5}, {X + 15, Y + 10}}, rim,
               TPBColor::SideColor1);
    AddPolygon(s, {{X + 15, Y + H}, {X + 30, Y + H - 5}, {X + 30, Y + 5}, {X + 15, Y + 10}}, rim,
               TPBColor::SideColor2);
    if (P >= 1) {
        const int level = Y + H - P;
        AddPolygon(s, {{X + 15, Y + H}, {X, Y + H - 5}, {X, level - 5}, {X + 15, level - 10}},
                   TPBColor::FilledFrameColor, TPBColor::FilledSideColor1);
        AddPolygon(
            s, {{X + 15, Y + H}, {X + 30, Y + H - 5}, {X + 30, level - 5}, {X + 15, level - 10}},
            TPBColor::FilledFrameColor, TPBColor::FilledSideColor2);
        AddPolygon(s, {{X + 15, Y + H}, {X, Y + H - 5}, {X + 15, Y + H - 10}, {X + 30, Y + H - 5}},
                   TPBColor::BottomFrameColor, TPBColor::BottomColor);
        AddPolygon(s, {{X + 15, level}, {X, level - 5}, {X + 15, level - 10}, {X + 30, level - 5}},
                   TPBColor::FilledFrameColor, TPBColor::FilledColor);
    } else {
        AddPolygon(s, {{X + 15, Y + H}, {X, Y + H - 5}, {X + 15, Y + H - 10}, {X + 15, Y + H - 5}},
                   TPBColor::EmptyFrameColor1, TPBColor::EmptyColor1);
        AddPolygon(
            s, {{X + 15, Y + H}, {X + 30, Y + H - 5}, {X + 15, Y + H - 10}, {X + 15, Y + H - 5}},
            TPBColor::EmptyFrameColor2, TPBColor::EmptyColor2);
    }
    AddEdgeLines(s, X, Y, H, P, A);
    return g;
}

} // namespace kestrum
