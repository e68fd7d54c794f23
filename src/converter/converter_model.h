// The object being cut into body-part object files, with all converter state: the points with
// their selection, the quadrilaterals, the materials and their colours, one PartGroup per body
// part, the ordered list of marked points (the connection point set being built), the camera
// and drawing settings of the converter view, and where parts are written.
//
// The main dialog creates one model and keeps it for the whole run; the converter page, the
// preview view and the command-line tool's cut work on it. Messages go to the Notifier given at
// construction (owned by the caller, outliving the model). Single-threaded.
//
// Frames: model points are in the object's units; display points are model points after the
// converter's view transform (converter_view.h), with window pixels of the last projection.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "converter/converter_mesh.h"
#include "converter/converter_types.h"
#include "converter/progress_sink.h"
#include "model/list_node.h"
#include "model/notifier.h"
#include "model/object_list.h"

namespace bw {

// The view modes: three orthographic wireframe views, then wireframe, vertex-normal and
// face-normal shading in perspective.
enum class ConverterViewMode : int {
    Top = 0,
    Front = 1,
    Side = 2,
    Wire = 3,
    Solid = 4,
    Smooth = 5
};

// The connection set codes 'P001' to 'P007' that the page's rows 1 to 7 save.
std::uint32_t ConnectionSetCode(int row);

// Asks the user (or a script) for the prepared object to take; nullopt when cancelled.
using PreparedObjectChooser = std::function<std::optional<std::string>()>;

class ConverterModel : public ListNode {
  public:
    explicit ConverterModel(Notifier& notifier);
    ConverterModel(const ConverterModel&) = delete;
    ConverterModel& operator=(const ConverterModel&) = delete;
    // Resets the model.
    ~ConverterModel() override;

    // --- Taking an object ---------------------------------------------------------------
    // Asks `choose` for a prepared object file and takes it (LoadPreparedObject). False, with
    // nothing changed, when the choice is cancelled or the file is refused.
    bool TakeSelectedObject(const PreparedObjectChooser& choose, ProgressSink& progress);
    // Reads the prepared object at `path` (our object format, surface k marking body part k,
    // or Wavefront OBJ with its material library) and takes it. A refused file is reported
    // under "Unable to take object" with the path and the reason; the previous object, its
    // groups, marked points and saved-set marks then stay as they were and the result is false.
    // On success every selection is cleared and the saved-set marks start empty.
    bool LoadPreparedObject(const std::string& path, ProgressSink& progress);
    // Takes an object already read (no message; `problem` says why it was refused).
    bool TakeObject(const PreparedObject& object, ProgressSink& progress, std::string* problem);
    // Back to the state of construction, the object directory and name included.
    void Reset();

    // Where parts are written: objectDirectory/<body part directory>/<objectName>.bwo.
    void SetObjectDirectory(const std::string& path) { objectDirectory_ = path; }
    void SetObjectName(const std::string& name) { objectName_ = name; }
    const std::string& ObjectDirectory() const { return objectDirectory_; }
    const std::string& ObjectName() const { return objectName_; }

    // --- Selection ----------------------------------------------------------------------
    // Empties the marked-point list and clears every selected flag. Always true.
    bool Unselect();
    // Keeps the first marked point and reverses the order of the others.
    void FlipSelection();
    // Appends a marked point for `point` and selects it (as a pick of an unselected point
    // does). False, changing nothing, for an index out of range.
    bool MarkPoint(std::int32_t point);
    // Traces the seam that starts at the first marked point (see converter_model_seam_trace.cpp).
    // False after a refusal message ("Need atleast 1 marked point!", or fewer than two materials at
    // the first marked point).
    bool AutoSelect();
    // One step of the trace over the working polygons `work` from point `b`: the next seam
    // point, -1 when that point is already selected, -2 when the seam does not go on.
    struct TraceWork {
        // Copies of the polygons of the traced material, in polygon order, none visited yet.
        std::vector<ConverterPolygon> polygons;
        // The working polygons that use point p are polygonsOfPoint[firstOfPoint[p]] up to
        // polygonsOfPoint[firstOfPoint[p + 1] - 1], ascending, once each.
        std::vector<std::int32_t> firstOfPoint;
        std::vector<std::int32_t> polygonsOfPoint;
    };
    // Working copies of the polygons of `material`, for TraceStep.
    TraceWork MakeTraceWork(std::int32_t material) const;
    // The next point of the seam after `b`; none where the trace ends (back at a marked
    // point, or no way on).
    std::optional<std::int32_t> TraceStep(TraceWork& work, std::int32_t b);

