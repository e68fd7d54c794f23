// Project file reader: any bytes are refused or read record by record in work bounded by their
// length, and the records read write a file that reads back to the same records.
#include <cstdlib>

#include "fuzz_target.h"
#include "project/project_file_reader.h"
#include "project/project_file_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    bw::ProjectReader reader(text);
    bw::ProjectHeader header;
    if (!reader.ReadHeader(header, nullptr)) return 0;
    std::vector<bw::ProjectRecord> records;
    bw::ProjectRecord record;
    while (reader.NextRecord(record, nullptr)) {
        records.push_back(record);
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
    records[0].typeCode = 13;
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
