#include "project/creature_project_writer.h"

#include <vector>

#include "model/file_io.h"
#include "project/project_file.h"
#include "project/project_file_writer.h"
#include "project/project_paths.h"

namespace bw {

// The creature's parts as project records, written atomically.
bool WriteProject(const Creature& creature, const std::string& path,
                  const std::string& objectDirectory, const std::string& version,
                  std::string* reason) {
    std::vector<ProjectRecord> records;
    records.reserve(std::size_t(creature.PartCount()));
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject* part = creature.Part(i);
        ProjectRecord record;
        record.typeCode = part->GetTypeCode();
        record.bodyPart = part->bodyPart;
        record.name = part->TypeName();
        record.objectPath = StoredObjectPath(part->Name(), objectDirectory);
        record.adjustments = part->adjustments;
        record.adjustments.reserved = 0;
        records.push_back(std::move(record));
    }
    std::string bytes;
    if (!FormatProject(records, version, bytes, reason)) return false;
    return WriteFileAtomically(path, bytes, reason);
}

}  // namespace bw
