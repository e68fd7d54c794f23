// bw_sample_library SHARE_DIRECTORY: writes the sample library of body parts, prepared
// creatures, sample projects and their poses below SHARE_DIRECTORY. Deterministic: two runs
// write the same bytes.
#include <cstdio>
#include <string>

#include "library_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bw_sample_library SHARE_DIRECTORY\n");
        return 2;
    }
    std::string reason;
    if (!bw::library::WriteSampleLibrary(argv[1], &reason)) {
        std::fprintf(stderr, "bw_sample_library: %s\n", reason.c_str());
        return 1;
    }
    return 0;
}
