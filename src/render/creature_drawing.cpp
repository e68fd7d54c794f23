#include "render/creature_drawing.h"

// Placeholder until the drawing lands; replaced in the next commits.
namespace bw {
void DrawCreature(Creature&) {}
bool DrawPartSmooth(PartObject&, float) { return false; }
bool DrawPartFlat(PartObject&, float) { return false; }
bool DrawPartWire(PartObject&) { return false; }
bool DrawHighlightOverlay(PartObject&) { return false; }
}  // namespace bw
