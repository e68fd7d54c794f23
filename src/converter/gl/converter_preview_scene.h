// The converter's object as the preview's scene: drawn by DrawConverter, picked by
// PickPoints, its camera moved by the right and middle drags.
#pragma once

#include "converter/converter_model.h"
#include "render/preview_scene.h"

namespace bw {

class ConverterPreviewScene : public PreviewScene {
  public:
    // `model` outlives the scene.
    explicit ConverterPreviewScene(ConverterModel& model) : model_(model) {}

    void Draw() override;
    void Pick(int x, int y) override;
    void RightDrag(int dx, int dy, bool shiftHeld, bool controlHeld) override;
    void MiddleDrag(int dy) override;

  private:
    ConverterModel& model_;
};

}  // namespace bw
