# The Debian package: `cpack -G DEB` in the build folder makes pulsepanel_<version>_<arch>.deb
# from the install rules. Included from the top so that CPackConfig.cmake lands there.
set(PULSEPANEL_MAINTAINER "The pulsepanel developers <dev@pulsepanel.example.org>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "The pulsepanel developers")
set(CPACK_PACKAGE_CONTACT ${PULSEPANEL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines of the extended description as the control file shows them (at most 80 wide).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "pulsepanel finds a 6180-family multi-channel pulse and delay generator on a"
    "serial port, reads its whole configuration into one window with a tab per"
    "channel and sends every change as a text command. It saves and recalls"
    "storage bins and settings files, keeps an optional communication log and"
    "offers a terminal for raw commands. pulsectl does the same from scripts"
    "and the shell."
    "The package also holds pulsesim, a simulated instrument on a pseudo-terminal,"
    "to try the program without one.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
