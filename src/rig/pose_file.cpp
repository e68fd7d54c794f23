#include "rig/pose_file.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/file_io.h"

namespace bw {
namespace {

constexpr std::size_t kAngleCount = 3;

void AppendAngle(std::string& out, float degrees) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), degrees);
    out.append(buffer.data(), result.ptr);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7f;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The whole of `token` as a float; nullopt when it is not exactly one number.
std::optional<float> ParseNumber(std::string_view token) {
    float value = 0.0f;
    const char* end = token.data() + token.size();
    const auto result = std::from_chars(token.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

// The start of the last blank-separated token of `text` (which has no trailing blanks).
std::size_t LastTokenStart(std::string_view text) {
    std::size_t start = text.size();
    while (start > 0 && !IsBlank(text[start - 1])) --start;
    return start;
}

struct PoseLine {
    BodyPartId bodyPart = 0;
    JointRotation rotation;
};

bool Refuse(std::string* reason, std::size_t lineNumber, const std::string& why) {
    if (reason) *reason = "line " + std::to_string(lineNumber) + ": " + why;
    return false;
}

// Reads one non-blank line (already trimmed) into `out`.
bool ParseLine(std::string_view line, std::size_t lineNumber, PoseLine& out, std::string* reason) {
    std::array<float, kAngleCount> angles{};
    std::string_view rest = line;
    for (std::size_t k = kAngleCount; k-- > 0;) {
        const std::size_t start = LastTokenStart(rest);
        if (start == 0)
            return Refuse(reason, lineNumber, "expected a body part name and three angles");
        const std::optional<float> angle = ParseNumber(rest.substr(start));
        if (!angle)
            return Refuse(reason, lineNumber,
                          "\"" + std::string(rest.substr(start)) + "\" is no number");
        if (!std::isfinite(*angle) || *angle < -kMaxJointAngle || *angle > kMaxJointAngle)
            return Refuse(reason, lineNumber, "an angle must lie between -180 and 180 degrees");
        angles[k] = *angle;
        rest = TrimBlanks(rest.substr(0, start));
    }
    if (ParseNumber(rest.substr(LastTokenStart(rest))))
        return Refuse(reason, lineNumber, "more than three angles");
    const std::optional<BodyPartId> bodyPart = BodyPartIdOfName(rest);
    if (!bodyPart)
        return Refuse(reason, lineNumber, "\"" + std::string(rest) + "\" is no body part");
    out = {*bodyPart, {angles[0], angles[1], angles[2]}};
    return true;
}

}  // namespace

std::string FormatPoseFile(const Pose& pose) {
    std::string text;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const JointRotation rotation = pose.Rotation(id);
        if (rotation.IsRest()) continue;
        text += BodyPartName(id);
        for (const float angle : {rotation.bend, rotation.side, rotation.twist}) {
            text += ' ';
            AppendAngle(text, angle);
        }
        text += '\n';
    }
    return text;
}

bool ParsePoseFile(std::string_view text, Pose* pose, std::string* reason) {
    if (!pose) return false;
    if (text.size() > kMaxPoseFileBytes) {
        if (reason)
            *reason = "a pose file is at most " + std::to_string(kMaxPoseFileBytes) + " bytes";
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsControlByte(text[i])) {
            if (reason) *reason = "no text: control byte at offset " + std::to_string(i);
            return false;
        }
    }
    Pose parsed;
    std::array<bool, kBodyPartCount> seen{};
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find('\r') != std::string_view::npos)
            return Refuse(reason, lineNumber, "carriage return inside the line");
        line = TrimBlanks(line);
        if (line.empty()) continue;
        PoseLine entry;
        if (!ParseLine(line, lineNumber, entry, reason)) return false;
        if (seen[std::size_t(entry.bodyPart)])
            return Refuse(reason, lineNumber,
                          std::string(BodyPartName(entry.bodyPart)) + " is given twice");
        seen[std::size_t(entry.bodyPart)] = true;
        parsed.SetRotation(entry.bodyPart, entry.rotation);
    }
    *pose = parsed;
    return true;
}

bool ReadPoseFile(const std::string& path, Pose* pose, std::string* reason) {
    const auto acceptHead = [](std::span<const std::uint8_t>, std::uint64_t fileSize,
                               std::string* why) {
        if (fileSize <= kMaxPoseFileBytes) return true;
        if (why) *why = "a pose file is at most " + std::to_string(kMaxPoseFileBytes) + " bytes";
        return false;
    };
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFileAfterHeadCheck(path, kMaxPoseFileBytes + 1, acceptHead, bytes, reason))
        return false;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ParsePoseFile(text, pose, reason);
}

bool WritePoseFile(const std::string& path, const Pose& pose, std::string* reason) {
    return WriteFileAtomically(path, FormatPoseFile(pose), reason);
}

}  // namespace bw
