#include "sample_poses.h"

#include <span>

#include "model/body_part_catalogue.h"
#include "rig/pose.h"
#include "rig/pose_file.h"

namespace bw::library {
namespace {

struct Turn {
    const char* bodyPart;
    JointRotation rotation;
};

// Mid-stride: the left thigh forward and the right back, the rear knee bent more; each arm
// swings against its own side's thigh, the forearms a little forward.
constexpr Turn kWalking[] = {
    // The legs.
    {"Left thigh", {.bend = -25}},
    {"Left leg", {.bend = 10}},
    {"Right thigh", {.bend = 20}},
    {"Right leg", {.bend = 30}},
    // The arms.
    {"Left arm", {.bend = -20}},
    {"Left forearm", {.bend = 10}},
    {"Right arm", {.bend = 20}},
    {"Right forearm", {.bend = 25}},
};

// On a seat: the thighs forward at the horizontal, the legs bent back down at the knees.
constexpr Turn kSitting[] = {
    {"Left thigh", {.bend = -90}},
    {"Left leg", {.bend = 90}},
    {"Right thigh", {.bend = -90}},
    {"Right leg", {.bend = 90}},
};

// The right arm raised sideways a little above the horizontal (it hangs 40 degrees below it at
// rest), the forearm bent upright at the elbow, the hand turned out at the wrist. (A twist
// turns about the model's X axis, not the hand's own direction, which the drooping rest pose
// tilts 40 degrees from it: twisting would swing the raised hand round a cone.)
constexpr Turn kWaving[] = {
    {"Right arm", {.side = 55}},
    {"Right forearm", {.side = 75}},
    {"Right hand", {.side = -20}},
};

struct SamplePose {
    const char* project;  // the sample project's name without its extension
    std::span<const Turn> turns;
};

constexpr SamplePose kSamplePoses[] = {
    {"Male", kWalking},
    {"Female", kSitting},
    {"Manga", kWaving},
};

bool MakePose(std::span<const Turn> turns, Pose& pose, std::string* reason) {
    for (const Turn& turn : turns) {
        const std::optional<BodyPartId> id = BodyPartIdOfName(turn.bodyPart);
        if (!id || !pose.SetRotation(*id, turn.rotation)) {
            if (reason) *reason = std::string("cannot turn ") + turn.bodyPart;
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteSamplePoses(const std::string& projectDirectory, std::string* reason) {
    for (const SamplePose& sample : kSamplePoses) {
        const std::string path = projectDirectory + "/" + sample.project + ".bwpose";
        Pose pose;
        std::string why;
        if (!MakePose(sample.turns, pose, &why) || !WritePoseFile(path, pose, &why)) {
            if (reason) *reason = path + ": " + why;
            return false;
        }
    }
    return true;
}

}  // namespace bw::library
