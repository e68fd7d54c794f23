// The preview's camera, shared by every drawing of the creature and of the converter's object
// (the window, pictures without a display, the benchmarks): the eye half a unit in front of the
// model's origin looking down -Z, a 45 degree vertical field of view, and the near and far
// planes, in model units.
#pragma once

namespace bw {

inline constexpr double kEyeDistance = 0.5;
inline constexpr double kFieldOfViewDegrees = 45.0;
inline constexpr double kNearPlane = 0.02;
inline constexpr double kFarPlane = 400.0;

}  // namespace bw
