# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Veltrax as a desktop program, and `make package`: a Debian package
# built by CPack. Included at the end of the top-level CMakeLists.txt.
#
#   cmake --install build [--prefix DIR]   (DESTDIR is honoured as usual)
#     bin/veltrax, bin/veltrax-ephem
#     share/man/man1/veltrax.1.gz, share/man/man1/veltrax-ephem.1.gz  (with help2man)
#     share/applications/org.example.veltrax.desktop
#     share/icons/hicolor/scalable/apps/veltrax.svg
#     share/metainfo/org.example.veltrax.metainfo.xml
#   and in the Debian package only:
#     share/doc/veltrax/copyright, share/doc/veltrax/changelog.gz

include(GNUInstallDirs)
set(VELTRAX_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VELTRAX_APP_ID org.example.veltrax)   # the <id> of veltrax.metainfo.xml

install(TARGETS veltrax-ephem RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(VELTRAX_GUI)
  install(TARGETS veltrax RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The desktop entry and the AppStream metadata (what software centres show)
  # are installed under the program's AppStream id, a reverse-DNS name made
  # from the project's home page address; the window names the same entry
  # (window/main.cpp) so that a Wayland desktop ties the two together.
  install(FILES ${VELTRAX_PACKAGING_DIR}/veltrax.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    RENAME ${VELTRAX_APP_ID}.desktop)
  install(FILES ${VELTRAX_PACKAGING_DIR}/veltrax.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${VELTRAX_PACKAGING_DIR}/veltrax.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
    RENAME ${VELTRAX_APP_ID}.metainfo.xml)
endif()

include(${VELTRAX_PACKAGING_DIR}/manpages.cmake)

# The Debian package's own documents: the machine-readable copyright file and
# the changelog (Debian's format, compressed with gzip -9n as Debian ships it).
# They belong to the package's place in /usr/share/doc, so they are a component
# of their own that `cmake --install` leaves out and CPack puts in.
set(VELTRAX_DEB_DOC_DIR ${PROJECT_BINARY_DIR}/debian-doc)
if(VELTRAX_GZIP)   # found by manpages.cmake
  add_custom_command(OUTPUT ${VELTRAX_DEB_DOC_DIR}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELTRAX_DEB_DOC_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${VELTRAX_PACKAGING_DIR}/changelog ${VELTRAX_DEB_DOC_DIR}/changelog
    COMMAND ${VELTRAX_GZIP} -9nf ${VELTRAX_DEB_DOC_DIR}/changelog
    DEPENDS ${VELTRAX_PACKAGING_DIR}/changelog
    COMMENT "Debian changelog.gz"
    VERBATIM)
  add_custom_target(veltrax-deb-changelog ALL DEPENDS ${VELTRAX_DEB_DOC_DIR}/changelog.gz)
  install(FILES ${VELTRAX_DEB_DOC_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veltrax
    COMPONENT debian-doc EXCLUDE_FROM_ALL)
endif()
install(FILES ${VELTRAX_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veltrax
  COMPONENT debian-doc EXCLUDE_FROM_ALL)

# --- the Debian package ---
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltrax)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Veltrax developers <dev@veltrax.invalid>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Veltrax developers <dev@veltrax.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)   # veltrax_1.0_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# One package holding everything: the programs and their files (installed
# without a component name) and the Debian documents.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian-doc)   # Unspecified: CMake's name for "no component"
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Jupiter's central meridians, Great Red Spot and satellites for any moment")
set(CPACK_PACKAGE_DESCRIPTION
  "Veltrax tells a Jupiter observer what is facing the eyepiece: for a date and
a Japan Standard Time it shows the central-meridian longitudes in Systems I,
II and III, the predicted longitude of the Great Red Spot, and a picture of
the planet with its belts and the four Galilean satellites. The window is in
Japanese. veltrax-ephem prints the same numbers on the command line.")

# The shared libraries the programs link (libqt6widgets6, libqt6gui6,
# libqt6core6, libstdc++6, libc6...) are found by dpkg-shlibdeps from the
# binaries themselves; `make package` installs it (dpkg-dev) and `file`, which
# CPack needs to find the binaries. libqt6gui6 also holds the X11 platform
# plugin (libqxcb.so) the window runs on. What the binaries do not link but the
# window needs at run time is added by name: the SVG icon engine for the
# window's icon, and the IPA fonts standing in for the Japanese fonts.
find_program(VELTRAX_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(VELTRAX_FILE file)
if(VELTRAX_DPKG_SHLIBDEPS AND VELTRAX_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(veltrax_linked_deps "")
else()
  # Without the tools, name the libraries of Debian 12 by hand.
  set(veltrax_linked_deps "libc6, libstdc++6, libgcc-s1")
  if(VELTRAX_GUI)
    string(APPEND veltrax_linked_deps ", libqt6core6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6widgets6 (>= 6.2)")
  endif()
endif()
if(VELTRAX_GUI)
  set(veltrax_runtime_deps "libqt6svg6, fonts-ipafont-gothic, fonts-ipafont-mincho")
  if(veltrax_linked_deps)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${veltrax_linked_deps}, ${veltrax_runtime_deps}")
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${veltrax_runtime_deps}")
  endif()
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${veltrax_linked_deps}")
endif()

include(CPack)
