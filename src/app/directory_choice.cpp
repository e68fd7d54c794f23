#include "app/directory_choice.h"

#include "model/body_part_directory.h"

namespace bw {

std::string DirectoryOfChosenPath(std::string_view chosenPath) {
    const std::size_t cut = chosenPath.rfind(kPathSeparator);
    if (cut == std::string_view::npos) return {};
    return std::string(chosenPath.substr(0, cut));
}

std::string DirectoryOfFieldText(std::string_view fieldText) {
    if (!fieldText.empty() && fieldText.back() == kPathSeparator) fieldText.remove_suffix(1);
    return std::string(fieldText);
}

bool HoldsLineBreak(std::string_view value) {
    return value.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace bw
