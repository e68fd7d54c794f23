#include "converter/gl/converter_preview_scene.h"

#include "converter/converter_camera.h"
#include "converter/gl/converter_drawing.h"

namespace bw {

void ConverterPreviewScene::Draw() { DrawConverter(model_); }

void ConverterPreviewScene::Pick(int x, int y) { PickPoints(model_, x, y); }

void ConverterPreviewScene::RightDrag(int dx, int dy, bool shiftHeld, bool controlHeld) {
    ApplyConverterRightDrag(model_, dx, dy, shiftHeld, controlHeld);
}

void ConverterPreviewScene::MiddleDrag(int dy) { ApplyConverterMiddleDrag(model_, dy); }

}  // namespace bw
