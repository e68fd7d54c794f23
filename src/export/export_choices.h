// What the user chooses for an export besides the file: the up axis, the size and, for a
// format that can carry one, the skeleton: the same choices as the command line's --up,
// --scale, --height and --rig; and how the choices are asked.
#pragma once

#include <optional>
#include <string>

#include "export/creature_geometry.h"
#include "export/export_format.h"

namespace bw {

enum class ExportSize { AsModelled, Scaled, Height };

struct ExportChoices {
    UpAxis up = UpAxis::Y;
    ExportSize size = ExportSize::AsModelled;
    double scale = 1.0;     // with ExportSize::Scaled; positive and finite
    double height = 100.0;  // with ExportSize::Height, in the file's units; positive and finite
    // The skeleton and skin weights, for a format that can carry them (ExportFormat::skeleton);
    // ignored by the others.
    bool includeSkeleton = false;
    // 0 (the parts as they are), 1 ("Smooth") or 2 ("Smoother"); the window starts it at the
    // preview's level.
    int subdivisionLevel = 0;

    bool operator==(const ExportChoices&) const = default;
};

// The choices a format starts with: its own up axis, as modelled, no skeleton; for printing
// (STL, 3MF) a height of 100 (millimetres).
ExportChoices DefaultExportChoices(const ExportFormat& format);

// The export options of `choices`. A scale or height that is not a positive finite number is
// left out (as modelled).
ExportOptions ExportOptionsOf(const ExportChoices& choices, bool typeInSurfaceNames);

// Asks the user for the choices of an export to `format`, starting from `start`.
class ExportChoicesAsker {
  public:
    virtual ~ExportChoicesAsker() = default;
    // The choices, or nullopt when the user cancelled.
    virtual std::optional<ExportChoices> Ask(const ExportFormat& format,
                                             const ExportChoices& start) = 0;
};

}  // namespace bw
