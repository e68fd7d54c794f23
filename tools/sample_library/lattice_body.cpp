#include "lattice_body.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace bw::library {
namespace {

enum Region { kBottom = 0, kSide = 1, kTop = 2 };

struct Ijk {
    int i;
    int j;
    int k;
};

void FaceSize(const LatticeBody& b, int face, int& u, int& v) {
    const int sizes[6][2] = {{b.nC, b.nB}, {b.nB, b.nC}, {b.nA, b.nC},
                             {b.nC, b.nA}, {b.nB, b.nA}, {b.nA, b.nB}};
    u = sizes[face][0];
    v = sizes[face][1];
}

Ijk FaceCorner(const LatticeBody& b, int face, int p, int q) {
    switch (face) {
        case 0:
            return {0, q, p};
        case 1:
            return {b.nA, p, q};
        case 2:
            return {p, 0, q};
        case 3:
            return {q, b.nB, p};
        case 4:
            return {q, p, 0};
        default:
            return {p, q, b.nC};
    }
}

ProfileKey Interpolate(const std::vector<ProfileKey>& keys, double v) {
    if (keys.size() == 1) return keys.front();
    v = std::clamp(v, keys.front().v, keys.back().v);
    std::size_t k = 0;
    while (k + 2 < keys.size() && v > keys[k + 1].v) ++k;
    const double span = keys[k + 1].v - keys[k].v;
    const double t = span > 0.0 ? (v - keys[k].v) / span : 0.0;
    const ProfileKey& p0 = keys[k == 0 ? 0 : k - 1];
    const ProfileKey& p1 = keys[k];
    const ProfileKey& p2 = keys[k + 1];
    const ProfileKey& p3 = keys[std::min(k + 2, keys.size() - 1)];
    auto spline = [t](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t * t +
                      (-a + 3 * b - 3 * c + d) * t * t * t);
    };
    ProfileKey key;
    key.v = v;
    key.y = spline(p0.y, p1.y, p2.y, p3.y);
    key.ra = spline(p0.ra, p1.ra, p2.ra, p3.ra);
    key.rc = spline(p0.rc, p1.rc, p2.rc, p3.rc);
    key.ca = spline(p0.ca, p1.ca, p2.ca, p3.ca);
    key.cc = spline(p0.cc, p1.cc, p2.cc, p3.cc);
    key.square = spline(p0.square, p1.square, p2.square, p3.square);
    return key;
}

double Superellipse(double c, double square) {
    const double magnitude = std::pow(std::fabs(c), 2.0 / square);
    return c < 0 ? -magnitude : magnitude;
}

// Normal of a loop by Newell's method: outward for a loop running counter-clockwise seen
// from outside.
V3 LoopNormal(const Mesh& mesh, const std::vector<int>& loop) {
    V3 sum;
    for (std::size_t i = 0; i < loop.size(); ++i)
        sum += Cross(mesh.points[loop[i]], mesh.points[loop[(i + 1) % loop.size()]]);
    return Normalised(sum);
}

// The loop re-indexed (and reversed when `reverse`) so that point i lies nearest ring point i.
std::vector<int> AlignLoop(const Mesh& mesh, const std::vector<int>& loop,
                           const std::vector<V3>& ring, bool reverse) {
    const int n = static_cast<int>(loop.size());
    if (ring.size() != loop.size()) {
        // A block whose edge does not have the seam's point count: a fault of the generator.
        std::fprintf(stderr, "bw_sample_library: a block of %d points for a ring of %zu\n", n,
                     ring.size());
        std::abort();
    }
    const V3 loopCentre = mesh.CentreOf(loop);
    const V3 ringCentre = Centroid(ring);
    auto at = [&](int i, int shift) {
        return reverse ? loop[(shift - i + n) % n] : loop[(i + shift) % n];
    };
    int best = 0;
    double bestCost = std::numeric_limits<double>::max();
    for (int shift = 0; shift < n; ++shift) {
        double cost = 0.0;
        for (int i = 0; i < n; ++i) {
            const V3 d = (mesh.points[at(i, shift)] - loopCentre) - (ring[i] - ringCentre);
            cost += Dot(d, d);
        }
        if (cost < bestCost - 1e-12) {
            bestCost = cost;
            best = shift;
        }
    }
    std::vector<int> aligned(n);
    for (int i = 0; i < n; ++i) aligned[i] = at(i, best);
    return aligned;
}

