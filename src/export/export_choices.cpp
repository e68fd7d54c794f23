#include "export/export_choices.h"

#include <cmath>

namespace bw {

ExportChoices DefaultExportChoices(const ExportFormat& format) {
    ExportChoices choices;
    choices.up = format.defaultUp;
    if (format.weldedSurface) choices.size = ExportSize::Height;
    choices.includeSkeleton = format.skeleton;  // a format that can carry it starts rigged
    return choices;
}

ExportOptions ExportOptionsOf(const ExportChoices& choices, bool typeInSurfaceNames) {
    const auto usable = [](double value) { return std::isfinite(value) && value > 0.0; };
    ExportOptions options;
    options.up = choices.up;
    if (choices.size == ExportSize::Scaled && usable(choices.scale)) options.scale = choices.scale;
    if (choices.size == ExportSize::Height && usable(choices.height))
        options.height = choices.height;
    options.typeInSurfaceNames = typeInSurfaceNames;
    options.includeSkeleton = choices.includeSkeleton;
    options.subdivisionLevel = choices.subdivisionLevel;
    return options;
}

}  // namespace bw
