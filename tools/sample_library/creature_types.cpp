#include "creature_types.h"

namespace bw::library {

std::string TypeName(CreatureType type) {
    switch (type) {
        case CreatureType::Fantasy:
            return "Fantasy";
        case CreatureType::Female:
            return "Female";
        case CreatureType::Insect:
            return "Insect";
        case CreatureType::Male:
            return "Male";
        case CreatureType::Manga:
            return "Manga";
    }
    return "Male";
}

Palette PaletteOf(CreatureType type) {
    switch (type) {
        case CreatureType::Fantasy:
            return {{104, 150, 86}, {70, 112, 64},   {226, 214, 178}, {58, 40, 30},
                    {96, 48, 52},   {236, 220, 120}, {200, 60, 20},   {16, 12, 10}};
        case CreatureType::Female:
            return {{238, 196, 172}, {222, 172, 150}, {214, 64, 92}, {120, 62, 34},
                    {198, 74, 92},   {246, 246, 240}, {70, 130, 90}, {20, 20, 24}};
        case CreatureType::Insect:
            return {{96, 126, 44}, {52, 70, 28},  {30, 30, 24},  {40, 52, 20},
                    {120, 60, 30}, {150, 30, 24}, {220, 60, 30}, {40, 10, 8}};
        case CreatureType::Male:
            return {{214, 164, 128}, {190, 140, 108}, {232, 206, 186}, {66, 46, 34},
                    {170, 100, 92},  {244, 244, 238}, {80, 110, 170},  {16, 16, 20}};
        case CreatureType::Manga:
            return {{252, 222, 200}, {240, 200, 180}, {250, 210, 200}, {60, 110, 220},
                    {232, 120, 130}, {255, 255, 255}, {60, 150, 230},  {14, 24, 60}};
    }
    return {};
}

namespace {

// The seams of the body and head, and the lengths of the upper arm and forearm, which place
// the elbow and wrist along the drooping arm.
struct Proportions {
    Skeleton seams;
    double upperArm = 0.29;
    double forearm = 0.26;
};

Proportions MaleProportions() {
    return {{{0.105, 0.10, -0.02},
             {0.105, 0.55, 0.0},
             {0.10, 0.96, 0.0},
             {0, 1.15, 0},
             {0, 1.56, -0.015},
             {0, 1.66, -0.01},
             {0.235, 1.45, -0.01},
             {},
             {},
             1.0,
             1.0},
            0.29,
            0.26};
}

Proportions FemaleProportions() {
    return {{{0.10, 0.10, -0.02},
             {0.10, 0.53, 0.0},
             {0.105, 0.93, 0.0},
             {0, 1.12, 0},
             {0, 1.50, -0.015},
             {0, 1.60, -0.01},
             {0.205, 1.40, -0.01},
             {},
             {},
             0.95,
             0.9},
            0.27,
            0.24};
}

Proportions InsectProportions() {
    return {{{0.115, 0.12, -0.02},
             {0.115, 0.62, 0.0},
             {0.095, 1.03, 0.0},
             {0, 1.21, 0},
             {0, 1.60, -0.01},
             {0, 1.72, -0.01},
             {0.215, 1.49, -0.01},
             {},
             {},
             0.85,
             0.72},
            0.33,
            0.32};
}

Proportions MangaProportions() {
    return {{{0.09, 0.10, -0.02},
             {0.09, 0.46, 0.0},
             {0.085, 0.82, 0.0},
             {0, 0.97, 0},
             {0, 1.30, -0.01},
             {0, 1.38, -0.01},
             {0.18, 1.21, -0.01},
             {},
             {},
             1.6,
             0.8},
            0.22,
            0.20};
}

Proportions FantasyProportions() {
    return {{{0.13, 0.10, -0.02},
             {0.13, 0.52, 0.0},
             {0.125, 0.92, 0.0},
             {0, 1.12, 0},
             {0, 1.57, -0.03},
             {0, 1.66, -0.01},
             {0.285, 1.44, -0.02},
             {},
             {},
             1.05,
             1.2},
            0.30,
            0.28};
}

Proportions ProportionsOf(CreatureType type) {
    switch (type) {
        case CreatureType::Male:
            return MaleProportions();
        case CreatureType::Female:
            return FemaleProportions();
        case CreatureType::Insect:
            return InsectProportions();
        case CreatureType::Manga:
            return MangaProportions();
        case CreatureType::Fantasy:
            return FantasyProportions();
    }
    return {};
}

}  // namespace

Skeleton SkeletonOf(CreatureType type) {
    const Proportions proportions = ProportionsOf(type);
    Skeleton s = proportions.seams;
    s.elbow = s.shoulder + LeftArmDirection() * proportions.upperArm;
    s.wrist = s.elbow + LeftArmDirection() * proportions.forearm;
    return s;
}

}  // namespace bw::library
