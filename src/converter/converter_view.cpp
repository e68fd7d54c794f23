#include "converter/converter_view.h"

#include <cmath>

#include "model/vec3.h"

namespace bw {
namespace {

constexpr float kQuarterTurn = 1.57f;
constexpr float kHalfTurn = 3.14f;

}  // namespace

void UpdateViewTransform(ConverterModel& model) {
    const double a = model.heading;
    const double c = model.pitch;
    const double b = model.roll;
    const double sx = model.scale[0], sy = model.scale[1], sz = model.scale[2];
    const double sa = std::sin(a), ca = std::cos(a);
    const double sb = std::sin(b), cb = std::cos(b);
    const double sc = std::sin(c), cc = std::cos(c);
    auto& m = model.viewMatrix;
    m[0] = (ca * cb + sa * sc * sb) * sx;
    m[1] = (sa * cb * sc - sb * ca) * sy;
    m[2] = sa * cc * sz;
    m[3] = model.translation[0];
    m[4] = sb * cc * sx;
    m[5] = cb * cc * sy;
    m[6] = -sc * sz;
    m[7] = model.translation[1];
    m[8] = (sc * sb * ca - cb * sa) * sx;
    m[9] = (sa * sb + ca * cb * sc) * sy;
    m[10] = ca * cc * sz;
    m[11] = model.translation[2];
}

ConverterCentre DisplayCentre(const ConverterModel& model) {
    const PartGroup* group = model.hideRest == 1 ? model.SelectedGroup() : nullptr;
    if (!group) return {};
    return {group->centreX, group->centreY, group->centreZ};
}

void TransformToDisplay(ConverterModel& model) {
    const auto& m = model.viewMatrix;
    const ConverterCentre centre = DisplayCentre(model);
    const auto points = model.ModelPoints();
    const auto normals = model.ModelNormals();
    const auto display = model.DisplayPoints();
    const auto displayNormals = model.DisplayNormals();
    const double offset[3] = {model.viewOffsetX, model.viewOffsetY, model.viewDistance};
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double d[3] = {double(points[i].x - centre.x), double(points[i].y - centre.y),
                             double(points[i].z - centre.z)};
        const double n[3] = {normals[i].x, normals[i].y, normals[i].z};
        float* out[3] = {&display[i].x, &display[i].y, &display[i].z};
        float* outNormal[3] = {&displayNormals[i].x, &displayNormals[i].y, &displayNormals[i].z};
        for (int row = 0; row < 3; ++row) {
            const double* r = &m[std::size_t{4} * std::size_t(row)];
            *out[row] = float(r[0] * d[0] + r[1] * d[1] + r[2] * d[2] + r[3] + offset[row]);
            *outNormal[row] = float(r[0] * n[0] + r[1] * n[1] + r[2] * n[2]);
        }
    }
}

ConverterPolygonStyle PolygonStyleOf(ConverterViewMode viewMode) {
    switch (viewMode) {
        case ConverterViewMode::Solid:
            return ConverterPolygonStyle::VertexNormals;
        case ConverterViewMode::Smooth:
            return ConverterPolygonStyle::FaceNormals;
        default:
            return ConverterPolygonStyle::Wireframe;
    }
}

bool IsOrthographicMode(ConverterViewMode viewMode) {
    return viewMode == ConverterViewMode::Top || viewMode == ConverterViewMode::Front ||
           viewMode == ConverterViewMode::Side;
}

void ApplyViewModeAngles(ConverterModel& model) {
    switch (model.viewMode) {
        case ConverterViewMode::Top:
            model.heading = 0.0f;
            model.pitch = kQuarterTurn;
            break;
        case ConverterViewMode::Front:
            model.heading = kHalfTurn;
            model.pitch = 0.0f;
            break;
        case ConverterViewMode::Side:
            model.heading = kQuarterTurn;
            model.pitch = 0.0f;
            break;
        default:
            break;
    }
}

std::optional<ConverterNormal> ConverterFaceNormal(const ConverterPoint& a, const ConverterPoint& b,
                                                   const ConverterPoint& d) {
    const Vec3d n = Cross(b.Position() - a.Position(), d.Position() - a.Position());
    const double length = Length(n);
    if (!(length > 0.00001)) return std::nullopt;
    return ConverterNormal{n.x / length, n.y / length, n.z / length};
}

float MarkedPathLift(const ConverterModel& model) { return model.ObjectSize() / 400.0f; }

std::vector<float> MarkedPathReds(int entries) {
    std::vector<float> reds;
    if (entries < 2) return reds;
    const float step = 0.5f / float(entries);
    float red = 1.0f;
    for (int i = 0; i + 1 < entries; ++i) {
        reds.push_back(red);
        red -= step;
    }
    return reds;
}

}  // namespace bw
