#include "sweep.h"

#include <cmath>

namespace bw::library {

void BuildTube(const TubeSpec& spec, PartMesh& part) {
    Mesh& mesh = part.mesh;
    const SeamRing& in = spec.entry;
    const SeamRing& out = spec.exit;
    const std::size_t n = in.points.size();
    std::vector<double> angles(n);
    for (std::size_t i = 0; i < n; ++i) {
        const V3 o = in.points[i] - in.centre;
        angles[i] = std::atan2(Dot(o, in.frame.e2), Dot(o, in.frame.e1));
    }
    std::vector<int> first = mesh.AddRing(in.points);
    std::vector<int> previous = first;
    for (int row = 1; row <= spec.rows; ++row) {
        const double t = double(row) / spec.rows;
        std::vector<int> current;
        if (row == spec.rows) {
            current = mesh.AddRing(out.points);
        } else {
            const V3 centre = Lerp(in.centre, out.centre, t) + spec.sag * std::sin(kPi * t);
            std::vector<V3> ring;
            for (std::size_t i = 0; i < n; ++i) {
                const V3 offset = Lerp(in.points[i] - in.centre, out.points[i] - out.centre, t);
                ring.push_back(centre + offset * (spec.radius ? spec.radius(t, angles[i]) : 1.0));
            }
            current = mesh.AddRing(ring);
        }
        const double tMid = (row - 0.5) / spec.rows;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (i + 1) % n;
            double angle = std::atan2(std::sin(angles[i]) + std::sin(angles[j]),
                                      std::cos(angles[i]) + std::cos(angles[j]));
            const int surface = spec.surfaceOf ? spec.surfaceOf(tMid, angle) : 0;
            mesh.AddQuad(previous[i], previous[j], current[j], current[i], surface);
        }
        previous = current;
    }
    part.sets[spec.entrySet - 1] = first;
    part.sets[spec.exitSet - 1] = previous;
    const int capSurface = spec.surfaceOf ? spec.surfaceOf(0.0, 0.0) : 0;
    part.capQuads[spec.entrySet - 1] = mesh.Cap(first, in.a, in.b, capSurface, true);
    part.capQuads[spec.exitSet - 1] = mesh.Cap(previous, out.a, out.b, capSurface, false);
}

std::vector<int> BuildSock(const SockSpec& spec, PartMesh& part) {
    Mesh& mesh = part.mesh;
    const SeamRing& in = spec.entry;
    const std::size_t n = in.points.size();
    std::vector<double> xs(n), ys(n);
    for (std::size_t i = 0; i < n; ++i) {
        const V3 o = in.points[i] - in.centre;
        xs[i] = Dot(o, in.frame.e1);
        ys[i] = Dot(o, in.frame.e2);
    }
    const std::vector<int> first = mesh.AddRing(in.points);
    std::vector<int> previous = first;
    for (int row = 1; row <= spec.rows; ++row) {
        const double t = double(row) / spec.rows;
        std::vector<V3> ring;
        for (std::size_t i = 0; i < n; ++i) ring.push_back(spec.point(t, xs[i], ys[i]));
        const std::vector<int> current = mesh.AddRing(ring);
        const double t0 = double(row - 1) / spec.rows;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (i + 1) % n;
            const int surface =
                spec.surfaceOf ? spec.surfaceOf(t0, (xs[i] + xs[j]) / 2, (ys[i] + ys[j]) / 2) : 0;
            mesh.AddQuad(previous[i], previous[j], current[j], current[i], surface);
        }
        previous = current;
    }
    part.sets[spec.set - 1] = first;
    part.capQuads[spec.set - 1] =
        mesh.Cap(first, in.a, in.b, spec.surfaceOf ? spec.surfaceOf(0, 0, 0) : 0, true);
    const V3 tipAxis = Length(spec.tipAxis) > 0 ? Normalised(spec.tipAxis) : in.frame.n;
    mesh.Cap(previous, in.a, in.b, spec.tipSurface, false, tipAxis, spec.tipDome);
    return first;
}

}  // namespace bw::library