V3 Hermite(V3 p0, V3 m0, V3 p1, V3 m1, double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    return p0 * (2 * t3 - 3 * t2 + 1) + m0 * (t3 - 2 * t2 + t) + p1 * (-2 * t3 + 3 * t2) +
           m1 * (t3 - t2);
}

// Rotation taking unit vector `from` onto unit vector `to`.
V3 RotateOnto(V3 v, V3 from, V3 to) {
    const V3 axis = Cross(from, to);
    const double s = Length(axis);
    if (s < 1e-9) return Dot(from, to) > 0 ? v : -v;
    return Rotated(v, axis * (1.0 / s), std::atan2(s, Dot(from, to)));
}

class LatticeBuilder {
  public:
    LatticeBuilder(const LatticeBody& body, PartMesh& part)
        : body_(body), part_(part), mesh_(part.mesh) {}

    void Build() {
        CreatePoints();
        MarkBlocks();
        PinPorts();
        AddCells();
        for (const LatticePort& port : body_.ports)
            if (port.kind == PortKind::Extruded) Extrude(port);
        for (const Appendage& appendage : body_.appendages) Grow(appendage);
    }

  private:
    int& Index(int i, int j, int k) {
        return index_[(i * (body_.nB + 1) + j) * (body_.nC + 1) + k];
    }
    int Index(Ijk c) { return Index(c.i, c.j, c.k); }

    void CreatePoints() {
        index_.assign(
            std::size_t(body_.nA + 1) * std::size_t(body_.nB + 1) * std::size_t(body_.nC + 1), -1);
        for (int i = 0; i <= body_.nA; ++i)
            for (int j = 0; j <= body_.nB; ++j)
                for (int k = 0; k <= body_.nC; ++k) {
                    if (i != 0 && i != body_.nA && j != 0 && j != body_.nB && k != 0 &&
                        k != body_.nC)
                        continue;
                    const int region = j == 0 ? kBottom : (j == body_.nB ? kTop : kSide);
                    Index(i, j, k) =
                        mesh_.AddPoint(MapLatticePoint(body_, i, j, k, region).position);
                }
    }

    void MarkBlocks() {
        for (int face = 0; face < 6; ++face) {
            int u = 0, v = 0;
            FaceSize(body_, face, u, v);
            removed_[face].assign(std::size_t(u) * std::size_t(v), 0);
        }
        auto mark = [&](const LatticeBlock& block) {
            int u = 0, v = 0;
            FaceSize(body_, block.face, u, v);
            for (int q = block.q0; q < block.q1; ++q)
                for (int p = block.p0; p < block.p1; ++p) removed_[block.face][q * u + p] = 1;
        };
        for (const LatticePort& port : body_.ports) mark(port.block);
        for (const Appendage& appendage : body_.appendages) mark(appendage.block);
    }

    std::vector<int> BlockLoop(const LatticeBlock& b) {
        std::vector<int> loop;
        for (int p = b.p0; p < b.p1; ++p) loop.push_back(Index(FaceCorner(body_, b.face, p, b.q0)));
        for (int q = b.q0; q < b.q1; ++q) loop.push_back(Index(FaceCorner(body_, b.face, b.p1, q)));
        for (int p = b.p1; p > b.p0; --p) loop.push_back(Index(FaceCorner(body_, b.face, p, b.q1)));
        for (int q = b.q1; q > b.q0; --q) loop.push_back(Index(FaceCorner(body_, b.face, b.p0, q)));
        return loop;
    }

