// Access to the generated sample library for its tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/body_part_catalogue.h"
#include "model/part_object.h"

namespace bw::test {

// The share directory the build wrote, and its object directory.
std::string SampleShareDirectory();
std::string SampleObjectDirectory();

// The object file names in a body part's directory, sorted.
std::vector<std::string> PartFileNames(BodyPartId id);
std::string PartFilePath(BodyPartId id, const std::string& fileName);

// Loads an object file; nullptr (with a test failure naming the reason) when it does not load.
std::unique_ptr<PartObject> LoadPart(const std::string& path);

// Mesh soundness of a loaded part; empty when sound, else what is wrong.
std::string MeshProblem(const PartObject& part);

}  // namespace bw::test
