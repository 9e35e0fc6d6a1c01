# Runs ferrowind-gdi on a malformed SCRIPT: it must exit with status 2, name the script and the
# line (from its "# expect line N" comment; an empty script fails on line 1), and write nothing,
# not even over an old output (see expect_failure.cmake).
file(SIZE ${SCRIPT} size)
if(size EQUAL 0)
  set(expected_line 1)
else()
  file(STRINGS ${SCRIPT} hint LIMIT_COUNT 1 REGEX "^# expect line [0-9]+")
  if(NOT hint)
    message(FATAL_ERROR "${SCRIPT} has no '# expect line N' comment")
  endif()
  string(REGEX REPLACE "^# expect line " "" expected_line "${hint}")
endif()
get_filename_component(name ${SCRIPT} NAME)
set(STATUS 2)
set(MESSAGE "${name}: line ${expected_line}:")
set(ARGS "${SCRIPT}|<DIR>/kept.ppm")
include(${CMAKE_CURRENT_LIST_DIR}/expect_failure.cmake)
