# The fuzz targets: NAME and source. Each source defines LLVMFuzzerTestOneInput and BwFuzzSeeds.
# Kept crashers live in fuzz/regressions/NAME/.
set(BW_FUZZ_TARGETS
  object_file object_file_fuzz.cpp
  configuration configuration_fuzz.cpp
  project_file project_file_fuzz.cpp
)
