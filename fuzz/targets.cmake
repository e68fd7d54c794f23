# The fuzz targets: NAME and source. Each source defines LLVMFuzzerTestOneInput and BwFuzzSeeds.
# Kept crashers live in fuzz/regressions/NAME/.
set(BW_FUZZ_TARGETS
  object_file object_file_fuzz.cpp
  configuration configuration_fuzz.cpp
  project_file project_file_fuzz.cpp
  tool_json tool_json_fuzz.cpp
  prepared_object prepared_object_fuzz.cpp
  export export_fuzz.cpp
  rig_pose_file rig_pose_file_fuzz.cpp
)
# Targets that also link what the command-line tool writes (bwtool_output) or the export
# library (beastwright_export).
set(BW_FUZZ_TOOL_TARGETS tool_json)
set(BW_FUZZ_EXPORT_TARGETS export)
