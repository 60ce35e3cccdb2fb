# Each folder of src/ is one static library that links only the folders below
# it. A folder's USES list names the folders its code includes; the check below
# holds every file to that list at build time, so a wrong include stops the
# build even where the program's link would have found the symbol anyway.
set(TAGLOOM_LAYERS platform search check widgets editor tags objects custom project app)
set(TAGLOOM_LAYER_platform_USES)
# The search engine and file walker: no widget, no editor.
set(TAGLOOM_LAYER_search_USES platform)
# Page and project checks: widget-free, over libtidy.
set(TAGLOOM_LAYER_check_USES platform)
set(TAGLOOM_LAYER_widgets_USES platform)
set(TAGLOOM_LAYER_editor_USES widgets platform)
set(TAGLOOM_LAYER_tags_USES editor widgets platform)
set(TAGLOOM_LAYER_objects_USES tags editor widgets platform)
# The script wizard offers the font dialog and the names scanned from pages.
set(TAGLOOM_LAYER_custom_USES objects tags editor widgets platform)
set(TAGLOOM_LAYER_project_USES widgets platform)
set(TAGLOOM_LAYER_app_USES project custom objects tags editor widgets search check platform)

# Outside libraries whose headers a folder's own headers include.
set(TAGLOOM_LAYER_platform_LIBS Qt6::Core Qt6::Gui Qt6::Widgets JPEG::JPEG GIF::GIF)
set(TAGLOOM_LAYER_editor_LIBS qscintilla)
set(TAGLOOM_LAYER_search_LIBS PkgConfig::PCRE2)
pkg_check_modules(TIDY REQUIRED IMPORTED_TARGET tidy)
set(TAGLOOM_LAYER_check_LIBS PkgConfig::TIDY)

# A folder under src/ without an entry would silently be left out of the program.
file(GLOB TAGLOOM_SRC_ENTRIES LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/src CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/*)
foreach(entry IN LISTS TAGLOOM_SRC_ENTRIES)
  if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/src/${entry} AND NOT entry IN_LIST TAGLOOM_LAYERS)
    message(FATAL_ERROR "src/${entry} is no library yet: give it an entry in cmake/Layers.cmake")
  endif()
endforeach()

set(TAGLOOM_LAYER_MAP ${CMAKE_BINARY_DIR}/TagloomLayers.cmake)
set(map_text "")
foreach(layer IN LISTS TAGLOOM_LAYERS)
  string(APPEND map_text "set(USES_${layer} \"${TAGLOOM_LAYER_${layer}_USES}\")\n")
endforeach()
file(CONFIGURE OUTPUT ${TAGLOOM_LAYER_MAP} CONTENT "set(LAYERS \"${TAGLOOM_LAYERS}\")\n${map_text}" @ONLY)

file(GLOB_RECURSE TAGLOOM_LAYER_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
list(FILTER TAGLOOM_LAYER_FILES EXCLUDE REGEX "src/main\\.cpp$")
set(checked ${CMAKE_BINARY_DIR}/tagloom_layers.checked)
add_custom_command(OUTPUT ${checked}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/src -DLAYER_MAP=${TAGLOOM_LAYER_MAP}
          -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${checked}
  DEPENDS ${TAGLOOM_LAYER_FILES} ${TAGLOOM_LAYER_MAP} ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
  COMMENT "Checking that each folder of src/ includes only the folders it links"
  VERBATIM)
add_custom_target(tagloom_layers_checked DEPENDS ${checked})

# Defines tagloom_<folder><suffix> for every folder, compiled with the extra
# options, and tagloom_core<suffix>, which stands for all of them: the program,
# tests, benchmarks and fuzzers link that. Called once more with a suffix where
# the fuzzers need the same code with their instrumentation.
function(tagloom_add_layers suffix)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "COMPILE_OPTIONS")
  foreach(layer IN LISTS TAGLOOM_LAYERS)
    set(target tagloom_${layer}${suffix})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${layer}/*.cpp
         ${CMAKE_SOURCE_DIR}/src/${layer}/*.h)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    set(uses "")
    foreach(lower IN LISTS TAGLOOM_LAYER_${layer}_USES)
      list(APPEND uses tagloom_${lower}${suffix})
    endforeach()
    target_link_libraries(${target} PUBLIC ${uses} ${TAGLOOM_LAYER_${layer}_LIBS})
    if(arg_COMPILE_OPTIONS)
      target_compile_options(${target} PRIVATE ${arg_COMPILE_OPTIONS})
    endif()
    add_dependencies(${target} tagloom_layers_checked)
  endforeach()
  add_library(tagloom_core${suffix} INTERFACE)
  target_link_libraries(tagloom_core${suffix} INTERFACE tagloom_app${suffix})
endfunction()
