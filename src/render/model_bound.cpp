#include "render/model_bound.h"

#include <algorithm>
#include <cmath>

#include "assets/shared_positions.h"
#include "render/render_state.h"
#include "render/triangle_setup.h"

namespace {

// The nearest view-space depth that triangle setup leaves a vertex at.
constexpr double NearLimit = 0.25;

// The box around the model's positions.
ModelBox BoxAround(const Model& model) {
    const SharedPositions& shared = *model.shared;
    const ModelPosition& first = shared.positions[0];
    ModelBox box{&model, {first.x, first.y, first.z}, {first.x, first.y, first.z}};
    for (int32_t i = 1; i < shared.count; ++i) {
        const ModelPosition& p = shared.positions[i];
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y),
                    std::max(box.high.z, p.z)};
    }
    return box;
}

// The frame's box of the model, found on first use; null when the frame has no room left.
const ModelBox* FrameBoxOf(FrameState& frame, const Model& model) {
    for (uint32_t i = 0; i < frame.boxCount; ++i) {
        if (frame.boxes[i].model == &model) {
            return &frame.boxes[i];
        }
    }
    if (frame.boxCount == MaxBoxedModels) {
        return nullptr;
    }
    frame.boxes[frame.boxCount] = BoxAround(model);
    return &frame.boxes[frame.boxCount++];
}

// An axis-aligned box as its centre and its half sizes, in double precision.
struct CentredBox {
    double centre[3];
    double half[3];
};

// The interval [low, high] that row r of m, applied to (x, y, z, 1), takes over the box:
// around its value at the centre, as far as the absolute row elements times the half sizes.
void RowInterval(const Mat4& m, int r, const CentredBox& box, double& low, double& high) {
    double value = m.at(r, 3), reach = 0.0;
    for (int c = 0; c < 3; ++c) {
        value += m.at(r, c) * box.centre[c];
        reach += std::fabs(static_cast<double>(m.at(r, c))) * box.half[c];
    }
    low = value - reach;
    high = value + reach;
}

// The axis-aligned box around the box transformed by rows 0 to 2 of m.
CentredBox Transformed(const Mat4& m, const CentredBox& box) {
    CentredBox result;
    for (int r = 0; r < 3; ++r) {
        double low, high;
        RowInterval(m, r, box, low, high);
        result.centre[r] = (low + high) / 2.0;
        result.half[r] = (high - low) / 2.0;
    }
    return result;
}

// The range of a / w over a in [aLow, aHigh] and w in [wLow, wHigh], w of one sign.
void QuotientRange(double aLow, double aHigh, double wLow, double wHigh, double& low,
                   double& high) {
    const double q[4] = {aLow / wLow, aLow / wHigh, aHigh / wLow, aHigh / wHigh};
    low = std::min({q[0], q[1], q[2], q[3]});
    high = std::max({q[0], q[1], q[2], q[3]});
}

} // namespace

void AttachModelBoxes(FrameState& frame) {
    frame.boxCount = 0;
    for (uint32_t i = 0; i < frame.drawList.count; ++i) {
        DrawEntry& entry = frame.drawList.entries[i];
        if (CanDrawShared(*entry.model) && entry.model->shared->count > 0) {
            entry.box = FrameBoxOf(frame, *entry.model);
        }
    }
}

// Every position lies in the box, so its view-space point lies in the box around the box
// transformed by world and then by view, and each of its projected x, y and w within the
// intervals that the rows of ProjectionMatrix take over that box. With the whole box at or
// beyond the near limit no position is moved onto it, and with w negative throughout, each
// projected coordinate lies within the quotients of the intervals' ends. Rounding, in the
// matrices' products and in triangle setup's float steps, moves a position by far less than
// the two pixels by which BoundsHidden widens the rectangle.
bool BoxHidden(const WorkerState& worker, const Mat4& view, const Mat4& world,
               const ModelBox& box) {
    const double low[3] = {box.low.x, box.low.y, box.low.z};
    const double high[3] = {box.high.x, box.high.y, box.high.z};
    CentredBox model;
    for (int c = 0; c < 3; ++c) {
        model.centre[c] = (low[c] + high[c]) / 2.0;
        model.half[c] = (high[c] - low[c]) / 2.0;
    }
    const CentredBox inView = Transformed(view, Transformed(world, model));
    if (!(inView.centre[2] - inView.half[2] >= NearLimit)) {
        return false;
    }
    double xLow, xHigh, yLow, yHigh, wLow, wHigh;
    RowInterval(ProjectionMatrix, 0, inView, xLow, xHigh);
    RowInterval(ProjectionMatrix, 1, inView, yLow, yHigh);
    RowInterval(ProjectionMatrix, 3, inView, wLow, wHigh);
    if (!(wHigh < 0.0)) {
        return false;
    }
    ScreenBounds bounds;
    double left, right, top, bottom;
    QuotientRange(xLow, xHigh, wLow, wHigh, left, right);
    QuotientRange(yLow, yHigh, wLow, wHigh, top, bottom);
    AddToBounds(bounds, static_cast<float>(left), static_cast<float>(top));
    AddToBounds(bounds, static_cast<float>(right), static_cast<float>(bottom));
    return BoundsHidden(worker, bounds);
}
