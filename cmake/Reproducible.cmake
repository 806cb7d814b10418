# Builds that do not depend on where or when they are made: two builds of
# one commit in different folders give byte-identical programs.
#   - SOURCE_DATE_EPOCH (the time of the last commit, unless the environment
#     sets it) is the date of everything dated: the release date in the
#     AppStream metadata (string(TIMESTAMP) reads it);
#   - source and build folders are mapped to fixed names in debug information
#     and in __FILE__;
#   - the Windows program carries no link time stamp.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE QUELLOR_COMMIT_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE gitStatus ERROR_QUIET)
  if(gitStatus EQUAL 0 AND QUELLOR_COMMIT_TIME MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${QUELLOR_COMMIT_TIME})
  endif()
endif()
string(TIMESTAMP QUELLOR_RELEASE_DATE "%Y-%m-%d" UTC)

# The build folder last: it lies inside the source folder in the presets,
# and GCC uses the last option that matches.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/)
# (The Windows program's link time stamp: src/platform/windows/platform.cmake.)
