# The program is built as one library per layer, each linked only to the
# layers below it. A layer's headers are reached through a folder of its own
# in the build tree that holds just a link to its source folder, so a layer
# sees its own headers and those of the layers it links, and an include that
# points up (a tool reaching for the shell, the console for a tool) does not
# build.
set(kalvex_layer_include_root ${CMAKE_BINARY_DIR}/layer-include)

# kalvex_add_layer(FOLDER [DEPENDS LAYER...]): the library kalvex_FOLDER,
# built from src/FOLDER, whose CMakeLists.txt adds its sources. A macro, so
# that what a folder sets in PARENT_SCOPE reaches the top level.
macro(kalvex_add_layer kalvex_layer_folder)
  cmake_parse_arguments(kalvex_layer "" "" "DEPENDS" ${ARGN})
  add_library(kalvex_${kalvex_layer_folder} STATIC)
  file(MAKE_DIRECTORY ${kalvex_layer_include_root}/${kalvex_layer_folder})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${kalvex_layer_folder}
       ${kalvex_layer_include_root}/${kalvex_layer_folder}/${kalvex_layer_folder}
       SYMBOLIC COPY_ON_ERROR)
  target_include_directories(kalvex_${kalvex_layer_folder}
                             PUBLIC ${kalvex_layer_include_root}/${kalvex_layer_folder})
  foreach(kalvex_layer_dependency IN LISTS kalvex_layer_DEPENDS)
    target_link_libraries(kalvex_${kalvex_layer_folder} PUBLIC kalvex_${kalvex_layer_dependency})
  endforeach()
  add_subdirectory(src/${kalvex_layer_folder})
endmacro()
