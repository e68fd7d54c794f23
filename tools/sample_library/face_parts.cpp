// Eyes, ears, noses and mouths: small parts that grow out of one ring on the head's surface.
// Each file lies where the type's first head puts that ring.
#include <cmath>

#include "body_part_shapes.h"
#include "sweep.h"

namespace bw::library {
namespace {

// Set 2 of a nose or mouth: the three points of its seam it shares with the other one.
void AddSharedSet(PartMesh& part, Seam noseOrMouth) {
    for (int index : NoseMouthSharedIndices(noseOrMouth))
        part.sets[1].push_back(part.sets[0][index]);
}

}  // namespace

PartMesh BuildEye(CreatureType type, int variant) {
    const Palette palette = PaletteOf(type);
    PartMesh part;
    const int white = part.Surface("Eyeball", palette.eyeWhite);
    Rgb irisColour = palette.iris;
    if (type == CreatureType::Male && variant == 0) irisColour = {110, 70, 40};
    if (type == CreatureType::Female && variant == 1) irisColour = {70, 120, 200};
    if (type == CreatureType::Insect && variant == 1) irisColour = {200, 30, 30};
    if (type == CreatureType::Fantasy && variant == 1) irisColour = {250, 220, 60};
    if (type == CreatureType::Manga && variant == 1) irisColour = {150, 90, 200};
    const int iris = part.Surface("Iris", irisColour);
    const int pupil = part.Surface("Pupil", palette.pupil);
    const SeamRing ring = MakeSeamRing(Seam::Eye, type, FaceLayoutOf(type).leftEye);
    double r1 = 0, r2 = 0;
    SeamRadii(Seam::Eye, type, r1, r2);
    const bool insect = type == CreatureType::Insect;
    const bool slit = type == CreatureType::Fantasy && variant == 0;
    const double depth = r1 * (insect ? 1.1 : type == CreatureType::Manga ? 0.45 : 0.75);
    const double swell = insect && variant == 0 ? 0.25 : 0.1;
    const double irisFrom = type == CreatureType::Manga ? 0.25 : 0.5;
    SockShape sock;
    sock.entry = ring;
    sock.rows = 12;
    sock.point = [ring, depth, swell](double t, double x, double y) {
        const double phi = t * kPi / 2 * 0.9;
        const double k = std::cos(phi) * (1.0 + swell * std::sin(phi));
        return ring.centre + ring.frame.e1 * (x * k) + ring.frame.e2 * (y * k) +
               ring.frame.n * (depth * std::sin(phi));
    };
    sock.surfaceOf = [=](double t0, double x, double y) {
        if (insect && variant == 0) {
            const int facet = int(t0 * 12) + int((std::atan2(y, x) + kPi) / (kPi / 4));
            return t0 > 0.15 && facet % 2 == 0 ? iris : white;
        }
        if (slit) return t0 >= irisFrom ? (std::fabs(x) < r1 * 0.18 ? pupil : iris) : white;
        if (t0 >= 0.84) return pupil;
        return t0 >= irisFrom ? iris : white;
    };
    sock.tipDome = depth * 0.05;
    sock.tipSurface = (insect && variant == 0) ? iris : pupil;
    BuildSock(sock, part);
    return part;
}

PartMesh BuildEar(CreatureType type, int variant) {
    const Palette palette = PaletteOf(type);
    PartMesh part;
    const int skin = part.Surface("Skin", palette.skin);
    const int inner =
        part.Surface(type == CreatureType::Insect ? "Chitin" : "Inner", palette.shade);
    const SeamRing ring = MakeSeamRing(Seam::Ear, type, FaceLayoutOf(type).leftEar);
    // The ear bends from the head's side (ring normal) about `axis` along an arc of radius
    // `bend`; its section is scaled along e1 by sx(t) and along e2 by sy(t).
    V3 axis = ring.frame.e2;  // bends backwards
    double angle = 1.2;
    double bend = 0.02;
    std::function<double(double)> sx = [](double t) { return 1.0 - 0.55 * t; };
    std::function<double(double)> sy = [](double t) {
        return (1.0 + 0.7 * std::sin(kPi * t * 0.8)) * (1 - 0.6 * t * t * t * t);
    };
    const double s = SkeletonOf(type).headSize;
    switch (type) {
        case CreatureType::Male:
            if (variant == 1)
                sy = [](double t) {
                    return (1.0 + 1.0 * std::sin(kPi * t * 0.8)) * (1 - 0.6 * t * t * t * t);
                };
            break;
        case CreatureType::Female:
            if (variant == 0)
                sy = [](double t) {
                    return (1.0 + 0.4 * std::sin(kPi * t * 0.8)) * (1 - 0.6 * t * t * t * t);
                };
            else
                axis = ring.frame.e2 - ring.frame.e1 * 0.6, bend = 0.03,
                sy = [](double t) { return 1.3 - 1.1 * t; };
            break;
        case CreatureType::Insect:
            axis = -ring.frame.e1;  // an antenna bending upwards
            angle = variant == 0 ? 1.3 : 0.7;
            bend = variant == 0 ? 0.16 : 0.3;
            sx = [](double t) { return 0.45 + 0.35 * Bump(t, 0.95, 0.08) - 0.15 * t; };
            sy = [](double t) { return 0.25 + 0.18 * Bump(t, 0.95, 0.08) - 0.08 * t; };
            break;
        case CreatureType::Manga:
            if (variant == 0) {
                axis = -ring.frame.e1;  // a cat ear standing up
                angle = 1.1;
                bend = 0.05 * s;
                sx = [](double t) { return 1.3 - 1.15 * t; };
                sy = [](double t) { return 1.5 - 1.35 * t; };
            }
            break;
        case CreatureType::Fantasy:
            axis = Normalised(ring.frame.e2 - ring.frame.e1 * (variant == 0 ? 0.5 : 0.9));
            angle = variant == 0 ? 1.0 : 0.8;
            bend = variant == 0 ? 0.09 : 0.07;
            sx = [](double t) { return 1.0 - 0.8 * t; };
            sy = variant == 0
                     ? std::function<double(double)>([](double t) { return 1.4 - 1.3 * t; })
                     : std::function<double(double)>([](double t) {
                           return 1.0 + 2.2 * std::sin(kPi * t) * (1 - t) - 0.8 * t;
                       });
            break;
    }
    axis = Normalised(axis);
    SockShape sock;
    sock.entry = ring;
    sock.rows = 20;
    sock.point = [=](double t, double x, double y) {
        const double theta = angle * t;
        const V3 centre = ring.centre + ring.frame.n * (bend * std::sin(theta)) +
                          Cross(axis, ring.frame.n) * (bend * (1 - std::cos(theta)));
        const V3 offset = ring.frame.e1 * (x * sx(t)) + ring.frame.e2 * (y * sy(t));
        return centre + Rotated(offset, axis, theta);
    };
    sock.surfaceOf = [=](double t0, double x, double) { return t0 > 0.2 && x < 0 ? inner : skin; };
    sock.tipAxis = Rotated(ring.frame.n, axis, angle);
    sock.tipDome = 0.002;
    sock.tipSurface = skin;
    BuildSock(sock, part);
    return part;
}

PartMesh BuildNose(CreatureType type, int variant) {
    const Palette palette = PaletteOf(type);
    PartMesh part;
    const int skin = part.Surface("Skin", palette.skin);
    const int tip = part.Surface("Nostrils", palette.shade);
    const SeamRing ring = FaceFeatureRing(Seam::Nose, FaceLayoutOf(type).noseMouthAnchor);
    double depth = 0.024, droop = 0.006, widen = 0.3, narrowTop = 0.5, hook = 0.0;
    switch (type) {
        case CreatureType::Male:
            if (variant == 1) hook = 0.008, depth = 0.03;
            break;
        case CreatureType::Female:
            depth = variant == 0 ? 0.014 : 0.02;
            widen = 0.1;
            break;
        case CreatureType::Insect:
            depth = variant == 0 ? 0.008 : 0.03;
            widen = variant == 0 ? 0.6 : -0.3;
            narrowTop = 0.0;
            break;
        case CreatureType::Manga:
            depth = variant == 0 ? 0.008 : 0.005;
            widen = -0.3;
            narrowTop = 0.7;
            break;
        case CreatureType::Fantasy:
            depth = variant == 0 ? 0.04 : 0.022;
            widen = variant == 0 ? 0.6 : 0.9;
            droop = 0.0;
            narrowTop = 0.2;
            break;
    }
    SockShape sock;
    sock.entry = ring;
    sock.rows = 20;
    sock.point = [=](double t, double x, double y) {
        const double up = std::max(0.0, y) / 0.0165;  // 0 below the middle, 1 at the top
        const double sx = (1.0 + widen * std::sin(kPi * t * 0.6) * (1 - up)) *
                          (1 - narrowTop * up * t) * (1 - 0.7 * t * t);
        const double sy = 1.0 - 0.35 * t * t;
        const V3 forward = ring.frame.n * (depth * std::sin(t * kPi / 2) *
                                           (0.55 + 0.45 * (1 - up) + hook / depth * up));
        return ring.centre + ring.frame.e1 * (x * sx) + ring.frame.e2 * (y * sy - droop * t) +
               forward;
    };
    sock.surfaceOf = [=](double t0, double, double y) {
        return t0 > 0.6 && y < 0.004 ? tip : skin;
    };
    sock.tipDome = 0.003;
    sock.tipSurface = skin;
    BuildSock(sock, part);
    AddSharedSet(part, Seam::Nose);
    return part;
}

PartMesh BuildMouth(CreatureType type, int variant) {
    const Palette palette = PaletteOf(type);
    PartMesh part;
    const int lips = part.Surface("Lips", palette.lips);
    const int teeth =
        part.Surface(type == CreatureType::Insect ? "Mandibles" : "Teeth", palette.nails);
    const SeamRing ring = FaceFeatureRing(Seam::Mouth, FaceLayoutOf(type).noseMouthAnchor);
    double depth = 0.01, full = 0.25, smile = 0.0, tusk = 0.0, open = 0.0;
    switch (type) {
        case CreatureType::Male:
            smile = variant == 0 ? 0.004 : 0.0;
            full = 0.1;
            break;
        case CreatureType::Female:
            full = variant == 0 ? 0.5 : 0.3;
            smile = variant == 1 ? 0.005 : 0.0;
            break;
        case CreatureType::Insect:
            tusk = variant == 0 ? 0.035 : 0.05;
            full = 0.0;
            break;
        case CreatureType::Manga:
            full = -0.3;
            smile = 0.004;
            open = variant == 1 ? 0.4 : 0.0;
            break;
        case CreatureType::Fantasy:
            tusk = variant == 0 ? 0.03 : 0.015;
            full = 0.2;
            depth = 0.014;
            break;
    }
    SockShape sock;
    sock.entry = ring;
    sock.rows = 16;
    sock.point = [=](double t, double x, double y) {
        const double cx = x / 0.033;  // -1 .. 1 across the mouth
        const double lip = std::sin(kPi * std::min(1.0, t * 1.2));
        V3 p = ring.centre + ring.frame.e1 * (x * (1 - 0.25 * t * t)) +
               ring.frame.e2 * (y * (1 + full * lip) * (1 - 0.5 * t * t) + smile * cx * cx * t -
                                open * 0.01 * t) +
               ring.frame.n * (depth * std::sin(t * kPi / 2) * (1 - 0.4 * cx * cx));
        if (tusk > 0 && std::fabs(cx) > 0.6 && y < 0) {
            const double side = cx > 0 ? 1.0 : -1.0;
            p += (ring.frame.n * 0.8 + ring.frame.e2 * (type == CreatureType::Insect ? -0.3 : 0.7) +
                  ring.frame.e1 * (0.3 * side)) *
                 (tusk * SmoothStep((std::fabs(cx) - 0.6) / 0.4) * std::sin(t * kPi / 2));
        }
        return p;
    };
    sock.surfaceOf = [=](double t0, double x, double y) {
        if (tusk > 0 && std::fabs(x / 0.033) > 0.6 && y < 0 && t0 > 0.2) return teeth;
        return lips;
    };
    sock.tipDome = 0.002;
    sock.tipSurface = open > 0 ? teeth : lips;
    BuildSock(sock, part);
    AddSharedSet(part, Seam::Mouth);
    return part;
}

}  // namespace bw::library