    // --- Saving (converter_model_saving.cpp) -------------------------------------------
    // Writes the selected body part's group, its normals and every material as a new object
    // file; reports the outcome ("ObjectPart saved", or why nothing was written). True when
    // the file was written.
    bool SavePart();
    // Appends the marked points, as local indices of the selected body part, to its object
    // file as connection set `code` ('P001' to 'P007'); `directoryNames` holds the body part
    // directory names by BodyPartId. True when the set was appended.
    bool SaveConnectionSet(std::uint32_t code, std::span<const std::string_view> directoryNames);
    // The file a body part's part and sets go to, with the given directory names (by
    // BodyPartId). nullopt for a body part outside them.
    std::optional<std::string> PartFilePath(BodyPartId bodyPart,
                                            std::span<const std::string_view> directoryNames) const;

    // --- Colours --------------------------------------------------------------------------
    // The colour of the selected body part's material; black without a selected body part.
    void GetPartColour(float& red, float& green, float& blue) const;
    // Stores the colour of the selected body part's material, also as bytes 6 to 8 of its
    // colour sub-chunk. Does nothing without a selected body part or material.
    void SetPartColour(float red, float green, float blue);
    // The same for materials 0 to 21.
    void ApplyColourToAll(float red, float green, float blue);

    // --- State ----------------------------------------------------------------------------
    int ObjectLoaded() const { return objectLoaded_; }
    int PointCount() const { return int(mesh_.modelPoints.size()); }
    int PolygonCount() const { return int(mesh_.polygons.size()); }
    int MaterialCount() const { return int(mesh_.materials.size()); }
    // The diagonal of the object's bounding box, model units; 0 without an object.
    float ObjectSize() const { return mesh_.size; }
    std::span<ConverterPoint> ModelPoints() { return mesh_.modelPoints; }
    std::span<const ConverterPoint> ModelPoints() const { return mesh_.modelPoints; }
    std::span<ConverterPoint> DisplayPoints() { return mesh_.displayPoints; }
    std::span<const ConverterPoint> DisplayPoints() const { return mesh_.displayPoints; }
    std::span<const ConverterPoint> ModelNormals() const { return mesh_.modelNormals; }
    std::span<ConverterPoint> DisplayNormals() { return mesh_.displayNormals; }
    std::span<const ConverterPoint> DisplayNormals() const { return mesh_.displayNormals; }
    std::span<const ConverterPolygon> Polygons() const { return mesh_.polygons; }
    std::span<const SurfaceMaterial> Materials() const { return mesh_.materials; }
    // Group k for body part k (0 to 21).
    const PartGroup& Group(BodyPartId k) const { return mesh_.groups[std::size_t(k)]; }
    // The group of the selected body part, or nullptr without one.
    const PartGroup* SelectedGroup() const;
    // The marked points in order.
    const ObjectList& MarkedPoints() const { return markedPoints_; }
    // The point indices of the marked points, in order.
    std::vector<std::int32_t> MarkedPointIndices() const;
    // Sets a point's selected flag in the model and display points alike.
    void SetSelected(std::int32_t point, bool selected);
    // Appends an entry without touching the selected flags (picking sets them itself).
    void AppendMarkedPoint(std::int32_t point);
    // Removes every marked-point entry whose removal flag is set, keeping the others' order.
    void RemoveFlaggedMarkedPoints();
    // Sets the removal flag of every entry for `point`.
    void FlagMarkedPointForRemoval(std::int32_t point);
    Notifier& GetNotifier() const { return notifier_; }

    // Camera of the converter view: radians, view units.
    float heading = 0.0f;
    float pitch = 0.0f;
    float viewOffsetX = 0.0f;
    float viewOffsetY = 0.0f;
    float viewDistance = 0.0f;
    int showSelection = 0;  // 1: draw the marked path
    ConverterViewMode viewMode = ConverterViewMode::Wire;
    int hideRest = 0;  // 1: show and pick only the selected body part
    std::optional<BodyPartId> selectedBodyPart;
    // 3 rows of 4 (row major), built by UpdateViewTransform from heading, pitch, roll, scale
    // and translation.
    std::array<double, 12> viewMatrix{};
    std::array<float, 3> translation{0.0f, 0.0f, 0.0f};  // always 0
    float roll = 0.0f;                                   // always 0
    std::array<float, 3> scale{1.0f, 1.0f, 1.0f};        // always 1

  private:
    void SetMaterialColour(std::size_t material, float red, float green, float blue);
    // Shows an "Error" message with a warning icon.
    void ShowError(const std::string& text);
    bool CheckObjectName();

    Notifier& notifier_;
    ConverterMesh mesh_;
    int objectLoaded_ = 0;
    std::string objectName_;
    std::string objectDirectory_;
    ObjectList markedPoints_;
};

}  // namespace bw
