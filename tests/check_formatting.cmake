# Fails when a C++ source or header under one of DIRS (semicolon-separated, relative to
# ROOT) is not formatted as ROOT/.clang-format says; lists each such file. Fixture trees of
# the include and format checks are left out (their layout is what those checks read).
#
#   cmake -DCLANG_FORMAT=clang-format -DROOT=. -DDIRS="src;tests" -P this
cmake_minimum_required(VERSION 3.25)

foreach(var CLANG_FORMAT ROOT DIRS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()
if(NOT EXISTS "${CLANG_FORMAT}")
  message(FATAL_ERROR "clang-format not found (scripts/install-deps installs it)")
endif()

set(files "")
foreach(dir IN LISTS DIRS)
  file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${dir}/*.h" "${ROOT}/${dir}/*.cpp")
  list(APPEND files ${found})
endforeach()
list(FILTER files EXCLUDE REGEX "^tests/(layer|folder|format)_check/")
list(SORT files)

# One run over every file; each finding names its file at the start of a line.
execute_process(COMMAND "${CLANG_FORMAT}" --style=file --dry-run ${files}
                WORKING_DIRECTORY "${ROOT}" RESULT_VARIABLE status OUTPUT_QUIET
                ERROR_VARIABLE findings)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "clang-format failed: ${findings}")
endif()
set(unformatted "")
string(REGEX MATCHALL "(^|\n)[^\n:]+:[0-9]+:[0-9]+: (warning|error):" hits "${findings}")
foreach(hit IN LISTS hits)
  string(REGEX REPLACE "^\n?([^\n:]+):[0-9]+:[0-9]+: .*$" "\\1" file "${hit}")
  list(APPEND unformatted "${file}")
endforeach()
list(REMOVE_DUPLICATES unformatted)
list(LENGTH files count)
if(unformatted)
  foreach(file IN LISTS unformatted)
    message(NOTICE "not formatted: ${file}")
  endforeach()
  message(FATAL_ERROR "run clang-format -i on the files above")
endif()
message(STATUS "${count} files formatted")
