# cmake -DLUPDATE=... -DLRELEASE=... -DSOURCE_DIR=... -DWORK_DIR=... -DDIRS=a;b -DOPTIONS=... -P check_translations.cmake
#
# Collects the texts of the sources into a copy of varnel_en.ts and fails when any of them has no
# translation or an unfinished one: a new text cannot land untranslated.
file(MAKE_DIRECTORY ${WORK_DIR})
set(ts ${WORK_DIR}/varnel_en.ts)
file(COPY_FILE ${SOURCE_DIR}/resources/translations/varnel_en.ts ${ts})
execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${DIRS} -ts ${ts}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed: ${out}${err}")
endif()
execute_process(COMMAND ${LRELEASE} ${ts} -qm ${WORK_DIR}/varnel_en.qm
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lrelease failed: ${out}${err}")
endif()
string(REGEX MATCH "([0-9]+) unfinished" unfinished "${out}")
set(unfinished ${CMAKE_MATCH_1})
string(REGEX MATCH "Ignored ([0-9]+) untranslated" untranslated "${out}")
set(untranslated ${CMAKE_MATCH_1})
if(NOT unfinished STREQUAL "0" OR untranslated)
  file(STRINGS ${ts} lines ENCODING UTF-8)
  set(missing "")
  set(source "")
  foreach(line IN LISTS lines)
    if(line MATCHES "<source>(.*)</source>")
      set(source "${CMAKE_MATCH_1}")
    elseif(line MATCHES "type=\"unfinished\"")
      string(APPEND missing "  ${source}\n")
    endif()
  endforeach()
  message(FATAL_ERROR "texts without a finished English translation (run the update_translations "
                      "target, then translate them in resources/translations/varnel_en.ts):\n${missing}\n${out}")
endif()
message(STATUS "${out}")
