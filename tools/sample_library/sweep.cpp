#include "sweep.h"

#include <cmath>

namespace bw::library {

void BuildTube(const TubeShape& tube, PartMesh& part) {
    Mesh& mesh = part.mesh;
    const SeamRing& in = tube.entry;
    const SeamRing& out = tube.exit;
    const std::size_t n = in.points.size();
    std::vector<double> angles(n);
    for (std::size_t i = 0; i < n; ++i) {
        const V3 o = in.points[i] - in.centre;
        angles[i] = std::atan2(Dot(o, in.frame.e2), Dot(o, in.frame.e1));
    }
    std::vector<int> first = mesh.AddRing(in.points);
    std::vector<int> previous = first;
    for (int row = 1; row <= tube.rows; ++row) {
        const double t = double(row) / tube.rows;
        std::vector<int> current;
        if (row == tube.rows) {
            current = mesh.AddRing(out.points);
        } else {
            const V3 centre = Lerp(in.centre, out.centre, t) + tube.sag * std::sin(kPi * t);
            std::vector<V3> ring;
            for (std::size_t i = 0; i < n; ++i) {
                const V3 offset = Lerp(in.points[i] - in.centre, out.points[i] - out.centre, t);
                ring.push_back(centre + offset * (tube.radius ? tube.radius(t, angles[i]) : 1.0));
            }
            current = mesh.AddRing(ring);
        }
        const double tMid = (row - 0.5) / tube.rows;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (i + 1) % n;
            double angle = std::atan2(std::sin(angles[i]) + std::sin(angles[j]),
                                      std::cos(angles[i]) + std::cos(angles[j]));
            const int surface = tube.surfaceOf ? tube.surfaceOf(tMid, angle) : 0;
            mesh.AddQuad(previous[i], previous[j], current[j], current[i], surface);
        }
        previous = current;
    }
    part.sets[tube.entrySet - 1] = first;
    part.sets[tube.exitSet - 1] = previous;
    const int capSurface = tube.surfaceOf ? tube.surfaceOf(0.0, 0.0) : 0;
    part.capQuads[tube.entrySet - 1] = mesh.Cap(first, in.a, in.b, capSurface, true);
    part.capQuads[tube.exitSet - 1] = mesh.Cap(previous, out.a, out.b, capSurface, false);
    part.Compact();
}

void BuildSock(const SockShape& sock, PartMesh& part) {
    Mesh& mesh = part.mesh;
    const SeamRing& in = sock.entry;
    const std::size_t n = in.points.size();
    std::vector<double> xs(n), ys(n);
    for (std::size_t i = 0; i < n; ++i) {
        const V3 o = in.points[i] - in.centre;
        xs[i] = Dot(o, in.frame.e1);
        ys[i] = Dot(o, in.frame.e2);
    }
    const std::vector<int> first = mesh.AddRing(in.points);
    std::vector<int> previous = first;
    for (int row = 1; row <= sock.rows; ++row) {
        const double t = double(row) / sock.rows;
        std::vector<V3> ring;
        for (std::size_t i = 0; i < n; ++i) ring.push_back(sock.point(t, xs[i], ys[i]));
        const std::vector<int> current = mesh.AddRing(ring);
        const double t0 = double(row - 1) / sock.rows;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t j = (i + 1) % n;
            const int surface =
                sock.surfaceOf ? sock.surfaceOf(t0, (xs[i] + xs[j]) / 2, (ys[i] + ys[j]) / 2) : 0;
            mesh.AddQuad(previous[i], previous[j], current[j], current[i], surface);
        }
        previous = current;
    }
    part.sets[sock.set - 1] = first;
    part.capQuads[sock.set - 1] =
        mesh.Cap(first, in.a, in.b, sock.surfaceOf ? sock.surfaceOf(0, 0, 0) : 0, true);
    const V3 tipAxis = Length(sock.tipAxis) > 0 ? Normalised(sock.tipAxis) : in.frame.n;
    mesh.Cap(previous, in.a, in.b, sock.tipSurface, false, tipAxis, sock.tipDome);
    part.Compact();
}

}  // namespace bw::library
