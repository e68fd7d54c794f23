// Project file reader: any bytes are refused or read record by record in work bounded by their
// length, the records read write a file that reads back to the same records, and their
// adjustments applied to a small part keep every point finite.
#include <cmath>
#include <cstdlib>

#include "fuzz_target.h"
#include "model/object_file_writer.h"
#include "model/part_transform.h"
#include "project/project_file_reader.h"
#include "project/project_file_writer.h"

namespace {

// A unit box, loaded once; each record's adjustments are applied to it.
bw::PartObject& Box() {
    static bw::PartObject* box = [] {
        bw::ObjectFileContents c;
        for (int i = 0; i < 8; ++i)
            c.points.push_back({float(i & 1), float((i >> 1) & 1), float((i >> 2) & 1)});
        std::string bytes;
        auto* part = new bw::PartObject;
        if (!bw::EncodeObjectFile(c, bytes, nullptr) ||
            !part->LoadObjectImage(std::vector<std::uint8_t>(bytes.begin(), bytes.end())))
            std::abort();
        return part;
    }();
    return *box;
}

void ApplyToBox(const bw::ProjectRecord& record) {
    bw::PartObject& box = Box();
    box.adjustments = record.adjustments;
    bw::TransformPart(box);
    // Values read from a file are finite, but sums of huge ones overflow; values of a sane
    // size must keep a unit box finite.
    const auto& a = record.adjustments;
    bool sane = true;
    for (float v : a.scaleValue) sane = sane && std::fabs(v) < 1e6f;
    for (float v : a.taperValue) sane = sane && std::fabs(v) < 1e6f;
    if (!sane) return;
    for (const bw::Vec3f& p : box.TransformedPoints())
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    bw::ProjectReader reader(text);
    bw::ProjectHeader header;
    if (!reader.ReadHeader(header, nullptr)) return 0;
    std::vector<bw::ProjectRecord> records;
    bw::ProjectRecord record;
    while (reader.NextRecord(record, nullptr)) {
        records.push_back(record);
        ApplyToBox(record);
        if (records.size() > size) std::abort();  // every record takes at least one byte
    }

    std::string written;
    if (!bw::FormatProject(records, header.version, written, nullptr)) return 0;
    bw::ProjectHeader againHeader;
    std::vector<bw::ProjectRecord> again;
    if (!bw::ReadProjectRecords(written, againHeader, again, nullptr)) std::abort();
    std::string rewritten;
    if (!bw::FormatProject(again, againHeader.version, rewritten, nullptr)) std::abort();
    if (rewritten != written) std::abort();
    return 0;
}

std::vector<std::string> BwFuzzSeeds() {
    std::vector<bw::ProjectRecord> records(2);
    records[0].typeCode = bw::TypeCode{13};
    records[0].bodyPart = 18;
    records[0].name = "Left foot";
    records[0].objectPath = "\\Left foot\\Fantasy-TrheeThoes.bwo";
    records[0].adjustments.scaleValue[3] = -0.5f;
    records[0].adjustments.taperAxis = -2;
    records[1].name = "Head";
    records[1].objectPath = "\\Head\\Male Slim.bwo";
    std::vector<std::string> seeds;
    std::string bytes;
    for (const std::string_view version : {bw::kProjectVersionPro, bw::kProjectVersionStandard}) {
        if (bw::FormatProject(records, version, bytes, nullptr)) seeds.push_back(bytes);
    }
    seeds.push_back(bytes.substr(0, bytes.size() / 2));
    seeds.push_back("BW20\n2000000000\n7 8 Upper body\n/Upper body/U.bwo\n1 2 x\n");
    seeds.push_back("BW3\r\n1\r\n");
    return seeds;
}
