// Configuration file text: any bytes are read without crashing, and what was read formats to a
// text that reads back to the same settings, so formatting it again gives the same bytes.
#include <cstdlib>

#include "app/configuration.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bw::Configuration first;
    bw::ReadConfigurationText(std::string_view(reinterpret_cast<const char*>(data), size), first);
    const std::string formatted = bw::FormatConfiguration(first);
    bw::Configuration second;
    bw::ReadConfigurationText(formatted, second);
    if (bw::FormatConfiguration(second) != formatted) std::abort();
    return 0;
}

std::vector<std::string> BwFuzzSeeds() {
    bw::Configuration configuration;
    std::vector<std::string> seeds{bw::FormatConfiguration(configuration)};
    configuration.objectDir = "/home/ann/Beast Objects";
    configuration.convertObjectDir = " leading blank";
    configuration.bgColor = {0.25f, 1e-7f, -3.5f, 1};
    seeds.push_back(bw::FormatConfiguration(configuration));
    seeds.push_back("objectdir /a\r\nPROJECTDIR\r\nBgColor 0.5 0x1p-2 inf ObjectDir x\r\n");
    seeds.push_back(
        "WireColor 1e40 -nan 1e-50 +.5\nConvertObjectName\n\nnoise ConvertObjectDir  z");
    return seeds;
}
