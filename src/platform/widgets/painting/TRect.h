#pragma once
#include <QRect>

// A rectangle given by its edges, right and bottom excluded, as the controls' layout rules are
// written; QRect's right()/bottom() are inclusive, which is easy to get wrong in that arithmetic.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    [[nodiscard]] int Width() const { return Right - Left; }
    [[nodiscard]] int Height() const { return Bottom - Top; }
    [[nodiscard]] QRect ToQRect() const { return {Left, Top, Right - Left, Bottom - Top}; }
    [[nodiscard]] static TRect From(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

    friend bool operator==(const TRect&, const TRect&) = default;
};
