# Runs ferrowind-assets into a scratch folder and requires every file it writes to be byte for
# byte the one in app/res: the committed art is only ever changed by changing the generator.
#   cmake -DGENERATOR=exe [-DEMULATOR=wine-run] -DOUT=dir -DCOMMITTED=app/res -P regenerate.cmake
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND ${EMULATOR} "${GENERATOR}" "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ferrowind-assets failed with status ${status}")
endif()
set(names ferrowind.ico padlock_closed.bmp padlock_open.bmp hand.cur msgbox_error.ico
          msgbox_exclamation.ico msgbox_information.ico)
file(GLOB written RELATIVE "${OUT}" "${OUT}/*")
list(SORT written)
set(expected ${names})
list(SORT expected)
if(NOT written STREQUAL expected)
  message(FATAL_ERROR "ferrowind-assets wrote [${written}], expected [${expected}]")
endif()
foreach(name IN LISTS names)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/${name}"
                          "${COMMITTED}/${name}" RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "app/res/${name} is not what ferrowind-assets draws; regenerate it "
                        "with: ferrowind-assets app/res")
  endif()
endforeach()
message(STATUS "All ${names} match the generator")
