#include "converter/converter_camera.h"

namespace bw {

void ApplyConverterRightDrag(ConverterModel& model, int dx, int dy, bool shiftHeld, bool ctrlHeld) {
    if (shiftHeld) {
        model.viewDistance -= float(dy) * kConverterDragStep;
    } else if (ctrlHeld) {
        model.heading -= float(dx) * kConverterDragStep;
        model.pitch += float(dy) * kConverterDragStep;
    } else {
        model.viewOffsetX -= float(dx) * kConverterDragStep;
        model.viewOffsetY += float(dy) * kConverterDragStep;
    }
}

void ApplyConverterMiddleDrag(ConverterModel& model, int dy) {
    model.viewDistance -= float(dy) * kConverterDragStep;
}

}  // namespace bw
