// Pose file text: any bytes are read without crashing; a refused text leaves the pose as it
// was, and an accepted one formats to a text that reads back to the same pose and formats to
// the same bytes again.
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_target.h"
#include "rig/pose_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bw::Pose before;
    before.SetRotation(3, {1.0f, 2.0f, 3.0f});
    bw::Pose pose = before;
    std::string reason;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!bw::ParsePoseFile(text, &pose, &reason)) {
        if (!(pose == before) || reason.empty()) std::abort();
        return 0;
    }
    const std::string formatted = bw::FormatPoseFile(pose);
    bw::Pose again;
    if (!bw::ParsePoseFile(formatted, &again, &reason) || !(again == pose)) std::abort();
    if (bw::FormatPoseFile(again) != formatted) std::abort();
    return 0;
}

std::vector<std::string> BwFuzzSeeds() {
    bw::Pose pose;
    pose.SetRotation(10, {60.0f, 0.0f, 0.0f});
    pose.SetRotation(19, {-180.0f, 0.1f, 1e-30f});
    return {bw::FormatPoseFile(pose),
            "",
            "\r\n  Left hand\t-5  2.5 0\r\n\n Right ear 1 2 3",
            "Left forearm 1 2 3 4\n",
            "Head nan inf -0\nHead 1 2 3\n",
            std::string("Neck 1 2 3\n\0\x7f", 13)};
}
