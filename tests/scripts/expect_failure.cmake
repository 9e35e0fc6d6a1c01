cmake_minimum_required(VERSION 3.20)
# Runs ferrowind-gdi where it must fail, in a folder of the test's own that already holds an
# old output (kept.ppm): it must exit with STATUS, print a message matching MESSAGE, leave
# kept.ppm as it was and add nothing to the folder (no output, no temporary file).
#   RUN, EMULATOR  the tool, and what runs it (Wine) when cross-compiled
#   DIR            the test's folder, emptied first
#   ARGS           the arguments, separated by "|"; <DIR> stands for DIR
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
set(kept_text "an old output that a failed run must leave alone\n")
file(WRITE ${DIR}/kept.ppm "${kept_text}")
file(TIMESTAMP ${DIR}/kept.ppm kept_time "%Y-%m-%dT%H:%M:%S" UTC)
file(GLOB before RELATIVE ${DIR} ${DIR}/* ${DIR}/.*)

string(REPLACE "<DIR>" "${DIR}" args "${ARGS}")
string(REPLACE "|" ";" args "${args}")
set(command ${RUN} ${args})
if(EMULATOR)
  set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE output
                ERROR_VARIABLE message)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "expected exit status ${STATUS}, got ${status}: ${message}")
endif()
if(NOT message MATCHES "${MESSAGE}")
  message(FATAL_ERROR "the message does not match '${MESSAGE}': ${message}")
endif()
if(NOT output STREQUAL "")
  message(FATAL_ERROR "something was printed on standard output: ${output}")
endif()
file(READ ${DIR}/kept.ppm kept_now)
file(TIMESTAMP ${DIR}/kept.ppm kept_time_now "%Y-%m-%dT%H:%M:%S" UTC)
if(NOT kept_now STREQUAL kept_text OR NOT kept_time_now STREQUAL kept_time)
  message(FATAL_ERROR "the old output was changed: ${kept_now}")
endif()
file(GLOB after RELATIVE ${DIR} ${DIR}/* ${DIR}/.*)
if(NOT after STREQUAL before)
  message(FATAL_ERROR "the folder changed from '${before}' to '${after}'")
endif()
message(STATUS "failed as expected: ${message}")
