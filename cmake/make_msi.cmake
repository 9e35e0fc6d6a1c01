# Makes the Windows Installer package from cmake/ferrowind.wxs with wixl: the files it packs are
# staged in one folder first, since wixl takes source paths relative to where it runs.
#
#   cmake -DWIXL=... -DVERSION=0.1.0 -DPROGRAM=.../ferrowind.exe -DCLI=.../ferrowind-cli.exe
#         -DSOURCE_DIR=... -DOUTPUT=.../ferrowind-0.1.0-win64.msi -P make_msi.cmake
foreach(required WIXL VERSION PROGRAM CLI SOURCE_DIR OUTPUT)
  if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
    message(FATAL_ERROR "make_msi.cmake needs -D${required}=...")
  endif()
endforeach()

get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
get_filename_component(output_name "${OUTPUT}" NAME)
set(stage "${output_dir}/${output_name}.files")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
file(COPY "${PROGRAM}" "${CLI}" "${SOURCE_DIR}/README.md" "${SOURCE_DIR}/LICENSE"
          "${SOURCE_DIR}/app/res/ferrowind.ico" DESTINATION "${stage}")

# Written next to the package and renamed into place, so a failed run leaves no half package.
set(partial "${OUTPUT}.partial")
file(REMOVE "${partial}")
execute_process(COMMAND "${WIXL}" -a x64 -D "Version=${VERSION}" -o "${partial}"
                        "${SOURCE_DIR}/cmake/ferrowind.wxs"
                WORKING_DIRECTORY "${stage}" RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
file(REMOVE_RECURSE "${stage}")
if(NOT status EQUAL 0 OR NOT EXISTS "${partial}")
  file(REMOVE "${partial}")
  message(FATAL_ERROR "wixl could not make ${output_name} (${status}):\n${out}")
endif()
file(RENAME "${partial}" "${OUTPUT}")
