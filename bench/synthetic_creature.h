// Object files for benchmarks: one synthetic part per body part whose connection sets all have
// the same size, so any creature of them connects without a message.
#pragma once

#include <array>
#include <string>

#include "model/body_part_catalogue.h"

namespace bw::bench {

// Writes one part file per body part into `directory` (created if needed) and returns their
// paths in BodyPartId order. Each part is a grid of about `pointsPerPart` points.
std::array<std::string, kBodyPartCount> WriteSyntheticParts(const std::string& directory,
                                                            int pointsPerPart);

}  // namespace bw::bench
