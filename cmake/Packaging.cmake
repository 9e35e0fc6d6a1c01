# The Windows program's release packages, made by cpack in the Windows build:
#   cpack --preset windows      (or scripts/package, which builds first)
# gives build/windows/packages/ferrowind-<version>-win64.exe, an NSIS installer, and
# ferrowind-<version>-win64.zip, each with ferrowind.exe, ferrowind-cli.exe, README.md and LICENSE.
#
# The installer puts the four files in Program Files\Ferrowind (the 64-bit folder), adds a
# Start-menu folder with the program and its uninstaller, and registers the uninstaller with
# "Apps and features". Included from the top-level CMakeLists.txt after app/, Windows build only.
#
# The target `msi` makes build/windows/packages/ferrowind-<version>-win64.msi with wixl (Debian's
# wixl), the package fleets deploy silently: cmake/ferrowind.wxs says what it installs.

# fw_static_runtime: what ferrowind.exe links to stand alone on a clean Windows: libstdc++,
# libgcc and winpthreads linked in, so that it imports only system DLLs (kernel32, user32, gdi32,
# advapi32, msimg32, comctl32 and msvcrt).
add_library(fw_static_runtime INTERFACE)
target_link_options(fw_static_runtime INTERFACE -static -static-libgcc -static-libstdc++)

# What goes into both packages. The program is installed only once its target exists, so that
# the tree configures while it does not.
if(TARGET ferrowind)
  install(TARGETS ferrowind RUNTIME DESTINATION .)
endif()
# The command line beside it, for scripts and fleet tools.
if(TARGET ferrowind-cli)
  install(TARGETS ferrowind-cli RUNTIME DESTINATION .)
endif()
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
set(CPACK_PACKAGE_NAME "Ferrowind")
set(CPACK_PACKAGE_VENDOR "The Ferrowind developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Lock and unlock USB storage")
set(CPACK_SYSTEM_NAME "win64")
set(CPACK_PACKAGE_FILE_NAME "ferrowind-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_CHECKSUM SHA256)

# The installer.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Ferrowind")
# One key for every version, so a newer installer finds and replaces an older installation.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Ferrowind")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_NSIS_PACKAGE_NAME "Ferrowind")
set(CPACK_NSIS_DISPLAY_NAME "Ferrowind")
# ferrowind.exe is 64-bit, and so is its installer (NSIS's amd64 stubs): it installs to
# C:\Program Files, not C:\Program Files (x86), and writes the 64-bit registry view, so
# "Apps and features" lists it as a 64-bit program. It also runs under a 64-bit-only Wine.
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# The Start-menu shortcut "Ferrowind" to ferrowind.exe at the top of the installation folder
# (beside the "Uninstall" one the installer always makes). Backslashes are doubled twice: the
# value is read once here and once more from CPackConfig.cmake.
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Ferrowind.lnk' '$INSTDIR\\\\ferrowind.exe'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Ferrowind.lnk'")
# The program's icon on the installer, the uninstaller and its entry in "Apps and features".
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/app/res/ferrowind.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/app/res/ferrowind.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "ferrowind.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")

include(CPack)

# The Windows Installer package.
find_program(WIXL wixl REQUIRED)  # Debian's wixl; the scripts install it
if(TARGET ferrowind AND TARGET ferrowind-cli)
  set(FERROWIND_MSI "${CMAKE_BINARY_DIR}/packages/ferrowind-${PROJECT_VERSION}-win64.msi")
  add_custom_command(
    OUTPUT "${FERROWIND_MSI}"
    COMMAND "${CMAKE_COMMAND}" -DWIXL=${WIXL} -DVERSION=${PROJECT_VERSION}
            -DPROGRAM=$<TARGET_FILE:ferrowind> -DCLI=$<TARGET_FILE:ferrowind-cli>
            -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUTPUT=${FERROWIND_MSI}
            -P "${PROJECT_SOURCE_DIR}/cmake/make_msi.cmake"
    DEPENDS ferrowind ferrowind-cli "${PROJECT_SOURCE_DIR}/cmake/ferrowind.wxs"
            "${PROJECT_SOURCE_DIR}/cmake/make_msi.cmake" "${PROJECT_SOURCE_DIR}/README.md"
            "${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_SOURCE_DIR}/app/res/ferrowind.ico"
    COMMENT "Making ferrowind-${PROJECT_VERSION}-win64.msi with wixl"
    VERBATIM)
  add_custom_target(msi ALL DEPENDS "${FERROWIND_MSI}")
endif()
