# The Linux program's Debian package, made by cpack in the linux preset:
#   cpack --preset linux        (or scripts/package --deb, which builds first)
# gives build/linux/packages/ferrowind_<version>_amd64.deb with /usr/bin/ferrowind,
# ferrowind-cli and ferrowind-reg (stripped), a desktop entry that starts the window in system
# mode, the program's icon in the hicolor sizes its icon file holds, and the README, licence
# and changelog in /usr/share/doc/ferrowind. Its dependencies come from the binaries
# (dpkg-shlibdeps), plus the fonts the window draws with. Included from the top-level
# CMakeLists.txt in the Linux builds.

find_program(GZIP gzip REQUIRED)

set(deb_staging "${CMAKE_BINARY_DIR}/deb-files")
file(MAKE_DIRECTORY "${deb_staging}")

# The icon at each of its sizes, as the icon theme's PNGs, drawn by the program's own asset
# generator (the same images its icon file holds).
set(theme_icons "${deb_staging}/icons")
add_custom_command(
  OUTPUT "${deb_staging}/icons.stamp"
  COMMAND "${CMAKE_COMMAND}" -E remove_directory "${theme_icons}"
  COMMAND ferrowind-assets --theme-icons "${theme_icons}"
  COMMAND "${CMAKE_COMMAND}" -E touch "${deb_staging}/icons.stamp"
  DEPENDS ferrowind-assets
  VERBATIM)
install(DIRECTORY "${theme_icons}/" DESTINATION share/icons/hicolor)

# Debian's documentation files: the copyright in its machine-readable form, and the changelog
# compressed reproducibly.
string(TIMESTAMP changelog_date "%a, %d %b %Y 00:00:00 +0000" UTC)
configure_file("${PROJECT_SOURCE_DIR}/cmake/debian-changelog.in" "${deb_staging}/changelog" @ONLY)
add_custom_command(
  OUTPUT "${deb_staging}/changelog.gz"
  COMMAND "${GZIP}" -9 -n -c "${deb_staging}/changelog" > "${deb_staging}/changelog.gz"
  DEPENDS "${deb_staging}/changelog"
  VERBATIM)
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence_text)
string(STRIP "${licence_text}" licence_text)
set(licence_text " ${licence_text}")
string(REGEX REPLACE "\n\n" "\n .\n" licence_text "${licence_text}")
string(REGEX REPLACE "\n([^ \n])" "\n \\1" licence_text "${licence_text}")
configure_file("${PROJECT_SOURCE_DIR}/cmake/debian-copyright.in" "${deb_staging}/copyright" @ONLY)
add_custom_target(deb_files ALL DEPENDS "${deb_staging}/icons.stamp" "${deb_staging}/changelog.gz")

install(TARGETS ferrowind ferrowind-cli ferrowind-reg RUNTIME DESTINATION bin)
install(FILES "${PROJECT_SOURCE_DIR}/app/res/ferrowind.desktop" DESTINATION share/applications)
install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${deb_staging}/copyright"
              "${deb_staging}/changelog.gz"
        DESTINATION share/doc/ferrowind)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
set(CPACK_PACKAGE_NAME "ferrowind")
set(CPACK_PACKAGE_VENDOR "The Ferrowind developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lock and unlock USB storage on the whole machine")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Ferrowind developers <developers@ferrowind.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION "admin")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "kmod")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The extended description (cpack puts the summary above it as the synopsis).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A window with a padlock shows whether USB drives can be used on this machine\nand locks or unlocks them. With --system (the desktop entry's way) it reads and\nwrites the kernel module policy: /etc/modprobe.d/ferrowind.conf makes the\nusb-storage and uas modules unloadable and blacklisted. ferrowind-cli does the\nsame from scripts and fleet tools, with exit statuses for compliance checks.")

include(CPack)
