#include "mesh_builder.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>

namespace bw::library {

int RectangleRingIndex(int a, int b, int p, int q) {
    const int n = 2 * (a + b);
    int index = 0;
    if (q == 0) {
        index = p;
    } else if (p == a) {
        index = a + q;
    } else if (q == b) {
        index = a + b + (a - p);
    } else {
        index = 2 * a + b + (b - q);
    }
    return index % n;
}

int Mesh::AddPoint(V3 p) {
    points.push_back(p);
    return static_cast<int>(points.size()) - 1;
}

void Mesh::AddQuad(int a, int b, int c, int d, int surface) {
    quads.push_back({{a, b, c, d}, surface});
}

std::vector<int> Mesh::AddRing(const std::vector<V3>& positions) {
    std::vector<int> ring;
    ring.reserve(positions.size());
    for (const V3& p : positions) ring.push_back(AddPoint(p));
    return ring;
}

V3 Mesh::CentreOf(const std::vector<int>& indices) const {
    V3 sum;
    for (int index : indices) sum += points[index];
    return sum * (1.0 / indices.size());
}

void Mesh::Bridge(const std::vector<int>& from, const std::vector<int>& to, int surface,
                  bool flip) {
    const std::size_t n = from.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        if (flip) {
            AddQuad(from[i], to[i], to[j], from[j], surface);
        } else {
            AddQuad(from[i], from[j], to[j], to[i], surface);
        }
    }
}

std::vector<int> Mesh::Cap(const std::vector<int>& ring, int a, int b, int surface, bool flip,
                           V3 domeAxis, double dome) {
    auto boundary = [&](int p, int q) { return points[ring[RectangleRingIndex(a, b, p, q)]]; };
    std::vector<int> grid(std::size_t(a + 1) * std::size_t(b + 1), -1);
    auto at = [&](int p, int q) -> int& { return grid[q * (a + 1) + p]; };
    for (int q = 0; q <= b; ++q) {
        for (int p = 0; p <= a; ++p) {
            if (p == 0 || q == 0 || p == a || q == b) {
                at(p, q) = ring[RectangleRingIndex(a, b, p, q)];
                continue;
            }
            const double s = double(p) / a;
            const double t = double(q) / b;
            const V3 coons =
                boundary(0, q) * (1 - s) + boundary(a, q) * s + boundary(p, 0) * (1 - t) +
                boundary(p, b) * t -
                (boundary(0, 0) * ((1 - s) * (1 - t)) + boundary(a, 0) * (s * (1 - t)) +
                 boundary(0, b) * ((1 - s) * t) + boundary(a, b) * (s * t));
            double ds = 0.0;
            double dt = 0.0;
            SquareToDisc(2 * s - 1, 2 * t - 1, ds, dt);
            const double raise = dome * std::max(0.0, 1.0 - (ds * ds + dt * dt));
            at(p, q) = AddPoint(coons + domeAxis * raise);
        }
    }
    std::vector<int> added;
    for (int q = 0; q < b; ++q) {
        for (int p = 0; p < a; ++p) {
            added.push_back(static_cast<int>(quads.size()));
            if (flip) {
                AddQuad(at(p, q), at(p, q + 1), at(p + 1, q + 1), at(p + 1, q), surface);
            } else {
                AddQuad(at(p, q), at(p + 1, q), at(p + 1, q + 1), at(p, q + 1), surface);
            }
        }
    }
    return added;
}

void Mesh::MirrorX() {
    for (V3& p : points) p = MirroredX(p);
    for (MeshQuad& quad : quads) std::swap(quad.corner[1], quad.corner[3]);
}

std::vector<int> Mesh::DropUnusedPoints() {
    std::vector<int> remap(points.size(), -1);
    std::vector<V3> kept;
    for (MeshQuad& quad : quads) {
        for (int& corner : quad.corner) {
            if (remap[corner] < 0) {
                remap[corner] = static_cast<int>(kept.size());
                kept.push_back(points[corner]);
            }
            corner = remap[corner];
        }
    }
    points = std::move(kept);
    return remap;
}

namespace {

V3 AreaVector(const std::vector<V3>& points, const MeshQuad& quad) {
    const V3 d1 = points[quad.corner[2]] - points[quad.corner[0]];
    const V3 d2 = points[quad.corner[3]] - points[quad.corner[1]];
    return Cross(d1, d2) * 0.5;
}

}  // namespace

std::vector<V3> Mesh::PointNormals() const {
    std::vector<V3> sums(points.size());
    for (const MeshQuad& quad : quads) {
        const V3 area = AreaVector(points, quad);
        for (int corner : quad.corner) sums[corner] += area;
    }
    for (V3& n : sums) n = Normalised(n);
    return sums;
}

bool Mesh::IsClosed(std::string* problem) const {
    std::map<std::pair<int, int>, int> directed;
    for (const MeshQuad& quad : quads) {
        for (int k = 0; k < 4; ++k) ++directed[{quad.corner[k], quad.corner[(k + 1) % 4]}];
    }
    for (const auto& [edge, count] : directed) {
        const auto reverse = directed.find({edge.second, edge.first});
        if (count != 1 || reverse == directed.end() || reverse->second != 1) {
            if (problem) {
                *problem = "edge " + std::to_string(edge.first) + "-" +
                           std::to_string(edge.second) + " used " + std::to_string(count) +
                           " times, reverse " +
                           std::to_string(reverse == directed.end() ? 0 : reverse->second);
            }
            return false;
        }
    }
    return true;
}

double Mesh::SignedVolume() const {
    double volume = 0.0;
    for (const MeshQuad& quad : quads) {
        const V3 a = points[quad.corner[0]];
        for (int k = 1; k < 3; ++k) {
            volume += Dot(a, Cross(points[quad.corner[k]], points[quad.corner[k + 1]])) / 6.0;
        }
    }
    return volume;
}

bool Mesh::HasNoDegenerateQuads(std::string* problem) const {
    for (std::size_t i = 0; i < quads.size(); ++i) {
        const MeshQuad& quad = quads[i];
        bool distinct = true;
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b)
                if (quad.corner[a] == quad.corner[b] ||
                    Length(points[quad.corner[a]] - points[quad.corner[b]]) < 1e-7)
                    distinct = false;
        if (!distinct || Length(AreaVector(points, quad)) < 1e-10) {
            if (problem) *problem = "quad " + std::to_string(i) + " is degenerate";
            return false;
        }
    }
    return true;
}

}  // namespace bw::library
