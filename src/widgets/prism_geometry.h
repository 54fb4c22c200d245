#pragma once

#include <cstdint>
#include <vector>

namespace kestrum {

// The colour properties of the glass column, in declaration order.
enum class TPBColor {
    TopColor,
    SideColor1,
    SideColor2,
    EmptyColor1,
    EmptyColor2,
    EmptyFrameColor1,
    EmptyFrameColor2,
    BottomFrameColor,
    BottomColor,
    FilledFrameColor,
    FilledColor,
    FilledSideColor1,
    FilledSideColor2,
    EmptyLineColor,
    FilledLineColor,
};
inline constexpr int kPrismColorCount = 15;

struct PrismPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PrismPoint&) const = default;
};

// One drawing step. A polygon is filled with `brush` and outlined with `pen`;
// a line runs through its points in `pen` (no brush).
struct PrismShape {
    enum class Kind { Polygon, Line };
    Kind kind = Kind::Line;
    std::vector<PrismPoint> points;
    TPBColor pen = TPBColor::EmptyLineColor;
    TPBColor brush = TPBColor::EmptyLineColor;
};

struct PrismInput {
    int height = 180;
    int x = 0;
    int y = 5;
    std::int32_t min = 0;
    std::int32_t max = 100;
    std::int32_t progress = 0;
};

struct PrismGeometry {
    int columnHeight = 0; // H
    int usableHeight = 0; // A
    int filled = 0;       // P, within 0..A
    long long percentage = 0;
    int textLeft = 0;
    int textBottom = 0;             // the fill level: the percentage text sits on it
    std::vector<PrismShape> shapes; // in drawing order, after the background
};

// Everything the column's picture needs, without pixels. A column of height
// 10 or less has no room to fill: it is drawn empty and labelled 0%.
PrismGeometry ComputePrismGeometry(const PrismInput& in);

} // namespace kestrum
