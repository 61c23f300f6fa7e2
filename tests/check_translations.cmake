# SPDX-License-Identifier: GPL-3.0-or-later
# Runs lupdate over the window's sources into a copy of the translation and
# fails when an entry is unfinished (a new or changed text) or vanished (a
# text no source has any more).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${TS} DESTINATION ${WORK})
get_filename_component(name ${TS} NAME)
execute_process(COMMAND ${LUPDATE} -I ${SOURCE_DIR} -locations none -no-ui-lines ${SOURCES} -ts ${WORK}/${name}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${out}")
endif()
file(READ ${WORK}/${name} ts)
string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation type=\"(unfinished|vanished|obsolete)\"" bad "${ts}")
if(bad)
  string(REPLACE ";" "\n" bad "${bad}")
  message(FATAL_ERROR "translations/${name} is not up to date with the sources "
                      "(cmake --build build --target update_translations, then translate):\n${bad}")
endif()
message(STATUS "${out}")
