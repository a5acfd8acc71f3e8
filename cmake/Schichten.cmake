# Fails when an #include runs the wrong way between the layers of src/:
# data -> platform -> grid, widgets, appearance -> the windows (app, recipes, search, print, backup,
# colours, info) -> main.cpp.
# Run with -DQUELLEN=<src folder>.
set(erlaubt_data data)
set(erlaubt_platform platform)
set(erlaubt_grid grid data platform)
set(erlaubt_widgets widgets data platform)
set(erlaubt_appearance appearance data platform)
# The windows may use each other (the owner in app creates them all) and everything below.
set(erlaubt_app app recipes search print backup colours info data platform grid widgets appearance)
set(erlaubt_recipes app recipes search print backup colours info data platform grid widgets appearance)
set(erlaubt_search app recipes search print backup colours info data platform grid widgets appearance)
set(erlaubt_print app recipes search print backup colours info data platform grid widgets appearance)
set(erlaubt_backup app recipes search print backup colours info data platform grid widgets appearance)
set(erlaubt_colours app recipes search print backup colours info data platform grid widgets appearance)
set(erlaubt_info app recipes search print backup colours info data platform grid widgets appearance)

set(fehler "")
file(GLOB_RECURSE dateien RELATIVE ${QUELLEN} ${QUELLEN}/*.h ${QUELLEN}/*.cpp)
foreach(datei ${dateien})
  get_filename_component(ordner ${datei} DIRECTORY)
  if(ordner STREQUAL "")
    continue() # main.cpp may include anything
  endif()
  if(NOT DEFINED erlaubt_${ordner})
    string(APPEND fehler "\n  ${datei}: the folder ${ordner} has no layer in cmake/Schichten.cmake")
    continue()
  endif()
  file(STRINGS ${QUELLEN}/${datei} zeilen REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(zeile ${zeilen})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" ziel "${zeile}")
    string(REGEX MATCH "^[^/]+" zielordner "${ziel}")
    if(NOT ziel MATCHES "/")
      continue() # a header beside the file
    endif()
    list(FIND erlaubt_${ordner} ${zielordner} i)
    if(i LESS 0)
      string(APPEND fehler "\n  ${datei}: #include \"${ziel}\" reaches up from ${ordner} into ${zielordner}")
    endif()
    # The Qt implementation of the platform belongs to the program's start-up alone.
    if(ziel MATCHES "^platform/Qt" AND NOT ordner MATCHES "^(app|platform)$")
      string(APPEND fehler "\n  ${datei}: #include \"${ziel}\" is for the start-up only")
    endif()
  endforeach()
endforeach()
if(fehler)
  message(FATAL_ERROR "Includes against the layers:${fehler}")
endif()
