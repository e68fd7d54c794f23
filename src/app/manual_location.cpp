#include "app/manual_location.h"

#include <array>
#include <string_view>

namespace bw {
namespace {

struct CodeDescription {
    int code;
    std::string_view text;
};

constexpr std::array<CodeDescription, 13> kDescriptions{{
    {0, "The operating system is out of memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied access to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred."},
    {27, "The filename association is incomplete or invalid."},
    {28, "The DDE transaction could not be completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30,
     "The DDE transaction could not be completed because other DDE transactions were being "
     "processed."},
    {31, "There is no application associated with the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
}};

}  // namespace

std::string ManualPath(const std::string& objectDirectory) {
    return objectDirectory + "/../../Doc/StandaloneManual.html";
}

std::string ManualOpenFailureText(int code, const std::string& manualPath) {
    std::string text = "returned: " + std::to_string(code) + "\n";
    for (const CodeDescription& entry : kDescriptions) {
        if (entry.code == code) return text + std::string(entry.text);
    }
    return text + manualPath;
}

}  // namespace bw
