# The Debian package: `cpack -G DEB` in a build folder (tools/package wraps
# it) makes tessara-lines_VERSION_ARCH.deb from the install rules.
set(CPACK_PACKAGE_NAME "tessara-lines")
set(CPACK_PACKAGE_VENDOR "Tessara Lines")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "Tessara Lines maintainers <maintainers@tessara-lines.invalid>")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# The programs ship without their debugging information.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
# CPack puts the summary above these lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "tlines is the desktop program in which a crew scheduler builds the month's
blocks of work for one crew group and checks them against the contract
rules. tlines-cli does the same work from a terminal.")
# dpkg-shlibdeps names the Debian packages of every library the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TL_BUILD_GUI)
    # Qt loads these as plugins at run time, so no linked library names them:
    # without a display plugin there is no window, without the SVG ones the
    # program's icons stay blank.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
endif()

include(CPack)
