#include "sample_projects.h"

#include <array>
#include <vector>

#include "body_part_shapes.h"
#include "model/file_io.h"
#include "project/project_file.h"
#include "project/project_file_writer.h"

namespace bw::library {
namespace {

ProjectRecord Record(BodyPartId id, const std::string& fileName) {
    ProjectRecord record;
    record.typeCode = *TypeCodeOfBodyPart(id);
    record.bodyPart = id;
    record.name = std::string(BodyPartName(id));
    record.objectPath = "\\" + record.name + "\\" + fileName;
    record.adjustments.taperAxis = TaperAxisOfBodyPart(id)->FileValue();
    return record;
}

// Every body part of `type` in its first variant, except where `choice` names another.
std::vector<ProjectRecord> WholeCreature(CreatureType type,
                                         const std::array<int, kBodyPartCount>& choice) {
    std::vector<ProjectRecord> records;
    for (BodyPartId id :
         {8, 7, 0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}) {
        const auto names = VariantNames(PartKindOf(id), type);
        records.push_back(
            Record(id, TypeName(type) + "-" + names[choice[id] % names.size()] + ".bwo"));
    }
    return records;
}

void SetScale(PartAdjustments& a, int index, float value) {
    a.scaleValue[index] = value;
    a.adjustPosition[index] =
        static_cast<int>(value / a.sliderStep[index % 3] + (value < 0 ? -0.5f : 0.5f));
}

void SetTaper(PartAdjustments& a, float value) {
    a.taperValue[0] = value;
    a.taperAdjustPosition[0] = static_cast<int>(value / a.taperStep + (value < 0 ? -0.5f : 0.5f));
}

bool Write(const std::string& path, const std::vector<ProjectRecord>& records,
           std::string_view version, std::string* reason) {
    std::string bytes;
    return FormatProject(records, version, bytes, reason) &&
           WriteFileAtomically(path, bytes, reason);
}

}  // namespace

bool WriteSampleProjects(const std::string& directory, std::string* reason) {
    for (CreatureType type : kCreatureTypes) {
        std::array<int, kBodyPartCount> choice{};
        std::vector<ProjectRecord> records = WholeCreature(type, choice);
        if (type == CreatureType::Fantasy) {
            // A broader chest and a head that widens towards the horns.
            for (ProjectRecord& r : records) {
                if (r.bodyPart == 8) SetScale(r.adjustments, ScaleIndex(kScaleNone, 0), 0.12f);
                if (r.bodyPart == 0) SetTaper(r.adjustments, 0.2f);
            }
        }
        if (!Write(directory + "/" + TypeName(type) + ".bwp", records, kProjectVersionPro, reason))
            return false;
    }
    // A mixed creature for the Standard Edition, saved when the slim male thigh still had its
    // old file name.
    std::vector<ProjectRecord> mixed;
    const CreatureType pick[kBodyPartCount] = {
        CreatureType::Fantasy, CreatureType::Fantasy, CreatureType::Fantasy, CreatureType::Manga,
        CreatureType::Manga,   CreatureType::Male,    CreatureType::Fantasy, CreatureType::Male,
        CreatureType::Male,    CreatureType::Insect,  CreatureType::Insect,  CreatureType::Insect,
        CreatureType::Insect,  CreatureType::Insect,  CreatureType::Insect,  CreatureType::Male,
        CreatureType::Male,    CreatureType::Male,    CreatureType::Fantasy, CreatureType::Male,
        CreatureType::Male,    CreatureType::Fantasy};
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const auto names = VariantNames(PartKindOf(id), pick[id]);
        mixed.push_back(Record(id, TypeName(pick[id]) + "-" + names[0] + ".bwo"));
    }
    mixed[16].objectPath = "\\Left thigh\\MaleSlim.bwo";
    SetScale(mixed[8].adjustments, ScaleIndex(kScaleNone, 2), 0.1f);
    return Write(directory + "/Mixed-Standard.bwp", mixed, kProjectVersionStandard, reason);
}

}  // namespace bw::library
