// Sample poses beside some sample projects: NAME.bwpose poses the creature of NAME.bwp.
//   Male.bwpose     walking: the thighs and legs swing opposite ways, the arms against them;
//   Female.bwpose   sitting: the thighs raised forward to the horizontal, the legs hanging;
//   Manga.bwpose    waving: the right arm raised sideways, the forearm upright, the hand turned
//                   out at the wrist.
// Angles follow the joint axes of the rig (rig/axis_frame.h). The creatures face -Z with their
// left side at +X, so a positive bend swings the thighs, legs and feet back and the arms,
// forearms and hands forward; a positive side swing raises an arm away from the body.
#pragma once

#include <string>

namespace bw::library {

// Writes every sample pose into `projectDirectory` as <project>.bwpose, in the rig's own
// format. False with `reason` on the first failure.
bool WriteSamplePoses(const std::string& projectDirectory, std::string* reason);

}  // namespace bw::library
