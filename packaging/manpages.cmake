# SPDX-License-Identifier: GPL-3.0-or-later
# Manual pages, section 1, for veltrax and veltrax-ephem: help2man runs each
# built program with --help and --version at build time and turns what they
# print into a page, with the NAME line and the sections of packaging/man/*.h2m
# added. Neither program needs a display for those two options, nor the
# package to be installed. The pages are compressed (gzip -9n, as Debian ships
# them; man reads them so from any prefix) and installed to share/man/man1.
#
# Without help2man (Debian package help2man) the build goes on without pages;
# so it does when cross-compiling, as the built programs cannot run here.
# Included from packaging/install.cmake.

find_program(VELTRAX_HELP2MAN help2man)
find_program(VELTRAX_GZIP gzip)
set(VELTRAX_MAN_DIR ${PROJECT_BINARY_DIR}/man)

if(CMAKE_CROSSCOMPILING)
  message(STATUS "Manual pages: not made when cross-compiling")
elseif(NOT VELTRAX_HELP2MAN OR NOT VELTRAX_GZIP)
  message(STATUS "Manual pages: help2man not found, building without them")
else()
  # veltrax_man_page(TARGET NAME): TARGET's page, NAME its one-line description.
  function(veltrax_man_page target name)
    set(page ${VELTRAX_MAN_DIR}/${target}.1)
    set(include ${VELTRAX_PACKAGING_DIR}/man/${target}.h2m)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${VELTRAX_MAN_DIR}
      COMMAND ${VELTRAX_HELP2MAN} --no-info --section=1 --name=${name}
              --include=${include} --output=${page} $<TARGET_FILE:${target}>
      COMMAND ${VELTRAX_GZIP} -9nf ${page}
      DEPENDS ${target} ${include}
      COMMENT "Manual page ${target}(1)"
      VERBATIM)
    add_custom_target(${target}-man ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endfunction()

  veltrax_man_page(veltrax-ephem
    "Jupiter's central meridians, Great Red Spot and satellites on the command line")
  if(VELTRAX_GUI)
    veltrax_man_page(veltrax
      "Jupiter's central meridians, Great Red Spot and satellites in a window")
  endif()
endif()
