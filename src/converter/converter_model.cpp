#include "converter/converter_model.h"

#include <algorithm>
#include <cmath>

#include "converter/prepared_object_file.h"
#include "model/colour_byte.h"
#include "model/object_file_format.h"

namespace bw {

std::uint32_t ConnectionSetCode(int row) { return ConnectionSetTag(row); }

ConverterModel::ConverterModel(Notifier& notifier) : notifier_(notifier) {}

ConverterModel::~ConverterModel() { Reset(); }

void ConverterModel::Reset() {
    Unselect();
    mesh_ = ConverterMesh{};
    objectLoaded_ = 0;
    objectName_.clear();
    objectDirectory_.clear();
    heading = pitch = 0.0f;
    viewOffsetX = viewOffsetY = viewDistance = 0.0f;
    showSelection = 0;
    viewMode = ConverterViewMode::Wire;
    hideRest = 0;
    selectedBodyPart.reset();
    viewMatrix = {};
    translation = {0.0f, 0.0f, 0.0f};
    roll = 0.0f;
    scale = {1.0f, 1.0f, 1.0f};
}

bool ConverterModel::TakeSelectedObject(const PreparedObjectChooser& choose,
                                        ProgressSink& progress) {
    const std::optional<std::string> path = choose ? choose() : std::nullopt;
    if (!path) return false;
    return LoadPreparedObject(*path, progress);
}

bool ConverterModel::LoadPreparedObject(const std::string& path, ProgressSink& progress) {
    std::string problem;
    PreparedObject object;
    if (!ReadPreparedObjectFile(path, object, &problem) ||
        !TakeObject(object, progress, &problem)) {
        notifier_.ShowMessage(path + "\n" + problem, "Unable to take object", MessageIcon::Warning,
                              MessageButtons::Ok);
        return false;
    }
    return true;
}

bool ConverterModel::TakeObject(const PreparedObject& object, ProgressSink& progress,
                                std::string* problem) {
    ConverterMesh mesh;
    if (!BuildConverterMesh(object, mesh, progress, problem)) return false;
    Unselect();
    mesh_ = std::move(mesh);
    objectLoaded_ = 1;
    return true;
}

bool ConverterModel::Unselect() {
    while (markedPoints_.Count() > 0) markedPoints_.RemoveAt(markedPoints_.Count() - 1);
    markedPoints_.RebuildIndex();
    for (ConverterPoint& p : mesh_.modelPoints) p.selected = 0;
    for (ConverterPoint& p : mesh_.displayPoints) p.selected = 0;
    return true;
}

void ConverterModel::FlipSelection() {
    const int n = markedPoints_.Count();
    if (n < 2) return;
    markedPoints_.RebuildIndex();
    for (int i = 0; i < (n - 1) / 2; ++i) {
        auto* a = markedPoints_.IndexedAs<MarkedPoint>(i + 1);
        auto* b = markedPoints_.IndexedAs<MarkedPoint>(n - 1 - i);
        std::swap(a->pointIndex, b->pointIndex);
        std::swap(a->removal, b->removal);
    }
}

void ConverterModel::SetSelected(std::int32_t point, bool selected) {
    if (point < 0 || point >= PointCount()) return;
    mesh_.modelPoints[std::size_t(point)].selected = selected ? 1 : 0;
    mesh_.displayPoints[std::size_t(point)].selected = selected ? 1 : 0;
}

void ConverterModel::AppendMarkedPoint(std::int32_t point) {
    markedPoints_.Append(new MarkedPoint(point));
    markedPoints_.RebuildIndex();
}

bool ConverterModel::MarkPoint(std::int32_t point) {
    if (point < 0 || point >= PointCount()) return false;
    AppendMarkedPoint(point);
    SetSelected(point, true);
    return true;
}

void ConverterModel::FlagMarkedPointForRemoval(std::int32_t point) {
    for (ListNode* node = markedPoints_.At(0); node; node = node->next) {
        auto* entry = static_cast<MarkedPoint*>(node);
        if (entry->pointIndex == point) entry->removal = 1;
    }
}

void ConverterModel::RemoveFlaggedMarkedPoints() {
    // One walk: the list keeps the order of the entries that stay.
    int i = 0;
    for (ListNode* node = markedPoints_.At(0); node;) {
        ListNode* next = node->next;
        if (static_cast<MarkedPoint*>(node)->removal == 1)
            markedPoints_.RemoveAt(i);
        else
            ++i;
        node = next;
    }
    markedPoints_.RebuildIndex();
}

std::vector<std::int32_t> ConverterModel::MarkedPointIndices() const {
    std::vector<std::int32_t> indices;
    indices.reserve(std::size_t(markedPoints_.Count()));
    for (ListNode* node = markedPoints_.At(0); node; node = node->next)
        indices.push_back(static_cast<const MarkedPoint*>(node)->pointIndex);
    return indices;
}

const PartGroup* ConverterModel::SelectedGroup() const {
    if (!selectedBodyPart || !IsValidBodyPartId(*selectedBodyPart)) return nullptr;
    return &mesh_.groups[std::size_t(*selectedBodyPart)];
}

void ConverterModel::GetPartColour(float& red, float& green, float& blue) const {
    red = green = blue = 0.0f;
    if (!selectedBodyPart || *selectedBodyPart < 0 ||
        std::size_t(*selectedBodyPart) >= mesh_.materials.size())
        return;
    const auto& colour = mesh_.materials[std::size_t(*selectedBodyPart)].colour;
    red = colour[0];
    green = colour[1];
    blue = colour[2];
}

void ConverterModel::SetMaterialColour(std::size_t material, float red, float green, float blue) {
    if (material >= mesh_.materials.size()) return;
    SurfaceMaterial& m = mesh_.materials[material];
    m.colour = {red, green, blue};
    // The block opens with its colour sub-chunk (converter_mesh.h); a block too short for the
    // three colour bytes keeps the float colour only.
    if (m.dataBlock.size() < kColourSubChunkMinSize) return;
    m.dataBlock[kColourSubChunkRed] = ColourByte(red);
    m.dataBlock[kColourSubChunkRed + 1] = ColourByte(green);
    m.dataBlock[kColourSubChunkRed + 2] = ColourByte(blue);
}

void ConverterModel::SetPartColour(float red, float green, float blue) {
    if (!selectedBodyPart || *selectedBodyPart < 0) return;
    SetMaterialColour(std::size_t(*selectedBodyPart), red, green, blue);
}

void ConverterModel::ApplyColourToAll(float red, float green, float blue) {
    for (std::size_t m = 0; m < std::size_t(kBodyPartCount); ++m)
        SetMaterialColour(m, red, green, blue);
}

void ConverterModel::ShowError(const std::string& text) {
    notifier_.ShowMessage(text, "Error", MessageIcon::Warning, MessageButtons::Ok);
}

}  // namespace bw