    void PinPorts() {
        struct Pin {
            std::vector<int> loop;
            std::vector<V3> delta;
            double reach;
        };
        std::vector<Pin> pins;
        std::vector<char> pinned(mesh_.points.size(), 0);
        for (const LatticePort& port : body_.ports) {
            if (port.kind != PortKind::Pinned) continue;
            const bool flip = port.entry != IsMirrorImage(port.ring);
            Pin pin{
                AlignLoop(mesh_, BlockLoop(port.block), port.ring.points, flip), {}, port.reach};
            for (std::size_t i = 0; i < pin.loop.size(); ++i) {
                pin.delta.push_back(port.ring.points[i] - mesh_.points[pin.loop[i]]);
                pinned[pin.loop[i]] = 1;
            }
            part_.sets[port.set - 1] = pin.loop;
            pins.push_back(std::move(pin));
        }
        const std::vector<V3> original = mesh_.points;
        for (std::size_t v = 0; v < original.size(); ++v) {
            if (pinned[v]) continue;
            for (const Pin& pin : pins) {
                double nearest = std::numeric_limits<double>::max();
                V3 weighted;
                double weights = 0.0;
                for (std::size_t i = 0; i < pin.loop.size(); ++i) {
                    const double d = Length(original[v] - original[pin.loop[i]]);
                    nearest = std::min(nearest, d);
                    const double w = 1.0 / std::max(d * d, 1e-12);
                    weighted += pin.delta[i] * w;
                    weights += w;
                }
                if (nearest < pin.reach)
                    mesh_.points[v] += weighted * (SmoothStep(1.0 - nearest / pin.reach) / weights);
            }
        }
        for (const Pin& pin : pins)
            for (std::size_t i = 0; i < pin.loop.size(); ++i)
                mesh_.points[pin.loop[i]] = original[pin.loop[i]] + pin.delta[i];
        for (const LatticePort& port : body_.ports) {
            if (port.kind != PortKind::Pinned) continue;
            const bool flip = port.entry != IsMirrorImage(port.ring);
            part_.capQuads[port.set - 1] =
                mesh_.Cap(part_.sets[port.set - 1], port.ring.a, port.ring.b, port.surface, flip);
        }
    }

    void AddCells() {
        for (int face = 0; face < 6; ++face) {
            int u = 0, v = 0;
            FaceSize(body_, face, u, v);
            const int region = face == 2 ? kBottom : (face == 3 ? kTop : kSide);
            for (int q = 0; q < v; ++q)
                for (int p = 0; p < u; ++p) {
                    if (removed_[face][q * u + p]) continue;
                    const Ijk c[4] = {
                        FaceCorner(body_, face, p, q), FaceCorner(body_, face, p + 1, q),
                        FaceCorner(body_, face, p + 1, q + 1), FaceCorner(body_, face, p, q + 1)};
                    int surface = 0;
                    if (body_.surfaceOf) {
                        const double ci = (c[0].i + c[1].i + c[2].i + c[3].i) / 4.0;
                        const double cj = (c[0].j + c[1].j + c[2].j + c[3].j) / 4.0;
                        const double ck = (c[0].k + c[1].k + c[2].k + c[3].k) / 4.0;
                        surface = body_.surfaceOf(MapLatticePoint(body_, ci, cj, ck, region));
                    }
                    mesh_.AddQuad(Index(c[0]), Index(c[1]), Index(c[2]), Index(c[3]), surface);
                }
        }
    }

    void Extrude(const LatticePort& port) {
        const bool flip = port.entry != IsMirrorImage(port.ring);
        const std::vector<int> loop =
            AlignLoop(mesh_, BlockLoop(port.block), port.ring.points, flip);
        const V3 start = mesh_.CentreOf(loop);
        const V3 startDirection = LoopNormal(mesh_, BlockLoop(port.block));
        const V3 endDirection = port.entry ? -port.ring.frame.n : port.ring.frame.n;
        const V3 end = Centroid(port.ring.points);
        const double reach = Length(end - start);
        std::vector<int> previous = loop;
        for (int row = 1; row <= port.rows; ++row) {
            const double t = double(row) / port.rows;
            const V3 centre = Hermite(start, startDirection * reach, end, endDirection * reach, t);
            const double blend = SmoothStep(t);
            const double swell = 1.0 + port.bulge * std::sin(kPi * t);
            std::vector<V3> ring;
            for (std::size_t i = 0; i < loop.size(); ++i) {
                const V3 from = mesh_.points[loop[i]] - start;
                const V3 to = port.ring.points[i] - end;
                ring.push_back(row == port.rows ? port.ring.points[i]
                                                : centre + Lerp(from, to, blend) * swell);
            }
            const std::vector<int> current = mesh_.AddRing(ring);
            mesh_.Bridge(previous, current, port.surface, flip);
            previous = current;
        }
        part_.sets[port.set - 1] = previous;
        part_.capQuads[port.set - 1] =
            mesh_.Cap(previous, port.ring.a, port.ring.b, port.surface, flip);
    }

