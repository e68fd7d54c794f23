#include "converter/converter_picking.h"

#include <cmath>

namespace bw {
namespace {

void TogglePoint(ConverterModel& model, std::int32_t p, double x, double y) {
    const ConverterPoint& point = model.DisplayPoints()[std::size_t(p)];
    // In double up to the square root, so far-off window positions cannot overflow.
    const double dx = x - double(point.windowX);
    const double dy = y - double(point.windowY);
    const float distance = std::sqrt(float(dx * dx + dy * dy));
    if (!(distance < kPickRadius)) return;
    if (point.selected) {
        model.SetSelected(p, false);
        model.FlagMarkedPointForRemoval(p);
    } else {
        model.AppendMarkedPoint(p);
        model.SetSelected(p, true);
    }
}

}  // namespace

bool PickPointsAt(ConverterModel& model, int x, int y, int viewportHeight) {
    if (model.ObjectLoaded() == 0) return true;
    const double px = x;
    const double py = double(viewportHeight) - double(y) - 1.0;
    const PartGroup* group = model.hideRest == 1 ? model.SelectedGroup() : nullptr;
    if (group) {
        for (std::int32_t p : group->points) TogglePoint(model, p, px, py);
    } else {
        for (int p = 0; p < model.PointCount(); ++p) TogglePoint(model, p, px, py);
    }
    model.RemoveFlaggedMarkedPoints();
    return true;
}

}  // namespace bw
