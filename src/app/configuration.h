// The settings kept between runs in the file "bw.cfg" in the directory that was the working
// directory at start: one setting per line, its keyword, one blank, its value.
//
//   ConvertObjectDir /home/ann/convert
//   ConvertObjectName NewObject
//   ObjectDir /home/ann/Objects
//   ProjectDir /home/ann/Projects
//   BgColor 0.000000 0.000000 0.000000 0.000000
//   WireColor 0.800000 0.800000 0.800000 0.000000
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace bw {

class Notifier;

inline constexpr std::string_view kConfigurationFileName = "bw.cfg";

struct Configuration {
    // Directories are stored without a trailing separator; values hold any bytes but line ends.
    std::string objectDir;                        // root of the body part directories
    std::string projectDir;                       // where the project file dialogs open
    std::string convertObjectDir;                 // where the converter's object dialog opens
    std::string convertObjectName = "NewObject";  // the converter's output name
    // Red, green, blue, alpha, fractions from 0 to 1 (values outside are kept as they are).
    std::array<float, 4> bgColor{0.0f, 0.0f, 0.0f, 0.0f};
    std::array<float, 4> wireColor{0.8f, 0.8f, 0.8f, 0.0f};
    // The directory that holds the file; captured at start, never written into the file.
    std::string startDirectory;

    friend bool operator==(const Configuration&, const Configuration&) = default;
};

// Sets the six settings to their defaults (startDirectory is kept) and then reads `text`:
// words are separated by white space and recognised as keywords by KeywordHash alone, so in any
// case; other words are skipped. After a directory or name keyword, exactly one separator
// character is skipped and the value is the rest of the line, blanks included, without trailing
// CRs (a keyword at the end of its line gives an empty value). After a colour keyword four
// numbers are read as "%f" reads them, across white space of any kind; at the first word that is
// no number the remaining components keep their values and that word is read as an ordinary word.
void ReadConfigurationText(std::string_view text, Configuration& configuration);

// The file's bytes: the six lines in a fixed order, "\n" line ends, colours "%f" with six
// decimals and a full stop. A directory or name that holds a CR or LF cannot be kept on its line;
// the setting's default is written instead (the empty directory, the name "NewObject"; the
// Preference page refuses such directories before they get here).
// Otherwise reading the result gives back the same settings (floats up to their six decimals),
// so reading and formatting again reproduces it byte for byte.
std::string FormatConfiguration(const Configuration& configuration);

// `path` as a start directory: one trailing '/' removed unless the path is the root "/".
std::string StartDirectoryFromPath(std::string path);

// The process's current working directory as a start directory; "." when it cannot be had.
std::string CaptureStartDirectory();

// startDirectory + "/bw.cfg" (no doubled separator when the start directory is the root).
std::string ConfigurationFilePath(std::string_view startDirectory);

// Sets configuration.startDirectory, then reads the file in that directory. Without a readable
// file the defaults apply silently and the result is false; true when a file was read.
bool ReadConfigurationFile(const std::string& startDirectory, Configuration& configuration);

// Replaces the file in configuration.startDirectory atomically. When that fails, shows
// "Unable to open config file for writing!" under "Error" with a warning icon, leaves any old
// file as it was and returns false.
bool WriteConfigurationFile(const Configuration& configuration, Notifier& notifier);

}  // namespace bw
