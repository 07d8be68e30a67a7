# varnel_stage_headers(TARGET SCOPE)
#
# Exposes the *.h of the calling folder (not of its subfolders) under their folder path through a
# staging folder of the target's own, build/include/<target>/<folder>/, added as the target's include
# directory. A source can include "document/varnel_doc.h" only when its target links varnel_document,
# so a layer that reaches past the ones it may use fails to build.
function(varnel_stage_headers target scope)
  set(stage ${CMAKE_BINARY_DIR}/include/${target})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage}/${folder})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${stage}/${folder}/${name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${stage})
endfunction()

# varnel_layer(TARGET [SOURCES ...] [PUBLIC ...] [PRIVATE ...])
#
# One static library per layer, named after its folder, exposing only its own headers and linking only
# the layers it may use (PRIVATE where its headers do not need them).
function(varnel_layer target)
  cmake_parse_arguments(L "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${target} STATIC ${L_SOURCES})
  varnel_stage_headers(${target} PUBLIC)
  target_link_libraries(${target} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  if("${L_PUBLIC};${L_PRIVATE}" MATCHES "Qt6::")
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()
endfunction()
