#include "gen_data/heart_shape.h"

#include <cmath>

OutlinePoint HeartOutline(double t) {
    const double s = std::sin(t);
    return {16.0 * s * s * s, 13.0 * std::cos(t) - 5.0 * std::cos(2.0 * t) -
                                  2.0 * std::cos(3.0 * t) - std::cos(4.0 * t)};
}

double HeartTextureAcross(const OutlinePoint& point) {
    return (point.x + HeartHalfWidth) / (2.0 * HeartHalfWidth);
}

double HeartTextureDown(const OutlinePoint& point) {
    return (HeartTop - point.y) / (HeartTop - HeartBottom);
}
