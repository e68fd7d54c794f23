#include "project/project_file_reader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/formatted_number.h"

namespace bw {
namespace {

void SetReason(std::string* reason, std::string text) {
    if (reason) *reason = std::move(text);
}

// One field of the parameter line: exactly one of the two is set.
struct FieldTarget {
    std::int32_t* integer = nullptr;
    float* real = nullptr;
};

// The 34 fields in the order of the parameter line; field 25 goes to `reserved`, a sink.
std::array<FieldTarget, kProParameterFields> FieldTargets(PartAdjustments& a,
                                                          std::int32_t& reserved) {
    std::array<FieldTarget, kProParameterFields> targets{};
    std::size_t n = 0;
    for (std::int32_t& value : a.adjustPosition) targets[n++].integer = &value;
    for (float& value : a.sliderStep) targets[n++].real = &value;
    for (float& value : a.scaleValue) targets[n++].real = &value;
    for (std::int32_t& value : a.scaleLock) targets[n++].integer = &value;
    targets[n++].integer = &reserved;
    targets[n++].integer = &a.taperAxis;
    targets[n++].integer = &a.taperLock;
    targets[n++].real = &a.taperStep;
    for (float& value : a.taperValue) targets[n++].real = &value;
    for (std::int32_t& value : a.taperAdjustPosition) targets[n++].integer = &value;
    return targets;
}

// The digits of a number as written, cut short for a message.
std::string NumberText(std::string_view text, std::size_t start, std::size_t end) {
    constexpr std::size_t kShown = 40;
    const std::string_view number = text.substr(start, end - start);
    return number.size() <= kShown ? std::string(number)
                                   : std::string(number.substr(0, kShown)) + "...";
}

// True when the decimal integer text[start, end) (optional sign, digits) is above the largest
// 32-bit value, where ScanInt saturates.
bool IsAboveInt32(std::string_view text, std::size_t start, std::size_t end) {
    std::string_view digits = text.substr(start, end - start);
    if (!digits.empty() && digits.front() == '-') return false;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    constexpr std::string_view kLimit = "2147483647";
    return digits.size() > kLimit.size() || (digits.size() == kLimit.size() && digits > kLimit);
}

}  // namespace

ProjectReader::ProjectReader(std::string_view text) : text_(text) {
    if (text_.find('\n') == std::string_view::npos && text_.find('\r') != std::string_view::npos)
        lineEnd_ = '\r';
}

bool ProjectReader::Stop(std::string* reason, std::string why) {
    state_ = State::Stopped;
    SetReason(reason, std::move(why));
    return false;
}

void ProjectReader::SkipSpace() {
    while (pos_ < text_.size() && IsTextSpace(text_[pos_])) ++pos_;
}

void ProjectReader::SkipLineSpace() {
    while (pos_ < text_.size() && text_[pos_] != lineEnd_ && IsTextSpace(text_[pos_])) ++pos_;
}

std::string_view ProjectReader::ReadLine(bool* ended) {
    const std::size_t start = pos_;
    const std::size_t lineEnd = std::min(text_.find(lineEnd_, start), text_.size());
    std::size_t end = lineEnd;
    while (end > start && text_[end - 1] == '\r') --end;
    *ended = lineEnd < text_.size();
    pos_ = *ended ? lineEnd + 1 : lineEnd;
    return text_.substr(start, end - start);
}

bool ProjectReader::ReadHeader(ProjectHeader& header, std::string* reason) {
    if (state_ != State::BeforeHeader) {
        SetReason(reason, "the header has been read already");
        return false;
    }
    SkipSpace();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsTextSpace(text_[pos_])) ++pos_;
    const std::string_view token = text_.substr(start, pos_ - start);
    // Two letters ("BW" as written here), then the version: only the version decides.
    if (token.size() < 3) {
        return Stop(reason, "not a project file (its first word \"" + std::string(token) +
                                "\" holds no version)");
    }
    if (token[2] != '1' && token[2] != '2') {
        return Stop(reason, "not a project file of a known version (its first word is \"" +
                                std::string(token.substr(0, 40)) + "\")");
    }
    SkipSpace();
    std::int32_t count = 0;
    const std::size_t countStart = pos_;
    if (!ScanInt(text_, pos_, count)) return Stop(reason, "the record count is not a number");
    if (IsAboveInt32(text_, countStart, pos_)) {
        return Stop(reason, "the record count " + NumberText(text_, countStart, pos_) +
                                " is too large (at most 2147483647)");
    }
    if (count < 0) return Stop(reason, "the record count is negative");

