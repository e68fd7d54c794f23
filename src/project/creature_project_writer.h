// A creature's parts as a project file.
#pragma once

#include <string>

#include "model/creature.h"

namespace bw {

// Writes the project file (version "20" Pro or "1" Standard Edition); object paths are stored
// relative to `objectDirectory`. Replaces `path` atomically; false when it could not be
// written (`reason` says why).
bool WriteProject(const Creature& creature, const std::string& path,
                  const std::string& objectDirectory, const std::string& version,
                  std::string* reason = nullptr);

}  // namespace bw
