// What the preview shows in place of the creature, and where its drags go while it does (the
// converter's object while the converter page is active). The preview knows nothing else of
// it; the main dialog hands the view a scene, or none for the creature.
#pragma once

namespace bw {

class PreviewScene {
  public:
    virtual ~PreviewScene() = default;

    // Draws the whole frame but the clear, with the view's context current and a projection of
    // its own (the view restores the creature's afterwards).
    virtual void Draw() = 0;
    // A left drag at (x, y): device pixels from the top left, the view's context current.
    virtual void Pick(int x, int y) = 0;
    // Right and middle drags by (dx, dy) logical pixels, last position minus new one.
    virtual void RightDrag(int dx, int dy, bool shiftHeld, bool controlHeld) = 0;
    virtual void MiddleDrag(int dy) = 0;
};

}  // namespace bw
