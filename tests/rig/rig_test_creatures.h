// Creatures for the rig's tests: the sample library's projects, and a small synthetic left arm
// whose geometry the tests can reason about exactly.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/creature.h"
#include "model/notifier.h"
#include "support/temporary_directory.h"

namespace bw::test {

struct LoadedCreature {
    SilentNotifier notifier;
    Creature creature{notifier};
};

// The file names of the sample library's projects, sorted.
std::vector<std::string> SampleProjectNames();
// The project loaded with every renamed object file translated; fails the test when it does
// not load.
std::unique_ptr<LoadedCreature> LoadSampleCreature(const std::string& projectName);

// A left arm, forearm and hand: tubes of kLimbLength along +X, each a ring of four points of
// radius kLimbRadius every kLimbStep, the first ring meeting the parent and the last the child.
// The arm starts at the origin; the forearm's rings are at x = 1 .. 2, the hand's at 2 .. 3.
inline constexpr float kLimbLength = 1.0f;
inline constexpr float kLimbRadius = 0.1f;
inline constexpr int kLimbRings = 21;
inline constexpr float kLimbStep = kLimbLength / float(kLimbRings - 1);
std::unique_ptr<LoadedCreature> SyntheticLeftArm(const TemporaryDirectory& directory);

// The index of the first part of `creature` with body part name `name`; fails when none.
int PartIndexOf(const Creature& creature, const std::string& name);

}  // namespace bw::test
