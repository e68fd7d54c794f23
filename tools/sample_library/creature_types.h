// The five creature types of the sample library, their colours and the rest pose in which
// every part file is placed: the centres of the seams where parts meet, left side (+X).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "geometry.h"

namespace bw::library {

enum class CreatureType { Fantasy, Female, Insect, Male, Manga };
inline constexpr std::array<CreatureType, 5> kCreatureTypes{
    CreatureType::Fantasy, CreatureType::Female, CreatureType::Insect, CreatureType::Male,
    CreatureType::Manga};

// "Fantasy", "Female", "Insect", "Male", "Manga": the file name prefix of the type.
std::string TypeName(CreatureType type);

struct Rgb {
    std::uint8_t r = 128;
    std::uint8_t g = 128;
    std::uint8_t b = 128;
};

struct Palette {
    Rgb skin;
    Rgb shade;  // a second skin tone: segments, scales, soles
    Rgb nails;  // nails, claws, horns, chitin tips
    Rgb hair;
    Rgb lips;
    Rgb eyeWhite;
    Rgb iris;
    Rgb pupil;
};
Palette PaletteOf(CreatureType type);

// The arms hang down and out at this angle below the horizontal in the rest pose.
inline constexpr double kArmDroop = 40.0 * kPi / 180.0;
// The palms turn this far forward (radians about the arm) from facing the body, so that they
// show from the front.
inline constexpr double kPalmTurn = 60.0 * kPi / 180.0;
// Direction of the left arm, forearm and hand (+X and down).
inline V3 LeftArmDirection() { return {std::cos(kArmDroop), -std::sin(kArmDroop), 0.0}; }

// Seam centres of the rest pose, left side; the right side is the mirror image (x -> -x).
struct Skeleton {
    V3 ankle;
    V3 knee;
    V3 hip;
    V3 waist;
    V3 neckBase;
    V3 headBase;
    V3 shoulder;
    V3 elbow;
    V3 wrist;
    double headSize = 1.0;  // the head's scale against a grown man's
    double bulk = 1.0;      // overall thickness of the body
};
Skeleton SkeletonOf(CreatureType type);

}  // namespace bw::library