    void Grow(const Appendage& a) {
        const std::vector<int> loop = BlockLoop(a.block);
        const V3 start = mesh_.CentreOf(loop);
        const V3 normal = LoopNormal(mesh_, loop);
        const V3 direction = Normalised(a.direction);
        const V3 axis = Normalised(a.bendAxis);
        std::vector<V3> offsets;
        for (int index : loop)
            offsets.push_back(RotateOnto(mesh_.points[index] - start, normal, direction));
        std::vector<int> previous = loop;
        V3 centre = start;
        const double step = a.length / a.rows;
        for (int row = 1; row <= a.rows; ++row) {
            const double t = double(row) / a.rows;
            const double angle = a.bendAngle * t;
            centre += Rotated(direction, axis, a.bendAngle * (t - 0.5 / a.rows)) * step;
            const double width = a.width ? a.width(t) : 1.0;
            std::vector<V3> ring;
            for (const V3& o : offsets) ring.push_back(centre + Rotated(o, axis, angle) * width);
            const std::vector<int> current = mesh_.AddRing(ring);
            mesh_.Bridge(previous, current, t > a.tipFrom ? a.tipSurface : a.surface, false);
            previous = current;
        }
        mesh_.Cap(previous, a.block.p1 - a.block.p0, a.block.q1 - a.block.q0, a.tipSurface, false,
                  Rotated(direction, axis, a.bendAngle), a.tipDome);
    }

    const LatticeBody& body_;
    PartMesh& part_;
    Mesh& mesh_;
    std::vector<int> index_;
    std::vector<char> removed_[6];
};

}  // namespace

LatticeSample MapLatticePoint(const LatticeBody& body, double i, double j, double k, int region) {
    const double u = 2.0 * i / body.nA - 1.0;
    const double w = 2.0 * k / body.nC - 1.0;
    double s = 0.0;
    double t = 0.0;
    SquareToDisc(u, w, s, t);
    LatticeSample sample;
    double radial = 1.0;
    double height = 0.0;
    ProfileKey key;
    if (region == kSide) {
        key = Interpolate(body.profile, j / body.nB);
        sample.lambda = j / body.nB;
        const double rho = std::hypot(s, t);
        s /= rho;
        t /= rho;
    } else {
        const double rho = std::min(1.0, std::hypot(s, t));
        const double length = std::hypot(s, t);
        if (length > 1e-12) {
            s /= length;
            t /= length;
        }
        const double phi = rho * kPi / 2.0;
        radial = std::sin(phi);
        const bool top = region == kTop;
        key = Interpolate(body.profile, top ? 1.0 : 0.0);
        height = (top ? body.topDome : -body.bottomDome) * std::cos(phi);
        sample.lambda = top ? 2.0 - rho : rho - 1.0;
    }
    sample.s = s * (radial > 0 ? 1.0 : 0.0);
    sample.t = t * (radial > 0 ? 1.0 : 0.0);
    sample.position = body.origin + body.eb * (key.y + height) +
                      body.ea * (key.ca + key.ra * radial * Superellipse(s, key.square)) +
                      body.ec * (key.cc + key.rc * radial * Superellipse(t, key.square));
    if (body.detail) sample.position += body.detail(sample);
    return sample;
}

V3 BlockCentre(const LatticeBody& body, const LatticeBlock& b) {
    V3 sum;
    int count = 0;
    const int region = b.face == 2 ? kBottom : (b.face == 3 ? kTop : kSide);
    auto add = [&](int p, int q) {
        const Ijk c = FaceCorner(body, b.face, p, q);
        const int r = c.j == 0 ? kBottom
                               : (c.j == body.nB    ? kTop
                                  : region == kSide ? kSide
                                                    : region);
        sum += MapLatticePoint(body, c.i, c.j, c.k, r).position;
        ++count;
    };
    for (int p = b.p0; p < b.p1; ++p) add(p, b.q0);
    for (int q = b.q0; q < b.q1; ++q) add(b.p1, q);
    for (int p = b.p1; p > b.p0; --p) add(p, b.q1);
    for (int q = b.q1; q > b.q0; --q) add(b.p0, q);
    return sum * (1.0 / count);
}

void BuildLattice(const LatticeBody& body, PartMesh& part) {
    LatticeBuilder(body, part).Build();
    part.Compact();
}

}  // namespace bw::library
