# The Windows Installer package as a fleet deploys it, under Wine's msiexec: a silent
# installation puts both programs in Program Files\Ferrowind with a Start-menu shortcut and an
# entry in "Apps and features"; the installed command line runs; a newer version replaces an
# older one, an older one does not replace a newer; a silent removal takes all of it away.
#
#   cmake -DMSI=.../ferrowind-0.1.0-win64.msi -DWIXL=... -DVERSION=0.1.0 -DPROGRAM=...
#         -DCLI=... -DSOURCE_DIR=... -DOUT=dir -DWINE_RUN=.../wine-run -DWINEPREFIX=...
#         -P msi_test.cmake
foreach(required MSI WIXL VERSION PROGRAM CLI SOURCE_DIR OUT WINE_RUN WINEPREFIX)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "msi_test.cmake needs -D${required}=...")
  endif()
endforeach()

include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

function(wine)
  execute_process(COMMAND "${WINE_RUN}" ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  string(REPLACE "\r" "" out "${out}")
  set(wine_result "${result}" PARENT_SCOPE)
  set(wine_output "${out}" PARENT_SCOPE)
endfunction()

# A Windows path for a file of this machine (Wine's Z: drive).
function(windows_path file result)
  string(REPLACE "/" "\\" path "Z:${file}")
  set(${result} "${path}" PARENT_SCOPE)
endfunction()

# The versions of the "Apps and features" entries of Windows Installer products named Ferrowind.
set(uninstall "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall")
function(installed_versions result)
  wine(reg query "${uninstall}" /s)
  string(REPLACE ";" "," text "${wine_output}")
  string(REPLACE "\n" ";" lines "${text}")
  set(versions "")
  set(in_product FALSE)
  set(named FALSE)
  set(version "")
  foreach(line IN LISTS lines ITEMS HKEY_END)
    if(line MATCHES "^HKEY")
      if(in_product AND named)
        list(APPEND versions "${version}")
      endif()
      set(in_product FALSE)
      if(line MATCHES "\\\\Uninstall\\\\{[0-9A-F-]+}$")
        set(in_product TRUE)
      endif()
      set(named FALSE)
      set(version "")
    elseif(line MATCHES "^ +DisplayName +REG_SZ +Ferrowind$")
      set(named TRUE)
    elseif(line MATCHES "^ +DisplayVersion +REG_SZ +(.*)$")
      set(version "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(${result} "${versions}" PARENT_SCOPE)
endfunction()

set(folder "${WINEPREFIX}/drive_c/Program Files/Ferrowind")
# Wine puts a per-machine package's shortcuts in the installing user's Start menu; Windows in
# every user's. Either is where the user finds it.
set(menus "${WINEPREFIX}/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs")
file(GLOB user_menus "${WINEPREFIX}/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
list(APPEND menus ${user_menus})
function(shortcut_exists result)
  set(${result} FALSE PARENT_SCOPE)
  foreach(menu IN LISTS menus)
    if(EXISTS "${menu}/Ferrowind.lnk")
      set(${result} TRUE PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

# An older version of the same package, to be replaced.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
set(older "${OUT}/ferrowind-0.0.1-win64.msi")
execute_process(COMMAND "${CMAKE_COMMAND}" -DWIXL=${WIXL} -DVERSION=0.0.1 -DPROGRAM=${PROGRAM}
                        -DCLI=${CLI} -DSOURCE_DIR=${SOURCE_DIR} -DOUTPUT=${older}
                        -P "${SOURCE_DIR}/cmake/make_msi.cmake"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the older package could not be made")
endif()
windows_path("${MSI}" msi_path)
windows_path("${older}" older_path)

# Whatever an earlier run left.
wine(msiexec /x "${msi_path}" /qn)
wine(msiexec /x "${older_path}" /qn)
installed_versions(versions)
if(NOT versions STREQUAL "")
  message(FATAL_ERROR "Ferrowind is installed before the test: ${versions}")
endif()

wine(msiexec /i "${older_path}" /qn)
if(NOT wine_result EQUAL 0)
  fail("the silent installation of 0.0.1 failed (${wine_result}): ${wine_output}")
endif()
installed_versions(versions)
if(NOT versions STREQUAL "0.0.1")
  fail("after installing 0.0.1, Apps and features lists [${versions}]")
endif()

# The newer version replaces it.
wine(msiexec /i "${msi_path}" /qn)
if(NOT wine_result EQUAL 0)
  fail("the silent installation of ${VERSION} failed (${wine_result}): ${wine_output}")
endif()
installed_versions(versions)
if(NOT versions STREQUAL "${VERSION}")
  fail("after upgrading, Apps and features lists [${versions}], not [${VERSION}]")
endif()
foreach(pair "ferrowind.exe|${PROGRAM}" "ferrowind-cli.exe|${CLI}"
             "README.md|${SOURCE_DIR}/README.md" "LICENSE|${SOURCE_DIR}/LICENSE")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 original)
  same_files("${folder}/${name}" "${original}" same)
  if(NOT same)
    fail("the installed ${name} is missing or differs from ${original}")
  endif()
endforeach()
shortcut_exists(shortcut)
if(NOT shortcut)
  fail("the installation made no Start-menu shortcut Ferrowind.lnk in [${menus}]")
endif()
wine("C:\\Program Files\\Ferrowind\\ferrowind-cli.exe" --version)
if(NOT wine_result EQUAL 0 OR NOT wine_output MATCHES "${VERSION}")
  fail("the installed ferrowind-cli.exe --version says (${wine_result}): ${wine_output}")
endif()

# An older version does not replace a newer one.
wine(msiexec /i "${older_path}" /qn)
if(wine_result EQUAL 0)
  fail("installing 0.0.1 over ${VERSION} succeeded")
endif()
installed_versions(versions)
if(NOT versions STREQUAL "${VERSION}")
  fail("after the refused downgrade, Apps and features lists [${versions}]")
endif()

# A silent removal takes everything away.
wine(msiexec /x "${msi_path}" /qn)
if(NOT wine_result EQUAL 0)
  fail("the silent removal failed (${wine_result}): ${wine_output}")
endif()
if(EXISTS "${folder}")
  fail("the removal left ${folder}")
endif()
shortcut_exists(shortcut)
if(shortcut)
  fail("the removal left the Start-menu shortcut")
endif()
installed_versions(versions)
if(NOT versions STREQUAL "")
  fail("after the removal, Apps and features lists [${versions}]")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} MSI check(s) failed")
endif()
message(STATUS "MSI ok: ${MSI}")
