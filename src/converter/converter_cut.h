// Cutting a whole prepared object into body-part object files without a person: what the
// converter page does by hand for each body part, done for all of them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "converter/converter_model.h"

namespace bw {

struct CutListener {
    // A body part's file was written (SavePart).
    std::function<void(BodyPartId bodyPart, const std::string& path, const PartGroup& group)>
        partWritten;
    // Connection set `set` (1 to 7) of a body part was appended with `count` points.
    std::function<void(BodyPartId bodyPart, int set, std::size_t count)> setWritten;
};

// For every body part that has polygons in the model's object: selects it and saves the part
// (SavePart, into the model's object directory under its object name); then, for each of its
// connection sets whose neighbour's material meets it, marks the lowest point of that seam,
// runs AutoSelect and saves the marked points as the set (SaveConnectionSet). Where the trace
// cannot follow the whole seam (a third material meets it) the set lists the seam in the order
// of OrderedSeam instead. Both sides of a seam list the same points in the same order, so the
// parts connect point for point.
//
// The body part directories must exist. The selected body part, the marked points and the
// selected flags are changed. False when a file could not be written (the model has reported
// why); the other parts are still cut.
bool CutAllParts(ConverterModel& model, const CutListener& listener = {});

}  // namespace bw
