#include "app/configuration.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/keyword_hash.h"
#include "model/file_io.h"
#include "model/formatted_number.h"
#include "model/notifier.h"

namespace bw {
namespace {

// A cursor over the file's text with the steps formatted input takes.
class TextScanner {
  public:
    explicit TextScanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

    void SkipSpace() {
        while (pos_ < text_.size() && IsTextSpace(text_[pos_])) ++pos_;
    }

    // The next run of non-white-space characters (empty at the end of the text).
    std::string_view NextWord() {
        SkipSpace();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsTextSpace(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // Skips the one separator after a keyword and returns the rest of the line without its line
    // end and without trailing CRs. A keyword at the end of its line has an empty value.
    std::string_view RestOfLine() {
        if (pos_ >= text_.size() || text_[pos_] == '\n') return {};
        ++pos_;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        std::size_t end = pos_;
        while (end > start && text_[end - 1] == '\r') --end;
        return text_.substr(start, end - start);
    }

    // Up to four numbers, each after any white space; stops at the first that is no number.
    void ReadColour(std::array<float, 4>& colour) {
        for (float& component : colour) {
            SkipSpace();
            if (!ScanFloat(text_, pos_, component)) return;
        }
        SkipSpace();
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

void AppendColourLine(std::string& out, std::string_view keyword,
                      const std::array<float, 4>& colour) {
    out += keyword;
    for (const float component : colour) {
        out += ' ';
        AppendFixed6(out, component);
    }
    out += '\n';
}

// A value holding a line break is never written: its tail would be read back as settings of
// its own (a directory "/a\nObjectDir /b" would set the object directory to "/b"). The
// setting's default is written in its place.
void AppendValueLine(std::string& out, std::string_view keyword, std::string_view value,
                     std::string_view fallback) {
    out += keyword;
    out += ' ';
    out += value.find_first_of("\r\n") == std::string_view::npos ? value : fallback;
    out += '\n';
}

}  // namespace

void ReadConfigurationText(std::string_view text, Configuration& configuration) {
    Configuration defaults;
    defaults.startDirectory = std::move(configuration.startDirectory);
    configuration = std::move(defaults);

    TextScanner scanner(text);
    while (true) {
        const std::string_view word = scanner.NextWord();
        if (word.empty()) break;
        switch (KeywordHash(word)) {
            case kBgColorHash:
                scanner.ReadColour(configuration.bgColor);
                break;
            case kWireColorHash:
                scanner.ReadColour(configuration.wireColor);
                break;
            case kObjectDirHash:
                configuration.objectDir = scanner.RestOfLine();
                break;
            case kProjectDirHash:
                configuration.projectDir = scanner.RestOfLine();
                break;
            case kConvertObjectDirHash:
                configuration.convertObjectDir = scanner.RestOfLine();
                break;
            case kConvertObjectNameHash:
                configuration.convertObjectName = scanner.RestOfLine();
                break;
            default:
                break;
        }
    }
}

std::string FormatConfiguration(const Configuration& configuration) {
    std::string out;
    const Configuration defaults;
    AppendValueLine(out, "ConvertObjectDir", configuration.convertObjectDir,
                    defaults.convertObjectDir);
    AppendValueLine(out, "ConvertObjectName", configuration.convertObjectName,
                    defaults.convertObjectName);
    AppendValueLine(out, "ObjectDir", configuration.objectDir, defaults.objectDir);
    AppendValueLine(out, "ProjectDir", configuration.projectDir, defaults.projectDir);
    AppendColourLine(out, "BgColor", configuration.bgColor);
    AppendColourLine(out, "WireColor", configuration.wireColor);
    return out;
}

std::string StartDirectoryFromPath(std::string path) {
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string CaptureStartDirectory() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    // An empty start directory means the root; when the working directory cannot be told,
    // the file is looked for where relative paths lead instead.
    if (error) return ".";
    return StartDirectoryFromPath(current.string());
}

std::string ConfigurationFilePath(std::string_view startDirectory) {
    std::string path(startDirectory);
    if (path.empty() || path.back() != '/') path += '/';
    path += kConfigurationFileName;
    return path;
}

bool ReadConfigurationFile(const std::string& startDirectory, Configuration& configuration) {
    configuration.startDirectory = startDirectory;
    std::vector<std::uint8_t> bytes;
    const bool read = ReadWholeFile(ConfigurationFilePath(startDirectory), bytes, nullptr);
    if (!read) bytes.clear();
    ReadConfigurationText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), configuration);
    return read;
}

bool WriteConfigurationFile(const Configuration& configuration, Notifier& notifier) {
    if (WriteFileAtomically(ConfigurationFilePath(configuration.startDirectory),
                            FormatConfiguration(configuration), nullptr)) {
        return true;
    }
    notifier.ShowMessage("Unable to open config file for writing!", "Error", MessageIcon::Warning,
                         MessageButtons::Ok);
    return false;
}

}  // namespace bw
