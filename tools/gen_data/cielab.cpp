#include "gen_data/cielab.h"

#include <cmath>

#include "gen_data/vector3.h"

namespace {

// sRGB channel 0..255 to linear light 0..1.
double Linear(double channel) {
    const double c = channel / 255;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabCurve(double t) {
    constexpr double Delta = 6.0 / 29.0;
    return t > Delta * Delta * Delta ? std::cbrt(t) : t / (3 * Delta * Delta) + 4.0 / 29.0;
}

} // namespace

Lab ToLab(double red, double green, double blue) {
    const double r = Linear(red);
    const double g = Linear(green);
    const double b = Linear(blue);
    // Linear sRGB to XYZ, relative to the D65 white point.
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = LabCurve(x);
    const double fy = LabCurve(y);
    const double fz = LabCurve(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Chroma(const Lab& colour) {
    return std::hypot(colour.a, colour.b);
}

double Hue(const Lab& colour) {
    const double degrees = std::atan2(colour.b, colour.a) * 180 / Pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

double HueDifference(double first, double second) {
    const double difference = std::fabs(first - second);
    return difference > 180 ? 360 - difference : difference;
}

double DeltaE(const Lab& first, const Lab& second) {
    return std::sqrt((first.lightness - second.lightness) * (first.lightness - second.lightness) +
                     (first.a - second.a) * (first.a - second.a) +
                     (first.b - second.b) * (first.b - second.b));
}
