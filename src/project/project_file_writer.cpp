#include "project/project_file_writer.h"

#include <algorithm>

#include "model/formatted_number.h"

namespace bw {
namespace {

void SetReason(std::string* reason, std::string text) {
    if (reason) *reason = std::move(text);
}

bool HoldsLineEnd(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Fields joined by single blanks; the Pro line has a blank after its last field too.
std::string ParameterLine(const PartAdjustments& adjustments, bool pro) {
    std::string line;
    const auto addInteger = [&line](std::int32_t value) {
        if (!line.empty()) line += ' ';
        AppendInteger(line, value);
    };
    const auto addFloat = [&line](float value) {
        if (!line.empty()) line += ' ';
        AppendFixed6(line, value);
    };
    for (const std::int32_t value : adjustments.adjustPosition) addInteger(value);
    for (const float value : adjustments.sliderStep) addFloat(value);
    for (const float value : adjustments.scaleValue) addFloat(value);
    for (const std::int32_t value : adjustments.scaleLock) addInteger(value);
    addInteger(0);  // reserved
    if (pro) {
        addInteger(adjustments.taperAxis);
        addInteger(adjustments.taperLock);
        addFloat(adjustments.taperStep);
        for (const float value : adjustments.taperValue) addFloat(value);
        for (const std::int32_t value : adjustments.taperAdjustPosition) addInteger(value);
        line += ' ';
    }
    // Readers of the file expect a full stop as decimal separator, never a comma.
    std::replace(line.begin(), line.end(), ',', '.');
    return line;
}

}  // namespace

bool FormatProject(std::span<const ProjectRecord> records, std::string_view version,
                   std::string& bytes, std::string* reason) {
    if (version.empty() || (version.front() != '1' && version.front() != '2') ||
        std::any_of(version.begin(), version.end(), IsTextSpace)) {
        SetReason(reason, "unknown project file version \"" + std::string(version) + "\"");
        return false;
    }
    for (const ProjectRecord& record : records) {
        if (HoldsLineEnd(record.name) || HoldsLineEnd(record.objectPath)) {
            SetReason(reason, "a line end in the name or object path of \"" + record.name + "\"");
            return false;
        }
    }
    const bool pro = version.front() == '2';
    std::string out = "BW";
    out += version;
    out += "\r\n";
    AppendInteger(out, static_cast<std::int64_t>(records.size()));
    out += "\r\n";
    for (const ProjectRecord& record : records) {
        AppendInteger(out, int(record.typeCode));
        out += "\r\n";
        AppendInteger(out, record.bodyPart);
        out += "\r\n";
        out += record.name;
        out += "\r\n";
        out += record.objectPath;
        out += "\r\n";
        out += ParameterLine(record.adjustments, pro);
        out += "\r\n     ";
    }
    bytes = std::move(out);
    return true;
}

}  // namespace bw
