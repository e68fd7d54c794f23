#include "library_writer.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "body_part_shapes.h"
#include "model/file_io.h"
#include "prepared_creature.h"
#include "sample_poses.h"
#include "sample_projects.h"

namespace bw::library {
namespace {

namespace fs = std::filesystem;

bool Fail(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
    return false;
}

bool WritePart(const PartMesh& part, BodyPartId bodyPart, const fs::path& path,
               std::string* reason) {
    ObjectFileContents contents;
    std::string why;
    if (!ToObjectFile(part, bodyPart, contents, &why) ||
        !WriteObjectFile(path.string(), contents, &why))
        return Fail(reason, path.string() + ": " + why);
    return true;
}

// Removes object files a previous run wrote that this run did not.
void RemoveStale(const fs::path& directory, const std::set<std::string>& written) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error))
        if (entry.path().extension() == ".bwo" && !written.count(entry.path().filename().string()))
            fs::remove(entry.path(), error);
}

bool MakeDirectory(const fs::path& path, std::string* reason) {
    std::error_code error;
    fs::create_directories(path, error);
    return error ? Fail(reason, path.string() + ": " + error.message()) : true;
}

}  // namespace

bool WriteSampleLibrary(const std::string& shareDirectory, std::string* reason) {
    const fs::path share(shareDirectory);
    const fs::path library = share / "Objects" / "Library";
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const fs::path directory = library / std::string(BodyPartName(id));
        if (!MakeDirectory(directory, reason)) return false;
        std::set<std::string> written;
        const PartKind kind = PartKindOf(id);
        for (CreatureType type : kCreatureTypes) {
            const std::vector<std::string> names = VariantNames(kind, type);
            for (std::size_t v = 0; v < names.size(); ++v) {
                PartMesh part = BuildBodyPart(kind, type, static_cast<int>(v));
                if (IsRightSide(id)) part.MirrorX();
                const std::string name = TypeName(type) + "-" + names[v] + ".bwo";
                if (!WritePart(part, id, directory / name, reason)) return false;
                written.insert(name);
            }
        }
        RemoveStale(directory, written);
    }
    const fs::path prepared = share / "Objects" / "Prepared";
    if (!MakeDirectory(prepared, reason)) return false;
    for (CreatureType type : kCreatureTypes) {
        PartMesh creature;
        std::string why;
        if (!BuildPreparedCreature(type, creature, &why))
            return Fail(reason, TypeName(type) + ": " + why);
        if (!WritePart(creature, 0, prepared / ("Creature-" + TypeName(type) + ".bwo"), reason))
            return false;
    }
    const fs::path projects = share / "Projects";
    return MakeDirectory(projects, reason) && WriteSampleProjects(projects.string(), reason) &&
           WriteSamplePoses(projects.string(), reason);
}

}  // namespace bw::library
