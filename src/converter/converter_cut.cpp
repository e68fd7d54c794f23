#include "converter/converter_cut.h"

#include <algorithm>
#include <array>

#include "converter/seam_points.h"

namespace bw {
namespace {

// The marked points for the seam between body parts `own` and `neighbour`.
void MarkSeam(ConverterModel& model, BodyPartId own, BodyPartId neighbour,
              const std::vector<std::int32_t>& seam) {
    model.Unselect();
    model.MarkPoint(seam.front());
    model.AutoSelect();
    std::vector<std::int32_t> traced = model.MarkedPointIndices();
    std::sort(traced.begin(), traced.end());
    if (traced == seam) return;
    model.Unselect();
    for (std::int32_t p : OrderedSeam(model, own, neighbour)) model.MarkPoint(p);
}

}  // namespace

bool CutAllParts(ConverterModel& model, const CutListener& listener) {
    if (model.ObjectLoaded() == 0) {
        model.SavePart();  // reports that there is nothing to save
        return false;
    }
    const auto directoryNames = ConverterDirectoryNames();
    bool allWritten = true;
    for (BodyPartId own = 0; own < kBodyPartCount; ++own) {
        if (model.Group(own).polygonCount == 0) continue;
        model.selectedBodyPart = own;
        if (!model.SavePart()) {
            allWritten = false;
            continue;
        }
        if (listener.partWritten)
            listener.partWritten(own, *model.PartFilePath(own, directoryNames), model.Group(own));
        for (const SetConnection& connection : ConnectionsOfTypeCode(*TypeCodeOfBodyPart(own))) {
            if (connection.ownSet > kConnectionLabelCount) continue;
            const BodyPartId neighbour = *BodyPartOfTypeCode(connection.neighbour);
            const std::vector<std::int32_t> seam = SeamPoints(model, own, neighbour);
            if (seam.empty()) continue;
            MarkSeam(model, own, neighbour, seam);
            if (!model.SaveConnectionSet(ConnectionSetCode(connection.ownSet), directoryNames)) {
                allWritten = false;
                continue;
            }
            if (listener.setWritten)
                listener.setWritten(own, connection.ownSet, model.MarkedPoints().Count());
        }
    }
    model.Unselect();
    return allWritten;
}

}  // namespace bw