    header.version = std::string(token.substr(2));
    header.count = count;
    fieldCount_ = header.IsPro() ? kProParameterFields : kStandardParameterFields;
    announced_ = count;
    state_ = count == 0 ? State::Complete : State::Records;
    return true;
}

int ProjectReader::ReadParameterLine() {
    std::int32_t reserved = 0;
    const auto targets = FieldTargets(held_, reserved);
    int read = 0;
    for (; read < fieldCount_; ++read) {
        SkipLineSpace();
        const FieldTarget& target = targets[static_cast<std::size_t>(read)];
        // A value that is no finite number (inf, nan, 1e39) would make every point of the
        // part infinite or undefined: it counts as a field that cannot be read.
        float real = 0.0f;
        std::size_t at = pos_;
        const bool ok = target.integer ? ScanInt(text_, pos_, *target.integer)
                                       : ScanFloat(text_, at, real) && std::isfinite(real);
        if (!ok) break;
        if (target.real) {
            *target.real = real;
            pos_ = at;
        }
    }
    bool ended = false;
    ReadLine(&ended);  // whatever is left of the line
    return read;
}

bool ProjectReader::NextRecord(ProjectRecord& record, std::string* reason) {
    if (state_ == State::BeforeHeader) return Stop(reason, "the header has not been read");
    if (state_ != State::Records) return false;
    const std::string number = std::to_string(recordsRead_ + 1);

    SkipSpace();
    if (pos_ >= text_.size()) {
        return Stop(reason, "the file ends after " + std::to_string(recordsRead_) + " of " +
                                std::to_string(announced_) + " records");
    }
    std::int32_t typeCode = 0;
    std::int32_t bodyPart = 0;
    if (!ScanInt(text_, pos_, typeCode)) {
        return Stop(reason, "record " + number + ": the type code is not a number");
    }
    SkipSpace();
    if (!ScanInt(text_, pos_, bodyPart)) {
        return Stop(reason, "record " + number + ": the body part is not a number");
    }
    // Each number is read with the white space after it, line ends included, so blanks at the
    // start of the name's line are not part of the name.
    SkipSpace();

    bool ended = false;
    const std::string_view name = ReadLine(&ended);
    if (!ended || pos_ >= text_.size()) {
        return Stop(reason, "record " + number + ": the file ends within it");
    }
    const std::string_view objectPath = ReadLine(&ended);
    const int fieldsRead = ReadParameterLine();

    fieldsFromFile_ = std::max(fieldsFromFile_, fieldsRead);
    record.typeCode = TypeCode{typeCode};
    record.bodyPart = bodyPart;
    record.name.assign(name);
    record.objectPath.assign(objectPath);
    record.adjustments = held_;
    record.fieldsRead = fieldsRead;
    record.fieldsFromFile = fieldsFromFile_;
    ++recordsRead_;
    if (recordsRead_ >= announced_) state_ = State::Complete;
    return true;
}

bool ReadProjectRecords(std::string_view text, ProjectHeader& header,
                        std::vector<ProjectRecord>& records, std::string* reason) {
    records.clear();
    ProjectReader reader(text);
    if (!reader.ReadHeader(header, reason)) return false;
    ProjectRecord record;
    while (reader.NextRecord(record, reason)) records.push_back(record);
    return reader.Complete();
}

}  // namespace bw
