// Project files (".bwp"): the parts of a creature and their adjustment settings as text.
//
//   BW20                  header: "BW" and the version, "20" Pro, "1" Standard Edition
//   2                     the number of records
//   0                     record: type code (connection order, 0..21)
//   0                     body part (BodyPartId, catalogue order, 0..21)
//   Head                  the body part's catalogue name
//   \Head\Male-Slim.bwo   object path below the object directory, with backslashes
//   0 0 0 ... 0 0         parameter line: 25 (Standard) or 34 (Pro) adjustment fields
//        19               five blanks begin every following record, and end the file
//
// Every line ends with CR LF wherever the file is written, so files move between machines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/body_part_catalogue.h"
#include "model/part_adjustments.h"

namespace bw {

inline constexpr std::string_view kProjectVersionPro = "20";
inline constexpr std::string_view kProjectVersionStandard = "1";
// Fields of the parameter line: Standard Edition stores fields 1-25 (no taper), Pro all 34.
inline constexpr int kStandardParameterFields = 25;
inline constexpr int kProParameterFields = 34;
// Field 26 is the taper axis.
inline constexpr int kTaperAxisField = 26;

struct ProjectHeader {
    std::string version;     // the header token after "BW": "20" or "1" as written here
    std::int32_t count = 0;  // records announced; not to be trusted for allocation

    // Pro files carry the taper fields; the version's first character decides.
    bool IsPro() const { return !version.empty() && version.front() == '2'; }
};

struct ProjectRecord {
    TypeCode typeCode{0};
    BodyPartId bodyPart = 0;
    std::string name;             // the body part's catalogue name, for example "Left foot"
    std::string objectPath;       // below the object directory, as stored: "\Left foot\X.bwo"
    PartAdjustments adjustments;  // field 25 (`reserved`) is always 0

    // Set by the reader, ignored by the writer:
    // parameter fields parsed from this record's own line (0 to 25 or 34);
    int fieldsRead = 0;
    // fields 1..fieldsFromFile hold values read from the file, on this line or an earlier one;
    // the others still have their defaults.
    int fieldsFromFile = 0;

    // Type code and body part both name a body part (0..21). A record read with numbers outside
    // that range names no part; the rest of the file is still in step and can be read on.
    bool IsValid() const { return IsValidTypeCode(typeCode) && IsValidBodyPartId(bodyPart); }

    // False when the file gave no taper axis yet (a Standard Edition file, or a short Pro line
    // at the start): the axis is then the default 0 and the loader takes the catalogue's.
    bool HasTaperAxisFromFile() const { return fieldsFromFile >= kTaperAxisField; }
};

// A relative path in the form project files store: every '/' becomes '\'.
std::string ToPortablePath(std::string_view path);
// A stored path in the native form: every '\' and '/' becomes '/'.
std::string FromPortablePath(std::string_view storedPath);

}  // namespace bw
