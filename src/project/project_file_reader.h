// Reads project files (layout in project_file.h) record by record, so a loader can act on the
// header before any record and on each record as soon as it is read.
//
// Reading rules:
// - The header token is two letters ("BW" as written; any two are accepted) and the version:
//   its third character, '1' Standard Edition (25 fields) or '2' Pro (34 fields). A token
//   without such a third character, and a count that is no number, is negative or is above
//   the 32-bit range, is refused before any record is handed out.
// - Line ends may be CR LF or LF, or CR alone in a text that holds no LF at all (as some older
//   systems wrote text). The type code and the body part are each read with the white space
//   that follows them (the five blanks of the next record, line ends, and blanks at the start
//   of the name's line). The name is the rest of its line and the object path the whole next
//   line, blanks inside and at the end included, without the line end.
// - One set of parameter values is held for the whole file, starting at the PartAdjustments
//   defaults (0, with the four steps at 0.01). Each parameter line is read field by field as
//   "%d" and "%f" read them, within that line only; at the first field that cannot be read the
//   line ends for the reader, and that field and all later ones keep the values they had after
//   the previous record. Field 25 is read and dropped.
// - The count only bounds the reading: the reader stops at the end of the text, whatever the
//   header announced.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "project/project_file.h"

namespace bw {

class ProjectReader {
  public:
    // `text` must outlive the reader.
    explicit ProjectReader(std::string_view text);
    // A temporary string would leave the reader dangling.
    template <typename T>
    requires std::is_same_v<T, std::string>
    explicit ProjectReader(T&&) = delete;  // NOLINT(bugprone-forwarding-reference-overload)

    // Reads the header and the count. False, with `reason` set, when the text is no project
    // file of a known version; no record can be read then.
    bool ReadHeader(ProjectHeader& header, std::string* reason);

    // Reads the next record into `record`, including records whose numbers are out of range
    // (see ProjectRecord::IsValid: the caller checks and skips those). False when there is no
    // further record: after the last announced record (Complete() is then true, `reason` is
    // not touched) or, with `reason` set, when the text ends early or a type code or body part
    // is no number (what follows cannot be read in step).
    bool NextRecord(ProjectRecord& record, std::string* reason);

    // True once every record the header announced has been read.
    bool Complete() const { return state_ == State::Complete; }

  private:
    enum class State { BeforeHeader, Records, Complete, Stopped };

    bool Stop(std::string* reason, std::string why);
    void SkipSpace();
    void SkipLineSpace();
    // The rest of the current line without its line end and trailing CRs; `ended` says whether
    // a line end followed (and was consumed).
    std::string_view ReadLine(bool* ended);
    int ReadParameterLine();

    std::string_view text_;
    char lineEnd_ = '\n';  // the character that ends a line: LF, or CR in a text without LF
    std::size_t pos_ = 0;
    State state_ = State::BeforeHeader;
    int fieldCount_ = 0;
    std::int32_t announced_ = 0;
    std::int32_t recordsRead_ = 0;
    PartAdjustments held_;
    int fieldsFromFile_ = 0;
};

// Reads the whole text: `records` receives every record handed out (see NextRecord). True when
// the header was accepted and all announced records were read; false, with `reason` set,
// otherwise (the records read before an early end are kept).
bool ReadProjectRecords(std::string_view text, ProjectHeader& header,
                        std::vector<ProjectRecord>& records, std::string* reason);

}  // namespace bw
